// Whole-file reading and writing of small text files, and splitting a text into lines by the
// card file rule (CR LF, LF or a CR alone ends a line: files of every system are read).
#pragma once

#include <cstddef>
#include <cstring>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/message.hpp"

namespace sidewalk {

// No file this program reads comes near this size: the largest card file it can write is
// about 350 kB. A larger file (a disk image chosen by mistake, a device) is refused unread.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{16} << 20;

// The bytes of a file as read: a buffer that is never filled with anything but the file.
class FileBytes {
  public:
    std::string_view view() const { return {data_.get(), size_}; }

  private:
    friend int ReadInto(int, const std::string&, FileBytes&, std::size_t, bool);
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
};

// The system error number of a path that is not a regular file (a named pipe, a device or a
// socket) when only regular files are read; a folder gives EISDIR.
inline constexpr int kNotRegularFile = -1;

// Why file could not be read (error: the system's error number, EFBIG for a file larger than
// was allowed, or kNotRegularFile): "Cannot read the file FILE: reason" ("Cannot read standard
// input" for "-"), under "File Input Error", with the error number kept in the message.
Message FileUnreadable(std::string_view file, int error);

// Reads the whole file. A file of more than maxBytes is refused (EFBIG) after reading at most
// maxBytes + 1 bytes. With regularOnly, anything but a regular file is refused without waiting
// on it.
Result<FileBytes> ReadWholeFile(const std::string& path, std::size_t maxBytes = kMaxTextFileBytes,
                                bool regularOnly = false);

// The same for the file name of the folder open as dir (never through a link); messages name the
// file as shownAs.
Result<FileBytes> ReadWholeFileAt(int dir, const std::string& name, const std::string& shownAs,
                                  std::size_t maxBytes = kMaxTextFileBytes,
                                  bool regularOnly = false);

// The whole of a stream (standard input), named name in messages: refused (EFBIG) once it
// holds more than maxBytes, so that a stream without end is never read to its end.
Result<std::string> ReadWholeStream(std::istream& in, std::string_view name,
                                    std::size_t maxBytes = kMaxTextFileBytes);

// The reason in words for a system error number (or EFBIG, kNotRegularFile as above).
std::string ReadErrorText(int error);

// Writes all of content to an open file, going on after interrupted calls. Returns 0, or the
// system's error number.
int WriteAllBytes(int fd, std::string_view content);

// Where the first CR or LF of text is: size when it has none.
std::size_t FirstLineEnd(const char* text, std::size_t size);

// Walks the lines of a text by the same rule as SplitLines, one at a time.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    // The next line, without its line end; false after the last.
    bool Next(std::string_view& line) {
        if (from_ >= text_.size()) return false;
        const char* from = text_.data() + from_;
        const std::size_t left = text_.size() - from_;
        const std::size_t end = FirstLineEnd(from, left);
        line = text_.substr(from_, end);
        from_ += end + (end + 1 < left && from[end] == '\r' && from[end + 1] == '\n' ? 2 : 1);
        return true;
    }

  private:
    std::string_view text_;
    std::size_t from_ = 0;
};

// The lines of a text: each ends at CR LF, LF or a CR alone, and a last line without a line end
// still counts. The views point into text.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace sidewalk
