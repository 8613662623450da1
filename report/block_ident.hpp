// The block identification section that opens each block of the report.
#pragma once

#include <string>

#include "report/page.hpp"

namespace sidewalk {

// What the section shows of a block header card, as decoded.
struct BlockIdentSection {
    std::string description;
    std::string directionText; // " TANGENT", "    LEFT" or "   RIGHT"
    std::string sideText;      // "    LEFT" or "   RIGHT"
    double backCurbToBackSw = 0, sidewalkWidth = 0;
    double rightCurbOffset = 0, leftCurbOffset = 0, baselineRadius = 0;
};

// Writes the section's eleven lines; the page then counts 13 lines.
void WriteBlockIdent(ReportWriter& w, const BlockIdentSection& b);

} // namespace sidewalk
