// Block header cards: decoding, the block identification section and the header checks.
#include "compute/block_header.hpp"

#include "data/card_layout.hpp"
#include "data/number.hpp"
#include "data/text.hpp"
#include "report/block_ident.hpp"

namespace sidewalk {

namespace {

void Warning(RunState& s, std::string_view message, int lines) {
    StarBox(s, {message});
    s.lineNo += lines;
}

} // namespace

bool PrintBlockIdent(RunState& s, const std::string& card) {
    using namespace block_card;
    s.curveDir = Columns(card, kDirection);
    s.sideOfRoad = Columns(card, kSide);
    s.backCurbToBackSw = Val(ColumnsView(card, kRunBcbsw));
    s.sidewalkWidth = Val(ColumnsView(card, kRunWidsw));
    s.leftCurbOffset = Val(ColumnsView(card, kRunW1));
    s.rightCurbOffset = Val(ColumnsView(card, kRunW2));
    s.baselineRadius = Val(ColumnsView(card, kRunRadiusBl));
    const auto from = static_cast<std::size_t>(kDescription.first - 1);
    s.description = card.size() > from ? Trim(std::string_view(card).substr(from)) : std::string();

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

    s.openBlock();
    PrintBlockIdentSection(s, BlockIdentSection{s.description, s.directionText, s.sideText, d, sw,
                                                s.rightCurbOffset, s.leftCurbOffset,
                                                s.baselineRadius});

    if (sw > d) {
        StarBox(s, {" ***  SIDEWALK IS WIDER THAN THE DISTANCE FROM BACK OF CURB TO BACK OF "
                    "SIDEWALK"});
        s.returnCount = 3;
        s.lineNo += 5;
        s.markOpenBlock(BlockStatus::Rejected);
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
