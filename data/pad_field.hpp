// Fills a text with blanks to a fixed width, as every card and report column needs.
#pragma once

#include <string>
#include <string_view>

namespace sidewalk {

// Side "L" puts the blanks in front (right-justifies); any other side appends them
// (left-justifies). A text as long as width or longer comes back unchanged: nothing is cut.
std::string PadField(std::string_view text, int width, std::string_view side);

} // namespace sidewalk
