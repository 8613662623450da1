// Whole-file text access through POSIX calls.
#include "data/file_text.hpp"

#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "data/descriptor.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sidewalk {

// The system calls of a whole-file read: 0, or the system's error number.
int ReadInto(int dir, const std::string& path, FileBytes& bytes, std::size_t maxBytes,
             bool regularOnly) {
    bytes = FileBytes();
    struct stat st {};
    if (regularOnly) { // look before opening: opening a pipe waits for its writer
        if (::fstatat(dir, path.c_str(), &st, dir != AT_FDCWD ? AT_SYMLINK_NOFOLLOW : 0) != 0)
            return errno;
        if (S_ISDIR(st.st_mode)) return EISDIR;
        if (!S_ISREG(st.st_mode)) return kNotRegularFile;
    }
    // A file of a folder open as dir is never read through a link.
    const Descriptor fd(::openat(dir, path.c_str(),
                                 O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0) |
                                     (dir != AT_FDCWD ? O_NOFOLLOW : 0)));
    if (!fd.valid()) return errno;
    if (::fstat(fd.get(), &st) == 0 &&
        (S_ISDIR(st.st_mode) || (regularOnly && !S_ISREG(st.st_mode))))
        return S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
    if (st.st_size > 0 && static_cast<std::size_t>(st.st_size) > maxBytes) return EFBIG;
    // Read straight into the buffer, growing it when the file turns out longer than it said.
    std::size_t capacity = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t size = 0;
    for (;;) {
        if (size == capacity) {
            auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
            std::memcpy(larger.get(), data.get(), size);
            data = std::move(larger);
            capacity *= 2;
        }
        const ssize_t n = ::read(fd.get(), data.get() + size, capacity - size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) break;
        size += static_cast<std::size_t>(n);
        // A short read of a regular file is its end.
        if (S_ISREG(st.st_mode) && size < capacity) break;
        // A device or a growing file can hold more than its size said.
        if (size > maxBytes) return EFBIG;
    }
    bytes.data_ = std::move(data);
    bytes.size_ = size;
    return 0;
}

Message FileUnreadable(std::string_view file, int error) {
    const std::string what = file == "-" ? "standard input" : "the file " + std::string(file);
    return Message{"Cannot read " + what + ": " + ReadErrorText(error), "File Input Error",
                   MessageKind::Error, error};
}

Result<std::string> ReadWholeStream(std::istream& in, std::string_view name, std::size_t maxBytes) {
    std::string text;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxBytes) return Failure(FileUnreadable(name, EFBIG));
    }
    if (in.bad()) return Failure(FileUnreadable(name, EIO));
    return text;
}

Result<FileBytes> ReadWholeFile(const std::string& path, std::size_t maxBytes, bool regularOnly) {
    return ReadWholeFileAt(AT_FDCWD, path, path, maxBytes, regularOnly);
}

Result<FileBytes> ReadWholeFileAt(int dir, const std::string& name, const std::string& shownAs,
                                  std::size_t maxBytes, bool regularOnly) {
    FileBytes bytes;
    if (const int error = ReadInto(dir, name, bytes, maxBytes, regularOnly); error != 0)
        return Failure(FileUnreadable(shownAs, error));
    return bytes;
}

int WriteAllBytes(int fd, std::string_view content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

std::string ReadErrorText(int error) {
    if (error == kNotRegularFile)
        return "it is a named pipe, a device or a socket, not a data file, and was not read";
    if (error == EFBIG)
        return "it is larger than " + std::to_string(kMaxTextFileBytes >> 20) +
               " MB, far larger than any card file of this program, and was not read";
    return std::strerror(error);
}

std::size_t FirstLineEnd(const char* text, std::size_t size) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: one pass for both, however far the first of them lies.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const int ends =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (ends != 0)
            return i + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(ends)));
    }
#endif
    for (; i < size; ++i)
        if (text[i] == '\r' || text[i] == '\n') return i;
    return size;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 32 + 1); // about a card's length a line
    LineCursor cursor(text);
    for (std::string_view line; cursor.Next(line);)
        lines.push_back(line);
    return lines;
}

} // namespace sidewalk
