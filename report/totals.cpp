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
void AreaLines(ReportWriter& w, const AreaLabels& labels, double sw4, double sw6, double grass,
               const char* areaPattern, int width) {
    const int m = w.heading.metric ? 1 : 0;
    const std::pair<const char*, double> lines[] = {
        {labels.sidewalk4[m], sw4}, {labels.sidewalk6[m], sw6}, {labels.grass, grass}};
    for (const auto& [label, area] : lines) {
        w.Line(" ");
        if (m == 1)
            w.Line({label, Figure(area, areaPattern, width), " SQ. M"});
        else
            w.Line({label, Figure(area, areaPattern, width), " SQ. FT. ",
                    Figure(area / 9.0, "###0.000", width), " SQ. YDS."});
    }
}

} // namespace

void WriteBlockTotals(ReportWriter& w, const BlockFigures& b) {
    const std::string_view unit = LengthUnit(w.heading.metric);
    w.NewPageIfPast(50);
    AreaLines(w, kBlockAreas, b.sw4Area, b.sw6Area, b.grassArea, "###0.000", 11);
    w.Line(" ");
    w.Line({"ROADWAY CURB        = ", Figure(b.roadwayCurb, "###0.000", 11), unit});
    w.Line({"RETURN NO 1 CURB    = ", Figure(b.return1Curb, "###0.000", 11), unit});
    w.Line({"RETURN NO 2 CURB    = ", Figure(b.return2Curb, "###0.000", 11), unit});
    w.Line({"TOTAL CURB IN BLOCK = ", Figure(b.totalCurb, "###0.000", 11), unit});
    w.Line(" ");
}

void WriteGrandTotals(ReportWriter& w, const JobFigures& j) {
    AreaLines(w, kGrandAreas, j.grand4Area, j.grand6Area, j.grandGrassArea, "####0.000", 10);
    w.Line(" ");
    w.Line({"GRAND TOTAL ROADWAY CURB      =", Figure(j.grandCurb, "####0.000", 10), " LIN.",
            LengthUnit(w.heading.metric)});
}

} // namespace sidewalk
