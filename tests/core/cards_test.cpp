// The fields' number ranges: every text a field accepts fits its card field, the next is refused.
#include <string>

#include <gtest/gtest.h>

#include "data/cards.hpp"
#include "data/field_ranges.hpp"
#include "data/text.hpp"

namespace sidewalk {
namespace {

// Every text a field accepts fits its card field; the first value past each bound is refused.
TEST(FieldRanges, AcceptedTextsAlwaysFitTheirCard) {
    using enum TextCheck;
    // clang-format off
    const struct { GridColumn column; const char* text; TextCheck check; } cells[] = {
        {GridColumn::Type, "", Acceptable},        {GridColumn::Type, " 7 ", Acceptable},
        {GridColumn::Type, "9", Acceptable},       {GridColumn::Type, "10", Invalid},
        {GridColumn::Type, "09", Invalid},         {GridColumn::Type, "1.", Invalid},
        {GridColumn::Type, "-", Invalid},          {GridColumn::Area, "9999.999", Acceptable},
        {GridColumn::Area, "10000", Invalid},      {GridColumn::Area, "1.2345", Invalid},
        {GridColumn::Area, ".", Intermediate},     {GridColumn::Area, ".5", Acceptable},
        {GridColumn::Area, "1e3", Invalid},        {GridColumn::Area, "-1", Invalid},
        {GridColumn::Station, "9999", Acceptable}, {GridColumn::Station, "10000", Invalid},
        {GridColumn::Station, "5.0", Invalid},     {GridColumn::Plus, "99.999", Acceptable},
        {GridColumn::Plus, "100", Invalid},        {GridColumn::Radius, "9999.999", Acceptable},
        {GridColumn::Radius, "10000", Invalid},    {GridColumn::Radius, "1,5", Invalid},
    };
    // clang-format on
    for (const auto& c : cells) {
        EXPECT_EQ(CheckNumberText(GridCellRange(c.column), c.text), c.check) << c.text;
        if (c.check != Acceptable) continue;
        BlockRow row{"1", "", "", "", ""};
        std::string* field[] = {&row.type, &row.area, &row.station,
                                nullptr,   &row.plus, &row.radius};
        *field[static_cast<int>(c.column) - 1] = Trim(c.text); // as the grid stores it
        if (row.type.empty()) row.type = "1";
        EXPECT_TRUE(RowCard(row, 1, 1)) << c.text;
    }
    // clang-format off
    const struct { HeaderNumber field; const char* text; TextCheck check; } numbers[] = {
        {HeaderNumber::Bcbsw, "9999.999", Acceptable},
        {HeaderNumber::Bcbsw, "-999.999", Acceptable},
        {HeaderNumber::Bcbsw, "-1000", Invalid},
        {HeaderNumber::Bcbsw, "-", Intermediate},
        {HeaderNumber::Widsw, "99.999", Acceptable},
        {HeaderNumber::Widsw, "-1", Invalid},
        {HeaderNumber::W1, "-99.999", Acceptable},
        {HeaderNumber::W2, "1000", Invalid},
        {HeaderNumber::RadiusBl, "999999.9999", Acceptable},
        {HeaderNumber::RadiusBl, "-1", Invalid},
        {HeaderNumber::RadiusBl, "1.23456", Invalid},
        {HeaderNumber::W2, "--1", Invalid},
    };
    // clang-format on
    for (const auto& c : numbers) {
        EXPECT_EQ(CheckNumberText(HeaderNumberRange(c.field), c.text), c.check) << c.text;
        if (c.check != Acceptable) continue;
        Job job;
        BlockHeader& h = job.header(1) = {"T", "R", "", "", "", "", "", ""};
        std::string* field[] = {&h.bcbsw, &h.widsw, &h.w1, &h.w2, &h.radiusBl};
        *field[static_cast<int>(c.field)] = c.text;
        EXPECT_TRUE(BlockCard(job, 1)) << c.text;
    }
}

} // namespace
} // namespace sidewalk
