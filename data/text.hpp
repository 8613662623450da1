// Text rules shared by every card file: byte-wise columns, upper-casing of a-z only, trimming
// of blanks only, line reading that accepts LF or CR LF, and Str of a whole number.
#pragma once

#include <istream>
#include <string>
#include <string_view>

namespace sidewalk {

// Every text file this program writes ends its lines so.
inline constexpr std::string_view kLineEnd = "\r\n";

// Upper-cases a-z; every other byte is left as it is.
std::string UpperCase(std::string_view text);

// Removes leading and trailing space characters (tabs and other bytes stay).
std::string Trim(std::string_view text);

// Columns first..first+width-1, counted from 1; columns beyond the end of the line read as "".
std::string Columns(std::string_view line, int first, int width);

// Str of a whole number: its digits with one leading blank when it is not negative.
std::string StrInt(long long value);

// Reads one line: it ends at LF, a CR just before the LF belongs to the line end, and a last
// line without a line end still counts. Returns false when no line was left.
bool ReadLine(std::istream& in, std::string& line);

} // namespace sidewalk
