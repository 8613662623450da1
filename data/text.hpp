// Text rules shared by every card file: byte-wise columns, upper-casing that keeps the bytes'
// count, trimming of blanks only, and Str of a whole number.
#pragma once

#include <string>
#include <string_view>

#include "data/card_layout.hpp"

namespace sidewalk {

// Every text file this program writes ends its lines so.
inline constexpr std::string_view kLineEnd = "\r\n";

// Upper-cases a-z, and the small letters of UTF-8 text whose capitals take as many bytes (ü
// becomes Ü, so a card's byte count stays); every other byte is left as it is.
std::string UpperCase(std::string_view text);

// The same, in place, for a buffer that is used again and again, or a part of one.
void UpperCaseInPlace(std::string& text);
void UpperCaseInPlace(char* text, std::size_t size);
// Whether upper-casing might change text: it holds a small letter a..z, or a byte of 0x80 or
// above (a letter beyond ASCII, perhaps).
bool ChangesInCapitals(std::string_view text);

// Removes leading and trailing space characters (tabs and other bytes stay).
std::string Trim(std::string_view text);

// Columns first..first+width-1, counted from 1; columns beyond the end of the line read as "".
std::string Columns(std::string_view line, int first, int width);

// The same columns as a view into line.
inline std::string_view ColumnsView(std::string_view line, int first, int width) {
    if (first < 1 || width <= 0) return {};
    const auto start = static_cast<std::size_t>(first - 1);
    if (start >= line.size()) return {};
    return line.substr(start, static_cast<std::size_t>(width));
}

// The same by a named field of the card layout.
inline std::string Columns(std::string_view line, CardColumns c) {
    return Columns(line, c.first, c.width);
}
inline std::string_view ColumnsView(std::string_view line, CardColumns c) {
    return ColumnsView(line, c.first, c.width);
}

// Str of a whole number: its digits with one leading blank when it is not negative.
std::string StrInt(long long value);

} // namespace sidewalk
