// Fixed-width blank filling.
#include "data/pad_field.hpp"

namespace sidewalk {

std::string PadField(std::string_view text, int width, std::string_view side) {
    if (width <= 0 || text.size() >= static_cast<std::size_t>(width)) return std::string(text);
    const std::size_t blanks = static_cast<std::size_t>(width) - text.size();
    std::string out;
    out.reserve(static_cast<std::size_t>(width));
    if (side == "L") out.append(blanks, ' ');
    out.append(text);
    if (side != "L") out.append(blanks, ' ');
    return out;
}

} // namespace sidewalk
