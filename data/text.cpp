// Text rules shared by every card file.
#include "data/text.hpp"

namespace sidewalk {

void UpperCaseInPlace(std::string& text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    UpperCaseInPlace(out);
    return out;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string_view ColumnsView(std::string_view line, int first, int width) {
    if (first < 1 || width <= 0) return {};
    const auto start = static_cast<std::size_t>(first - 1);
    if (start >= line.size()) return {};
    return line.substr(start, static_cast<std::size_t>(width));
}

std::string Columns(std::string_view line, int first, int width) {
    return std::string(ColumnsView(line, first, width));
}

std::string StrInt(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

} // namespace sidewalk
