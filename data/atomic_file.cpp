// Write-beside-then-rename file replacement (POSIX).
#include "data/atomic_file.hpp"

#include "data/descriptor.hpp"

#include "data/file_text.hpp"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sidewalk {

namespace fs = std::filesystem;

namespace {

Unexpected<Message> OutputError(const fs::path& target, int error) {
    return Failure({"Cannot write the file " + target.string() + ": " + std::strerror(error),
                    "File Output Error", MessageKind::Error});
}

// Creates a new file beside path under a name no other file has, with the given mode less the
// umask: the kernel takes it off, so no process-wide umask is read or changed. Returns the
// descriptor, or -1 with errno set.
int CreateBeside(const fs::path& path, mode_t mode, std::string& tempName) {
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string stem = "." + path.filename().string() + ".";
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    // The address of a local and the clock differ from run to run and thread to thread.
    unsigned long long seed = reinterpret_cast<std::uintptr_t>(&tempName) ^
                              static_cast<unsigned long long>(::getpid()) << 32 ^
                              static_cast<unsigned long long>(std::time(nullptr));
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix;
        for (int i = 0; i < 8; ++i) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            suffix += kLetters[(seed >> 33) % (sizeof kLetters - 1)];
        }
        tempName = (dir / (stem + suffix)).string();
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Writes content to a new file beside path; fills tempName. Returns 0 or the error number. A
// user's file's new content is locked while it is written: a save killed half-way leaves it
// unlocked, and the next save knows it for a leftover.
int WriteBeside(const fs::path& path, std::string_view content, std::string& tempName,
                const struct stat* old, bool synced) {
    // Replacing a file, the new one is never more open than the old one, even while written.
    const mode_t mode = old != nullptr ? static_cast<mode_t>(old->st_mode & 0777) : 0666;
    Descriptor fd(CreateBeside(path, mode, tempName));
    if (!fd.valid()) return errno;
    if (synced) ::flock(fd.get(), LOCK_EX);
    int error = WriteAllBytes(fd.get(), content);
    if (error == 0 && old != nullptr && ::fchmod(fd.get(), old->st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && synced && ::fsync(fd.get()) != 0) error = errno;
    if (const int closed = fd.Close(); error == 0) error = closed;
    if (error != 0) ::unlink(tempName.c_str());
    return error;
}

// Removes the hidden files a save to path killed half-way left beside it (".NAME.xxxxxxxx"),
// those of this user that no save is writing now.
void RemoveLeftovers(const fs::path& path) {
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string stem = "." + path.filename().string() + ".";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != stem.size() + 8 || !name.starts_with(stem)) continue;
        const Descriptor fd(
            ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        ::unlink(entry.path().c_str());
    }
}

} // namespace

Status WriteFileAtomically(const fs::path& target, std::string_view content) {
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
        Descriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (!fd.valid()) return OutputError(target, errno);
        int error = WriteAllBytes(fd.get(), content);
        if (const int closed = fd.Close(); error == 0) error = closed;
        if (error != 0) return OutputError(target, error);
        return {};
    }

    RemoveLeftovers(path);
    std::string tempName;
    if (const int error = WriteBeside(path, content, tempName, exists ? &old : nullptr, true))
        return OutputError(target, error);
    if (::rename(tempName.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return OutputError(target, error);
    }
    // Make the rename itself durable.
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (const Descriptor dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        dirFd.valid())
        ::fsync(dirFd.get());
    return {};
}

Status ReplaceWorkspaceFile(const fs::path& path, std::string_view content, Keep keep) {
    const bool durable = keep == Keep::Durable;
    // A scratch file that is not there yet is written under its own name, and removed if that
    // fails. A durable one always goes through a file beside it: never a half-written one.
    if (!durable) {
        if (Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            fd.valid()) {
            int error = WriteAllBytes(fd.get(), content);
            if (const int closed = fd.Close(); error == 0) error = closed;
            if (error == 0) return {};
            ::unlink(path.c_str());
            return OutputError(path, error);
        }
        if (errno != EEXIST) return OutputError(path, errno);
    }
    std::string tempName;
    if (const int error = WriteBeside(path, content, tempName, nullptr, durable))
        return OutputError(path, error);
    // Renamed over the old file: at every instant the name holds the old content or the new.
    if (::rename(tempName.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return OutputError(path, error);
    }
    if (durable) {
        const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
        const Descriptor dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!dirFd.valid() || ::fsync(dirFd.get()) != 0) return OutputError(path, errno);
    }
    return {};
}

} // namespace sidewalk
