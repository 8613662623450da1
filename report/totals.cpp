// Block and grand totals.
#include "report/totals.hpp"

#include <string>

#include "data/number.hpp"
#include "report/page.hpp"

namespace sidewalk {

namespace {

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
void AreaLines(ReportPage& p, const AreaLabels& labels, double sw4, double sw6, double grass,
               const char* areaPattern, int width) {
    const int m = p.metric() ? 1 : 0;
    const std::pair<const char*, double> lines[] = {
        {labels.sidewalk4[m], sw4}, {labels.sidewalk6[m], sw6}, {labels.grass, grass}};
    for (const auto& [label, area] : lines) {
        WriteLine(p, " ");
        if (m == 1)
            WriteLine(p, {label, Figure(area, areaPattern, width), " SQ. M"});
        else
            WriteLine(p, {label, Figure(area, areaPattern, width), " SQ. FT. ",
                          Figure(area / 9.0, "###0.000", width), " SQ. YDS."});
    }
}

} // namespace

void PrintBlockTotals(ReportPage& p, const BlockFigures& b) {
    if (p.lineNo > 50) PrintPageHeader(p);
    AreaLines(p, kBlockAreas, b.sw4Area, b.sw6Area, b.grassArea, "###0.000", 11);
    WriteLine(p, " ");
    WriteLine(p, "ROADWAY CURB        = " + Figure(b.roadwayCurb, "###0.000", 11) + p.lengthUnit);
    WriteLine(p, "RETURN NO 1 CURB    = " + Figure(b.return1Curb, "###0.000", 11) + p.lengthUnit);
    WriteLine(p, "RETURN NO 2 CURB    = " + Figure(b.return2Curb, "###0.000", 11) + p.lengthUnit);
    WriteLine(p, "TOTAL CURB IN BLOCK = " + Figure(b.totalCurb, "###0.000", 11) + p.lengthUnit);
    WriteLine(p, " ");
}

void PrintGrandTotals(ReportPage& p, const JobFigures& j) {
    AreaLines(p, kGrandAreas, j.grand4Area, j.grand6Area, j.grandGrassArea, "####0.000", 10);
    WriteLine(p, " ");
    WriteLine(p, "GRAND TOTAL ROADWAY CURB      =" + Figure(j.grandCurb, "####0.000", 10) +
                     " LIN." + p.lengthUnit);
}

} // namespace sidewalk
