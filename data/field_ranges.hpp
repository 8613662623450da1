// What each field the windows edit may hold: the index record and description lengths, and the
// kind and range of the block header numbers and the grid cells, bounded by their card columns
// so that a value accepted on screen is always written whole.
#pragma once

#include <string_view>

namespace sidewalk {

// Longest texts of the index record and the block description, as their card fields allow.
inline constexpr int kRefNoLength = 7;
inline constexpr int kDateLength = 10;
inline constexpr int kProjectLength = 11;
inline constexpr int kEngineerLength = 26;
inline constexpr int kDescriptionLength = 40;

// A number a field may hold: min..max with at most `decimals` places (0: a whole number), and
// at most maxLength characters when that is not 0 (a type is written to the card as typed).
struct NumberRange {
    double min;
    double max;
    int decimals;
    int maxLength = 0;
};

// The grid's columns (column 4 only shows "+").
enum class GridColumn { Type = 1, Area = 2, Station = 3, Plus = 5, Radius = 6 };

// The block identification window's number fields.
enum class HeaderNumber { Bcbsw, Widsw, W1, W2, RadiusBl };

// Type 0-9, one digit; area 0-9999.999; station 0-9999; plus 0-99.999; radius 0-9999.999 (the grid
// allows larger areas and radii, but the row card holds 9999.999 at most).
NumberRange GridCellRange(GridColumn column);

// Numbers that fit the block card's columns: back of curb to back of sidewalk
// -999.999..9999.999, sidewalk width 0..99.999, W1 and W2 (negative across the baseline)
// -99.999..999.999, baseline radius 0..999999.9999.
NumberRange HeaderNumberRange(HeaderNumber field);

enum class TextCheck {
    Invalid,      // no further typing can make it acceptable
    Intermediate, // a start of an acceptable number ("-", ".")
    Acceptable,   // empty, or a number of the range's kind within it
};

// Checks a field's text as typed: blanks around it are ignored; digits with "." as the only
// decimal point, a leading "-" only where the range has negatives, no exponent.
TextCheck CheckNumberText(const NumberRange& range, std::string_view text);

} // namespace sidewalk
