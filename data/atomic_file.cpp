// Write-beside-then-rename file replacement (POSIX).
#include "data/atomic_file.hpp"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/descriptor.hpp"
#include "data/file_text.hpp"
#include "data/folder_fd.hpp"

namespace sidewalk {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryMark = "sidewalk-save-";
constexpr std::size_t kRandomLetters = 6;

Unexpected<Message> OutputError(const fs::path& target, const std::string& why) {
    return Failure({"Cannot write the file " + target.string() + ": " + why, "File Output Error",
                    MessageKind::Error});
}
Unexpected<Message> OutputError(const fs::path& target, int error) {
    return OutputError(target, error == kNotRegularFile
                                   ? std::string("it is a named pipe, a device or a socket, not "
                                                 "a file this program writes over")
                                   : std::string(std::strerror(error)));
}

fs::path FolderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The hidden name a new file beside path is made under, with its random letters to come: the
// target's name and a mark no person would choose, or the mark alone where a name that long
// would not fit the file system.
std::string TemporaryStem(const fs::path& path) {
    const std::string name = path.filename().string();
    const std::string stem = "." + name + "." + std::string(kTemporaryMark);
    return stem.size() + kRandomLetters <= NAME_MAX ? stem : "." + std::string(kTemporaryMark);
}

// Creates a new file beside the file name of the folder open as dir, under a name no other file
// has, with the given mode less the umask (the kernel takes it off, so no process-wide umask is
// read or changed), and locks it until it is closed: while its lock is held no sweep of
// leftovers takes it. Returns the descriptor, or an invalid one with errno set.
Descriptor CreateBeside(int dir, const std::string& name, mode_t mode, std::string& tempName) {
    const std::string stem = TemporaryStem(name);
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    // The address of a local and the clock differ from run to run and thread to thread.
    unsigned long long seed = reinterpret_cast<std::uintptr_t>(&tempName) ^
                              static_cast<unsigned long long>(::getpid()) << 32 ^
                              static_cast<unsigned long long>(std::time(nullptr));
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = stem;
        for (std::size_t i = 0; i < kRandomLetters; ++i) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            tempName += kLetters[(seed >> 33) % (sizeof kLetters - 1)];
        }
        Descriptor fd(
            ::openat(dir, tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (!fd.valid() && errno == EEXIST) continue;
        if (!fd.valid()) return fd;
        // A sweep may have taken the new name between its making and its lock: then another.
        struct stat st {};
        if (::flock(fd.get(), LOCK_EX) == 0 && ::fstat(fd.get(), &st) == 0 && st.st_nlink > 0)
            return fd;
    }
    errno = EEXIST;
    return Descriptor();
}

// Writes content to a new file beside name in dir, locked and still open; fills tempName.
// Returns the error number, or 0 with fd open.
int WriteBeside(int dir, const std::string& name, const ContentWriter& content,
                std::string& tempName, const struct stat* old, bool synced, Descriptor& fd) {
    // Replacing a file, the new one is never more open than the old one, even while written.
    const mode_t mode = old != nullptr ? static_cast<mode_t>(old->st_mode & 0777) : 0666;
    fd = CreateBeside(dir, name, mode, tempName);
    if (!fd.valid()) return errno;
    int error = content(fd.get());
    if (error == 0 && old != nullptr) {
        // The old file's group, where this user may give it, and its mode.
        if (::fchown(fd.get(), static_cast<uid_t>(-1), old->st_gid) != 0 && errno != EPERM)
            error = errno;
        if (error == 0 && ::fchmod(fd.get(), old->st_mode & 07777) != 0) error = errno;
    }
    if (error == 0 && synced && ::fsync(fd.get()) != 0) error = errno;
    if (error != 0) {
        ::unlinkat(dir, tempName.c_str(), 0);
        fd.Close();
    }
    return error;
}

// Renames the new file over name in dir, flushing the folder when durable. Returns the error.
int RenameOver(int dir, const std::string& tempName, const std::string& name, bool durable) {
    if (::renameat(dir, tempName.c_str(), dir, name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(dir, tempName.c_str(), 0);
        return error;
    }
    return durable && ::fsync(dir) != 0 ? errno : 0;
}

Descriptor OpenFolder(const fs::path& folder) {
    return Descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Removes the hidden files that saves to path killed half-way left beside it: names of exactly
// the form a save makes, regular files of this user, whose lock no save holds.
void RemoveLeftovers(const Descriptor& dir, const fs::path& path) {
    const std::string stem = TemporaryStem(path);
    for (const std::string& name : EntriesAt(dir.get())) {
        if (name.size() != stem.size() + kRandomLetters || !name.starts_with(stem)) continue;
        const Descriptor fd(
            ::openat(dir.get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        ::unlinkat(dir.get(), name.c_str(), 0); // while locked: no save has it
    }
}

} // namespace

bool IsTemporaryFileOf(std::string_view entry, std::string_view name) {
    const std::string stem = TemporaryStem(fs::path(std::string(name)));
    return entry.size() == stem.size() + kRandomLetters && entry.starts_with(stem);
}

bool BelongsToAnotherUser(const fs::path& target) {
    struct stat st {};
    return ::stat(target.c_str(), &st) == 0 && st.st_uid != ::geteuid();
}

std::string ReplaceQuestion(const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    if ((st.st_mode & S_IWUSR) == 0) return target.string() + " is read-only. Replace it anyway?";
    if (st.st_nlink > 1)
        return target.string() +
               " has other names (hard links), which would keep the old content. Replace it "
               "anyway?";
    return {};
}

Status WriteFileAtomically(const fs::path& target, std::string_view content, Replace replace) {
    return WriteFileAtomically(
        target, [content](int fd) { return WriteAllBytes(fd, content); }, replace);
}

Status WriteFileAtomically(const fs::path& target, const ContentWriter& content, Replace replace) {
    // Saving through a symbolic link replaces the file it points to, not the link.
    fs::path path = target;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec) path = resolved;
    }

    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // A pipe, a device or a socket is refused at once: never waited on, never written to.
    if (exists && !S_ISREG(old.st_mode))
        return OutputError(target, S_ISDIR(old.st_mode) ? EISDIR : kNotRegularFile);
    if (BelongsToAnotherUser(path))
        return OutputError(target, "it belongs to another user, and is not replaced");
    if (exists && replace == Replace::Unasked && (old.st_mode & S_IWUSR) == 0)
        return OutputError(target, "it is read-only");
    if (exists && replace == Replace::Unasked && old.st_nlink > 1)
        return OutputError(target, "it has other names (hard links), which would keep the old "
                                   "content");

    const Descriptor dir = OpenFolder(FolderOf(path));
    if (!dir.valid()) return OutputError(target, errno);
    RemoveLeftovers(dir, path);
    const std::string name = path.filename().string();
    std::string tempName;
    Descriptor fd; // held, and so locked, until the rename is done
    if (const int error =
            WriteBeside(dir.get(), name, content, tempName, exists ? &old : nullptr, true, fd))
        return OutputError(target, error);
    if (const int error = RenameOver(dir.get(), tempName, name, false); error != 0)
        return OutputError(target, error);
    fd.Close();
    ::fsync(dir.get()); // the rename made durable as well

    return {};
}

Status ReplaceFileAt(int dir, const std::string& folder, const std::string& name,
                     std::string_view content, Keep keep) {
    const bool durable = keep == Keep::Durable;
    const std::string shown = folder + name;
    // A scratch file that is not there yet is written under its own name, and removed if that
    // fails. A durable one always goes through a file beside it: never a half-written one.
    if (!durable) {
        if (Descriptor fd(::openat(dir, name.c_str(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            fd.valid()) {
            int error = WriteAllBytes(fd.get(), content);
            if (const int closed = fd.Close(); error == 0) error = closed;
            if (error == 0) return {};
            ::unlinkat(dir, name.c_str(), 0);
            return OutputError(shown, error);
        }
        if (errno != EEXIST) return OutputError(shown, errno);
    }
    std::string tempName;
    Descriptor fd;
    const ContentWriter writer = [content](int out) { return WriteAllBytes(out, content); };
    if (const int error = WriteBeside(dir, name, writer, tempName, nullptr, durable, fd))
        return OutputError(shown, error);
    // Renamed over the old file: at every instant the name holds the old content or the new.
    if (const int error = RenameOver(dir, tempName, name, durable); error != 0)
        return OutputError(shown, error);
    return {};
}

Status ReplaceWorkspaceFile(const fs::path& path, std::string_view content, Keep keep) {
    const Descriptor dir = OpenFolder(FolderOf(path));
    if (!dir.valid()) return OutputError(path, errno);
    return ReplaceFileAt(dir.get(), path.has_parent_path() ? FolderOf(path).string() + "/" : "",
                         path.filename().string(), content, keep);
}

} // namespace sidewalk
