// What a data file held when this program last read or wrote it, so that a save can tell whether
// another program or person changed the file since.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace sidewalk {

struct FileStamp {
    bool exists = false;
    long long size = 0;     // bytes
    long long modified = 0; // nanoseconds since 1970 (UTC)
    std::uint64_t hash = 0; // of its bytes (64-bit FNV-1a)
};

// The file as it stands: a regular file is read and hashed; anything else (missing, a folder, a
// pipe, unreadable) gives a stamp with exists false, read without waiting on it.
FileStamp StampOf(const std::filesystem::path& path);

// The bytes' hash as a stamp keeps it.
std::uint64_t HashOf(std::string_view bytes);

// The file holds other bytes than the stamped one, or is gone. A file only touched (the same bytes
// with a new time) is the same file: writing over it loses nothing.
inline bool ChangedSince(const FileStamp& then, const FileStamp& now) {
    return then.exists != now.exists || then.size != now.size || then.hash != now.hash;
}

} // namespace sidewalk
