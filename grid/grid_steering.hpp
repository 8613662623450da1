// The grid's cursor steering: leaving a cell for another, the cursor may move on past the cells
// a row's type does not use. Returns have a radius and no area or length; every other type an
// area or length and no radius.
#pragma once

#include <optional>
#include <string_view>

namespace sidewalk {

struct GridCell {
    int row;    // 1..100
    int column; // 1..6
    bool operator==(const GridCell&) const = default;
};

// Where the cursor goes instead of entering `to` from `from`, given the type text of the row
// left; nothing when the move stands. Row 100 never moves on to a row 101.
std::optional<GridCell> SteerCursor(GridCell from, GridCell to, std::string_view typeOfRowLeft);

// Where a click on a cell lands: the cell itself when its own row's type uses it, else the
// nearest cell of that row that it uses (the later of two as near, as keying would go on).
GridCell LandClick(GridCell clicked, std::string_view typeOfRow);

} // namespace sidewalk
