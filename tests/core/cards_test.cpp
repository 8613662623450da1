// Header, block and row card layouts, and the refusal of values wider than their field.
#include <string>

#include <gtest/gtest.h>

#include "data/cards.hpp"
#include "data/field_ranges.hpp"
#include "data/text.hpp"

namespace sidewalk {
namespace {

TEST(Cards, ValuesWiderThanTheirFieldAreRefused) {
    // clang-format off
    const struct { BlockRow row; const char* field; } rows[] = {
        {{"1", "10000", "1", "1", "1"}, "area or length"},
        {{"1", "1", "10000", "1", "1"}, "station"},
        {{"1", "1", "1", "100", "1"}, "plus"},
        {{"1", "1", "1", "-1", "1"}, "plus"},
        {{"1", "1", "1", "1", "100000"}, "radius"},
        {{"12", "1", "1", "1", "1"}, "type"},
    };
    // clang-format on
    for (const auto& c : rows) {
        const auto card = RowCard(c.row, 7, 12);
        ASSERT_FALSE(card) << c.field;
        EXPECT_NE(card.error().text.find("Block 7, row 12"), std::string::npos)
            << card.error().text;
        EXPECT_NE(card.error().text.find(c.field), std::string::npos) << card.error().text;
    }

    // clang-format off
    const struct { BlockHeader header; const char* field; } blocks[] = {
        {{"T", "R", "100000", "5", "1", "1", "", "D"}, "back of curb"},
        {{"T", "R", "10", "100", "1", "1", "", "D"}, "sidewalk width"},
        {{"T", "R", "10", "5", "-100", "1", "", "D"}, "W1"},
        {{"T", "R", "10", "5", "1", "1000", "", "D"}, "W2"},
        {{"L", "R", "10", "5", "1", "1", "1000000", "D"}, "baseline radius"},
        {{"TX", "R", "10", "5", "1", "1", "", "D"}, "direction"},
    };
    // clang-format on
    for (const auto& c : blocks) {
        Job job;
        job.header(3) = c.header;
        const auto card = BlockCard(job, 3);
        ASSERT_FALSE(card) << c.field;
        EXPECT_NE(card.error().text.find("Block 3"), std::string::npos) << card.error().text;
        EXPECT_NE(card.error().text.find(c.field), std::string::npos) << card.error().text;
    }
}

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
