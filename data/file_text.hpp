// Whole-file reading and writing of small text files, and splitting a text into lines by the
// card file rule (LF ends a line, a CR before it belongs to the line end).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sidewalk {

// Reads the whole file into text. Returns 0, or the system's error number.
int ReadWholeFile(const std::string& path, std::string& text);

// Writes all of content to an open file, going on after interrupted calls. Returns 0, or the
// system's error number.
int WriteAllBytes(int fd, std::string_view content);

// Creates or truncates the file and writes content. Returns 0, or the system's error number.
int WriteWholeFile(const std::string& path, std::string_view content);

// The lines of a text: each ends at LF, a CR just before the LF belongs to the line end, and a
// last line without a line end still counts. The views point into text.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace sidewalk
