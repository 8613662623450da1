// Block identification section.
#include "report/block_ident.hpp"

namespace sidewalk {

namespace {

std::string Dotted(const ReportWriter& w, const char* label, double value, const char* pattern,
                   int width) {
    return std::string(label) + Figure(value, pattern, width) + " " +
           std::string(LengthUnit(w.heading.metric));
}

} // namespace

void WriteBlockIdent(ReportWriter& w, const BlockIdentSection& b) {
    w.Line(" ");
    w.Line("BLOCK IDENTIFICATION - " + b.description);
    w.Line(" ");
    w.Line(" DIRECTION OF ROADWAY CURVE..." + b.directionText);
    w.Line(" SIDE OF ROADWAY.............." + b.sideText);
    w.Line(Dotted(w, " DIST FROM BACK OF CURB TO BACK OF SIDEWALK......", b.backCurbToBackSw,
                  "###0.000", 11));
    w.Line(Dotted(w, " WIDTH OF SIDEWALK...............................", b.sidewalkWidth,
                  "###0.000", 11));
    w.Line(Dotted(w, " DIST RIGHT OF ALIGNMENT TO FACE OF RIGHT CURB...", b.rightCurbOffset,
                  "###0.000", 11));
    w.Line(Dotted(w, " DIST LEFT OF ALIGNMENT TO FACE OF LEFT CURB.....", b.leftCurbOffset,
                  "###0.000", 11));
    w.Line(Dotted(w, " RADIUS OF ROADWAY CURVE........................", b.baselineRadius,
                  "###0.0000", 12));
    w.Line(" ");
    w.SetLines(13);
}

} // namespace sidewalk
