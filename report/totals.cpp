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

// The labels of the three area lines, English and metric.
struct AreaLabels {
    const char* sidewalk4[2];
    const char* sidewalk6[2];
    const char* grass;
};
constexpr AreaLabels kBlockAreas = {{"4IN SIDEWALK      =", "100.0 MM SIDEWALK ="},
                                    {"6IN SIDEWALK      =", "150.0 MM SIDEWALK ="},
                                    "GRASS AREA        ="};
constexpr AreaLabels kGrandAreas = {
    {"GRAND TOTAL 4 IN SIDEWALK     =", "GRAND TOTAL 100.0 MM SIDEWALK ="},
    {"GRAND TOTAL 6 IN SIDEWALK     =", "GRAND TOTAL 150.0 MM SIDEWALK ="},
    "GRAND TOTAL GRASS AREA        ="};

// Three area lines, each after a blank line: square metres, or square feet and square yards.
void AreaLines(RunState& s, const AreaLabels& labels, double sw4, double sw6, double grass,
               const char* areaPattern, int width) {
    const int m = s.metric() ? 1 : 0;
    const std::pair<const char*, double> lines[] = {
        {labels.sidewalk4[m], sw4}, {labels.sidewalk6[m], sw6}, {labels.grass, grass}};
    for (const auto& [label, area] : lines) {
        WriteLine(s, " ");
        if (m == 1)
            WriteLine(s, {label, Figure(area, areaPattern, width), " SQ. M"});
        else
            WriteLine(s, {label, Figure(area, areaPattern, width), " SQ. FT. ",
                          Figure(area / 9.0, "###0.000", width), " SQ. YDS."});
    }
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
    AreaLines(s, kBlockAreas, s.sw4Area, s.sw6Area, s.grassArea, "###0.000", 11);
    WriteLine(s, " ");
    WriteLine(s, "ROADWAY CURB        = " + Figure(s.roadwayCurb, "###0.000", 11) + s.lengthUnit);
    WriteLine(s, "RETURN NO 1 CURB    = " + Figure(s.return1Curb, "###0.000", 11) + s.lengthUnit);
    WriteLine(s, "RETURN NO 2 CURB    = " + Figure(s.return2Curb, "###0.000", 11) + s.lengthUnit);
    WriteLine(s, "TOTAL CURB IN BLOCK = " + Figure(s.totalCurb, "###0.000", 11) + s.lengthUnit);
    WriteLine(s, " ");
}

void PrintGrandTotals(RunState& s) {
    AreaLines(s, kGrandAreas, s.grand4Area, s.grand6Area, s.grandGrassArea, "####0.000", 10);
    WriteLine(s, " ");
    WriteLine(s, "GRAND TOTAL ROADWAY CURB      =" + Figure(s.grandCurb, "####0.000", 10) +
                     " LIN." + s.lengthUnit);
}

} // namespace sidewalk
