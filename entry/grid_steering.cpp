// Cursor steering by type.
#include "entry/grid_steering.hpp"

#include "data/job.hpp"
#include "data/number.hpp"

namespace sidewalk::ui {

std::optional<GridCell> SteerCursor(GridCell from, GridCell to, std::string_view typeOfRowLeft) {
    // The type read as a number and rounded; an empty type counts as 0.
    const double type = RoundHalfEven(Val(typeOfRowLeft));
    const bool isReturn = type == 1 || type == 4;
    const int r = from.row;
    if (from.column == 1 && to.column == 2 && isReturn) return GridCell{r, 3};
    if (from.column == 3 && to.column == 4) return GridCell{r, 5};
    if (from.column == 5 && to.column == 6 && !isReturn)
        return r < kMaxRows ? GridCell{r + 1, 1} : GridCell{r, 5};
    if (from.column == 3 && to.column == 2) return GridCell{r, 1};
    if (from.column == 5 && to.column == 4) return GridCell{r, 3};
    return std::nullopt;
}

} // namespace sidewalk::ui
