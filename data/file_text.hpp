// Whole-file reading and writing of small text files, and splitting a text into lines by the
// card file rule (LF ends a line, a CR before it belongs to the line end).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sidewalk {

// No file this program reads comes near this size: the largest card file it can write is
// about 350 kB. A larger file (a disk image chosen by mistake, a device) is refused unread.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{16} << 20;

// Reads the whole file into text. Returns 0, or the system's error number: EFBIG when the file
// holds more than maxBytes (then at most maxBytes + 1 bytes were read, and text is empty).
int ReadWholeFile(const std::string& path, std::string& text,
                  std::size_t maxBytes = kMaxTextFileBytes);

// The message for a file ReadWholeFile refused or could not read.
std::string ReadErrorText(int error);

// Writes all of content to an open file, going on after interrupted calls. Returns 0, or the
// system's error number.
int WriteAllBytes(int fd, std::string_view content);

// The lines of a text: each ends at LF, a CR just before the LF belongs to the line end, and a
// last line without a line end still counts. The views point into text.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace sidewalk
