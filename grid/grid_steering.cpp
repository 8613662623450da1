// Cursor steering by type.
#include "grid/grid_steering.hpp"

#include "data/job.hpp"
#include "data/number.hpp"

namespace sidewalk {

namespace {

// A return (types 1 and 4) has a radius and no area; the type is read as a number and rounded,
// and an empty type counts as 0.
bool IsReturn(std::string_view type) {
    const double value = RoundHalfEven(Val(type));
    return value == 1 || value == 4;
}

} // namespace

GridCell LandClick(GridCell clicked, std::string_view typeOfRow) {
    const int returnCells[] = {1, 3, 5, 6};
    const int otherCells[] = {1, 2, 3, 5};
    int best = 1;
    for (int column : IsReturn(typeOfRow) ? returnCells : otherCells) {
        const int distance =
            column > clicked.column ? column - clicked.column : clicked.column - column;
        const int bestDistance =
            best > clicked.column ? best - clicked.column : clicked.column - best;
        if (distance <= bestDistance) best = column;
    }
    return {clicked.row, best};
}

std::optional<GridCell> SteerCursor(GridCell from, GridCell to, std::string_view typeOfRowLeft) {
    const bool isReturn = IsReturn(typeOfRowLeft);
    const int r = from.row;
    if (from.column == 1 && to.column == 2 && isReturn) return GridCell{r, 3};
    if (from.column == 3 && to.column == 4) return GridCell{r, 5};
    if (from.column == 5 && to.column == 6 && !isReturn)
        return r < kMaxRows ? GridCell{r + 1, 1} : GridCell{r, 5};
    if (from.column == 3 && to.column == 2) return GridCell{r, 1};
    if (from.column == 5 && to.column == 4) return GridCell{r, 3};
    return std::nullopt;
}

} // namespace sidewalk
