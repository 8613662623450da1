// Fixed-width blank filling.
#include "data/pad_field.hpp"

namespace sidewalk {

std::string PadField(std::string_view text, int width, std::string_view side) {
    std::string t(text);
    if (width <= 0 || t.size() >= static_cast<std::size_t>(width)) return t;
    const std::string blanks(static_cast<std::size_t>(width) - t.size(), ' ');
    return side == "L" ? blanks + t : t + blanks;
}

} // namespace sidewalk
