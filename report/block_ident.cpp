// Block identification section and its warnings.
#include "report/block_ident.hpp"

#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "data/text.hpp"
#include "report/page.hpp"

namespace sidewalk {

namespace {

std::string Dotted(const RunState& s, const char* label, double value, const char* pattern,
                   int width) {
    return std::string(label) + PadField(Format(value, pattern), width, "L") + " " + s.lengthUnit;
}

void Warning(RunState& s, std::string_view message, int lines) {
    StarBox(s, {message});
    s.lineNo += lines;
}

} // namespace

bool PrintBlockIdent(RunState& s, const std::string& card) {
    s.curveDir = Columns(card, 4, 1);
    s.sideOfRoad = Columns(card, 6, 1);
    s.backCurbToBackSw = Val(Columns(card, 7, 9));
    s.sidewalkWidth = Val(Columns(card, 16, 7));
    s.leftCurbOffset = Val(Columns(card, 23, 8));
    s.rightCurbOffset = Val(Columns(card, 31, 8));
    s.baselineRadius = Val(Columns(card, 39, 12));
    s.description = card.size() >= 52 ? Trim(std::string_view(card).substr(51)) : std::string();

    // A block still open (or left in a skip state) never got its closing return.
    if (s.returnCount != 0) {
        if (s.lineNo > 55) PrintPageHeader(s);
        StarBox(s, {" ***  ERROR: LAST CARD NOT TYPE 1 OR 4   "});
        PrintPageHeader(s);
    }
    s.clearBlockAccumulators();

    if (s.curveDir != "R" && s.curveDir != "L") {
        s.curveDir = "T";
        s.directionText = " TANGENT";
    } else {
        s.directionText = s.curveDir == "L" ? "    LEFT" : "   RIGHT";
    }
    s.sideText = s.sideOfRoad == "R" ? "   RIGHT" : "    LEFT";

    const double d = s.backCurbToBackSw;
    const double sw = s.sidewalkWidth;
    s.grassWidth = d - sw;
    if (s.curveDir == "T") s.baselineRadius = 0;

    BlockSummary summary;
    summary.number = static_cast<int>(s.blocks.size()) + 1;
    summary.description = s.description;
    s.blocks.push_back(summary);

    WriteLine(s, " ");
    WriteLine(s, "BLOCK IDENTIFICATION - " + s.description);
    WriteLine(s, " ");
    WriteLine(s, " DIRECTION OF ROADWAY CURVE..." + s.directionText);
    WriteLine(s, " SIDE OF ROADWAY.............." + s.sideText);
    WriteLine(s, Dotted(s, " DIST FROM BACK OF CURB TO BACK OF SIDEWALK......", d, "###0.000", 11));
    WriteLine(s,
              Dotted(s, " WIDTH OF SIDEWALK...............................", sw, "###0.000", 11));
    WriteLine(s, Dotted(s, " DIST RIGHT OF ALIGNMENT TO FACE OF RIGHT CURB...", s.rightCurbOffset,
                        "###0.000", 11));
    WriteLine(s, Dotted(s, " DIST LEFT OF ALIGNMENT TO FACE OF LEFT CURB.....", s.leftCurbOffset,
                        "###0.000", 11));
    WriteLine(s, Dotted(s, " RADIUS OF ROADWAY CURVE........................", s.baselineRadius,
                        "###0.0000", 12));
    WriteLine(s, " ");
    s.lineNo = 13;

    if (sw > d) {
        StarBox(s, {" ***  SIDEWALK IS WIDER THAN THE DISTANCE FROM BACK OF CURB TO BACK OF "
                    "SIDEWALK"});
        s.returnCount = 3;
        s.lineNo += 5;
        s.blocks.back().status = BlockStatus::Rejected;
        return false;
    }

    const double limit = s.metric() ? 7.62 : 25.0;
    if (sw > limit) Warning(s, " ***  WARNING:SIDEWALK WIDTH UNREASONABLE", 5);
    if (d > limit)
        Warning(s, " ***  WARNING:DISTANCE FROM BACK OF CURB TO BACK OF SIDEWALK UNREASONABLE", 5);
    if (s.curveDir != "T" && s.baselineRadius == 0) {
        Warning(s, " ***  WARNING RADIUS OF ALIGNMENT NOT CODED TANGENT ASSUMED", 3);
        s.curveDir = "T";
    }
    return true;
}

} // namespace sidewalk
