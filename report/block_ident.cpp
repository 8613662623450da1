// Block identification section.
#include "report/block_ident.hpp"

namespace sidewalk {

namespace {

std::string Dotted(const ReportPage& p, const char* label, double value, const char* pattern,
                   int width) {
    return std::string(label) + Figure(value, pattern, width) + " " + p.lengthUnit;
}

} // namespace

void PrintBlockIdentSection(ReportPage& p, const BlockIdentSection& b) {
    WriteLine(p, " ");
    WriteLine(p, "BLOCK IDENTIFICATION - " + b.description);
    WriteLine(p, " ");
    WriteLine(p, " DIRECTION OF ROADWAY CURVE..." + b.directionText);
    WriteLine(p, " SIDE OF ROADWAY.............." + b.sideText);
    WriteLine(p, Dotted(p, " DIST FROM BACK OF CURB TO BACK OF SIDEWALK......", b.backCurbToBackSw,
                        "###0.000", 11));
    WriteLine(p, Dotted(p, " WIDTH OF SIDEWALK...............................", b.sidewalkWidth,
                        "###0.000", 11));
    WriteLine(p, Dotted(p, " DIST RIGHT OF ALIGNMENT TO FACE OF RIGHT CURB...", b.rightCurbOffset,
                        "###0.000", 11));
    WriteLine(p, Dotted(p, " DIST LEFT OF ALIGNMENT TO FACE OF LEFT CURB.....", b.leftCurbOffset,
                        "###0.000", 11));
    WriteLine(p, Dotted(p, " RADIUS OF ROADWAY CURVE........................", b.baselineRadius,
                        "###0.0000", 12));
    WriteLine(p, " ");
    p.lineNo = 13;
}

} // namespace sidewalk
