// Block and grand totals.
#include "report/totals.hpp"

#include <string>

#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "report/page.hpp"

namespace sidewalk {

namespace {

std::string Figure(double value, const char* pattern, int width) {
    return PadField(Format(value, pattern), width, "L");
}

void AreaLine(RunState& s, const char* label, double area, const char* areaPattern,
              const char* yardPattern, int width) {
    WriteLine(s, " ");
    if (s.metric())
        WriteLine(s, label + Figure(area, areaPattern, width) + " SQ. M");
    else
        WriteLine(s, label + Figure(area, areaPattern, width) + " SQ. FT. " +
                         Figure(area / 9.0, yardPattern, width) + " SQ. YDS.");
}

// Records the block's figures for the totals file.
void Summarise(RunState& s) {
    if (s.blocks.empty() || s.blocks.back().status != BlockStatus::NotClosed) {
        // Returns after a finished block without a block card of their own: a block again.
        BlockSummary again;
        if (!s.blocks.empty()) {
            again.number = s.blocks.back().number;
            again.description = s.blocks.back().description;
        }
        s.blocks.push_back(again);
    }
    BlockSummary& b = s.blocks.back();
    b.status = BlockStatus::Computed;
    b.sw4Area = s.sw4Area;
    b.sw6Area = s.sw6Area;
    b.grassArea = s.grassArea;
    b.roadwayCurb = s.roadwayCurb;
    b.return1Curb = s.return1Curb;
    b.return2Curb = s.return2Curb;
    b.totalCurb = s.totalCurb;
}

} // namespace

void PrintBlockTotals(RunState& s) {
    s.grand4Area += s.sw4Area;
    s.grand6Area += s.sw6Area;
    s.grandCurb += s.totalCurb;
    s.grandGrassArea += s.grassArea;
    Summarise(s);

    if (s.lineNo > 50) PrintPageHeader(s);
    if (s.metric()) {
        AreaLine(s, "100.0 MM SIDEWALK =", s.sw4Area, "###0.000", "", 11);
        AreaLine(s, "150.0 MM SIDEWALK =", s.sw6Area, "###0.000", "", 11);
    } else {
        AreaLine(s, "4IN SIDEWALK      =", s.sw4Area, "###0.000", "###0.000", 11);
        AreaLine(s, "6IN SIDEWALK      =", s.sw6Area, "###0.000", "###0.000", 11);
    }
    AreaLine(s, "GRASS AREA        =", s.grassArea, "###0.000", "###0.000", 11);
    WriteLine(s, " ");
    WriteLine(s, "ROADWAY CURB        = " + Figure(s.roadwayCurb, "###0.000", 11) + s.lengthUnit);
    WriteLine(s, "RETURN NO 1 CURB    = " + Figure(s.return1Curb, "###0.000", 11) + s.lengthUnit);
    WriteLine(s, "RETURN NO 2 CURB    = " + Figure(s.return2Curb, "###0.000", 11) + s.lengthUnit);
    WriteLine(s, "TOTAL CURB IN BLOCK = " + Figure(s.totalCurb, "###0.000", 11) + s.lengthUnit);
    WriteLine(s, " ");
}

void PrintGrandTotals(RunState& s) {
    if (s.metric()) {
        AreaLine(s, "GRAND TOTAL 100.0 MM SIDEWALK =", s.grand4Area, "####0.000", "", 10);
        AreaLine(s, "GRAND TOTAL 150.0 MM SIDEWALK =", s.grand6Area, "####0.000", "", 10);
    } else {
        AreaLine(s, "GRAND TOTAL 4 IN SIDEWALK     =", s.grand4Area, "####0.000", "###0.000", 10);
        AreaLine(s, "GRAND TOTAL 6 IN SIDEWALK     =", s.grand6Area, "####0.000", "###0.000", 10);
    }
    AreaLine(s, "GRAND TOTAL GRASS AREA        =", s.grandGrassArea, "####0.000", "###0.000", 10);
    WriteLine(s, " ");
    WriteLine(s, "GRAND TOTAL ROADWAY CURB      =" + Figure(s.grandCurb, "####0.000", 10) +
                     " LIN." + s.lengthUnit);
}

} // namespace sidewalk
