// Stamping a data file: its size, time and a hash of its bytes.
#include "data/file_stamp.hpp"

#include <sys/stat.h>

#include "data/file_text.hpp"

namespace sidewalk {

std::uint64_t HashOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

FileStamp StampOf(const std::filesystem::path& path) {
    FileStamp stamp;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return stamp;
    const Result<FileBytes> bytes = ReadWholeFile(path.string(), kMaxTextFileBytes, true);
    if (!bytes) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<long long>(bytes->view().size());
    stamp.modified =
        static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
    stamp.hash = HashOf(bytes->view());
    return stamp;
}

} // namespace sidewalk
