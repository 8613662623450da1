// Write-beside-then-rename file replacement (POSIX).
#include "data/atomic_file.hpp"

#include "data/file_text.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sidewalk {

namespace fs = std::filesystem;

namespace {

Message OutputError(const fs::path& target, int error) {
    return Message{"Cannot write the file " + target.string() + ": " + std::strerror(error),
                   "File Output Error", MessageKind::Error};
}

mode_t ModeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

std::optional<Message> WriteFileAtomically(const fs::path& target, std::string_view content,
                                           Durability durability) {
    const bool synced = durability == Durability::Synced;
    // Saving through a symbolic link replaces the file it points to, not the link.
    fs::path path = target;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec) path = resolved;
    }

    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return OutputError(target, EISDIR);
    if (exists && !S_ISREG(old.st_mode)) {
        // A device or a pipe (standard output, say) has no old content to keep: write to it.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return OutputError(target, errno);
        int error = WriteAllBytes(fd, content);
        if (::close(fd) != 0 && error == 0) error = errno;
        if (error != 0) return OutputError(target, error);
        return std::nullopt;
    }
    const mode_t mode = exists ? static_cast<mode_t>(old.st_mode & 07777) : ModeForNewFile();

    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string pattern = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) return OutputError(target, errno);

    int error = WriteAllBytes(fd, content);
    if (error == 0 && (::fchmod(fd, mode) != 0 || (synced && ::fsync(fd) != 0))) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    // A workspace file is unlinked before the rename: renaming over an existing file makes
    // ext4 write the new data out at once, which costs more than the whole report run. The old
    // file still stays until the new one is complete.
    if (error == 0 && !synced) ::unlink(path.c_str());
    if (error == 0 && ::rename(tempName.data(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(tempName.data());
        return OutputError(target, error);
    }

    if (!synced) return std::nullopt;
    // Make the rename itself durable.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return std::nullopt;
}

} // namespace sidewalk
