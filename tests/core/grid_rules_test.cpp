// The grid's editing rules without a window: where the cursor goes past the cells a row's type
// does not use, where a click lands, and which row-menu items act.
#include <optional>

#include <gtest/gtest.h>

#include "grid/grid_rows.hpp"
#include "grid/grid_steering.hpp"

namespace sidewalk {
namespace {

GridTexts Rows(std::initializer_list<std::pair<int, const char*>> typed) {
    GridTexts rows{};
    for (const auto& [r, type] : typed)
        rows[static_cast<std::size_t>(r)] = {type, "1", "2", "3", "4"};
    return rows;
}

// clang-format off
TEST(GridRules, SteeringAndClicks) {
    const struct { GridCell from, to; const char* type; std::optional<GridCell> steered; } moves[] = {
        {{5, 1}, {5, 2}, "4", GridCell{5, 3}},   {{5, 1}, {5, 2}, "7", std::nullopt},
        {{5, 1}, {5, 2}, "1.4", GridCell{5, 3}}, {{5, 3}, {5, 4}, "7", GridCell{5, 5}},
        {{5, 5}, {5, 6}, "7", GridCell{6, 1}},   {{5, 5}, {5, 6}, "", GridCell{6, 1}},
        {{5, 5}, {5, 6}, "4", std::nullopt},     {{100, 5}, {100, 6}, "2", GridCell{100, 5}},
        {{5, 3}, {5, 2}, "7", GridCell{5, 1}},   {{5, 5}, {5, 4}, "1", GridCell{5, 3}},
        {{5, 2}, {5, 3}, "7", std::nullopt},     {{5, 6}, {6, 1}, "1", std::nullopt},
    };
    for (const auto& c : moves)
        EXPECT_EQ(SteerCursor(c.from, c.to, c.type), c.steered) << c.type << " " << c.to.column;
    // A click: a used cell stands; an unused one goes to its row's nearest used cell.
    const struct { GridCell clicked; const char* type; int column; } clicks[] = {
        {{7, 2}, "4", 3}, {{7, 2}, "7", 2}, {{7, 4}, "1", 5}, {{7, 4}, "", 5},
        {{7, 6}, "7", 5}, {{7, 6}, "4", 6}, {{7, 1}, "4", 1}};
    for (const auto& c : clicks)
        EXPECT_EQ(LandClick(c.clicked, c.type), (GridCell{7, c.column})) << c.type;
}

TEST(GridRules, RowMenuItemsActOnlyWhereRowsFit) {
    const struct { const char* name; GridTexts rows; int first, last, clip; RowMenuItems items; } cases[] = {
        {"empty grid, nothing copied", Rows({}), 5, 5, 0, {true, false, false}},
        {"rows 98-100 empty, three selected", Rows({{97, "1"}}), 10, 12, 2, {true, true, true}},
        {"type in 99, two selected", Rows({{99, "1"}}), 10, 11, 1, {false, false, false}},
        {"type in 99, one selected", Rows({{99, "1"}}), 10, 10, 1, {true, true, true}},
        {"type in 99, one selected, three copied", Rows({{99, "1"}}), 10, 10, 3, {true, true, false}},
        {"paste would write past row 100", Rows({}), 98, 98, 5, {true, false, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowMenu(c.rows, c.first, c.last, c.clip), c.items) << c.name;
}
// clang-format on

} // namespace
} // namespace sidewalk
