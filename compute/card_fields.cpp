// Reading the block card and row card fields the run computes with.
#include "compute/card_fields.hpp"

#include "data/card_layout.hpp"
#include "data/number.hpp"
#include "data/text.hpp"

namespace sidewalk {

BlockShape ReadBlockShape(std::string_view card) {
    using namespace block_card;
    BlockShape shape;
    shape.curveDir = Columns(card, kDirection);
    shape.side = Columns(card, kSide);
    shape.d = Val(ColumnsView(card, kRunBcbsw));
    shape.sw = Val(ColumnsView(card, kRunWidsw));
    shape.w1 = Val(ColumnsView(card, kRunW1));
    shape.w2 = Val(ColumnsView(card, kRunW2));
    shape.radius = Val(ColumnsView(card, kRunRadiusBl));
    if (shape.curveDir != "R" && shape.curveDir != "L") shape.curveDir.assign(1, 'T');
    shape.grass = shape.d - shape.sw;
    if (shape.curveDir == "T") shape.radius = 0;
    return shape;
}

std::string ReadBlockDescription(std::string_view card) {
    const auto from = static_cast<std::size_t>(block_card::kDescription.first - 1);
    return card.size() > from ? Trim(card.substr(from)) : std::string();
}

int CardTypeOf(std::string_view columns) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (columns.size() == 2 && digit(columns[0]) && digit(columns[1])) // the usual "01".."11"
        return (columns[0] - '0') * 10 + (columns[1] - '0');
    const double v = RoundHalfEven(Val(columns));
    if (v > 32767) return 32767;
    if (v < -32768) return -32768;
    return static_cast<int>(v);
}

RowFields ReadRowFields(std::string_view card, bool withRadius) {
    using namespace row_card;
    return RowFields{.areaOrLength = Val(ColumnsView(card, kRunArea)),
                     .station = Val(ColumnsView(card, kRunStation)) * 100 +
                                Val(ColumnsView(card, kRunPlus)),
                     .radius = withRadius ? Val(ColumnsView(card, kRunRadius)) : 0.0};
}

} // namespace sidewalk
