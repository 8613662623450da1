// The one table of card columns: where each field of the header, block and row cards stands, the
// Format pattern each number is written with, and the wider windows the report run reads them by.
#pragma once

#include <string_view>

namespace sidewalk {

// Columns first..first+width-1 of a card, counted from 1.
struct CardColumns {
    int first;
    int width;
};

// A number on a card: its columns and the Format pattern it is written with.
struct NumberField {
    CardColumns columns;
    std::string_view pattern;
    std::string_view name; // as a message names it
};

// The card file tags: the current header layout and the older one (read, never written).
inline constexpr std::string_view kCurrentTag = "CRZ41";
inline constexpr std::string_view kOlderTag = "BRZ41";
inline constexpr CardColumns kTagColumns{1, 5};

// Card type of block and row cards.
inline constexpr CardColumns kCardTypeColumns{1, 2};
inline constexpr std::string_view kBlockCardType = "11";

namespace header_card {
inline constexpr CardColumns kRefNo{7, 7};
inline constexpr CardColumns kProject{15, 11};
inline constexpr CardColumns kDate{27, 10};
inline constexpr CardColumns kUnits{38, 1};
inline constexpr CardColumns kEngineer{40, 26}; // the reader keeps 26; the run reads to the end
inline constexpr CardColumns kOlderEngineer{38, 13};
inline constexpr CardColumns kOlderUnits{52, 1};
} // namespace header_card

namespace block_card {
inline constexpr CardColumns kDirection{4, 1};
inline constexpr CardColumns kSide{6, 1};
inline constexpr NumberField kBcbsw{
    {8, 8}, "####0.000", "distance from back of curb to back of sidewalk"};
inline constexpr NumberField kWidsw{{17, 6}, "#0.000", "sidewalk width"};
inline constexpr NumberField kW1{{24, 7}, "##0.000", "left curb offset W1"};
inline constexpr NumberField kW2{{32, 7}, "##0.000", "right curb offset W2"};
inline constexpr NumberField kRadiusBl{{40, 11}, "#####0.0000", "baseline radius"};
inline constexpr CardColumns kDescription{52, 40};

// The report run reads each number with the blank before it, and the description to the end.
inline constexpr CardColumns kRunBcbsw{7, 9};
inline constexpr CardColumns kRunWidsw{16, 7};
inline constexpr CardColumns kRunW1{23, 8};
inline constexpr CardColumns kRunW2{31, 8};
inline constexpr CardColumns kRunRadiusBl{39, 12};
} // namespace block_card

namespace row_card {
inline constexpr CardColumns kType{2, 1};
inline constexpr NumberField kArea{{4, 8}, "###0.000", "area or length"};
inline constexpr NumberField kStation{{13, 4}, "####0", "station"};
inline constexpr NumberField kPlus{{18, 6}, "00.000", "plus"};
inline constexpr NumberField kRadius{{25, 8}, "####0.000", "radius"};

// The report run reads the area with the type's blank, and the radius with the blank before it.
inline constexpr CardColumns kRunArea{3, 9};
inline constexpr CardColumns kRunStation{13, 4};
inline constexpr CardColumns kRunPlus{18, 6};
inline constexpr CardColumns kRunRadius{24, 9};
} // namespace row_card

} // namespace sidewalk
