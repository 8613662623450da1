// The private workspace folder and its fixed file names.
#include "data/workspace.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <vector>

#include "data/atomic_file.hpp"
#include "data/folder_fd.hpp"
#include "data/number.hpp"
#include "data/text.hpp"
#include "data/version.hpp"

namespace sidewalk {

namespace fs = std::filesystem;

namespace {

// Locks the folder. A file system that cannot lock folders (some network ones) leaves it
// unlocked: no sweep then ever takes it, since a sweep takes only what it could lock.
bool Locked(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

// Renames the made folder to its workspace name, never over another folder.
bool MoveInto(const std::string& staged, const std::string& named) {
    if (::renameat2(AT_FDCWD, staged.c_str(), AT_FDCWD, named.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without RENAME_NOREPLACE: the name comes from mkdtemp's, so it is free
    // unless someone made it on purpose; an empty folder of that name is not replaced.
    struct stat st {};
    if (::lstat(named.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(staged.c_str(), named.c_str()) == 0;
}

} // namespace

Result<Workspace> Workspace::Create(const fs::path& parent) {
    const fs::path base = parent.empty() ? fs::path("/tmp") : parent;
    auto failed = [&base](int error) {
        return Failure(
            {"Cannot make the workspace folder in " + base.string() + ": " + std::strerror(error),
             "Critical Error", MessageKind::Critical});
    };
    const std::string pattern = (base / (std::string(kWorkspaceStaging) + "XXXXXX")).string();
    int error = 0;
    // A sweep by another run may take the hidden folder away, or hold its lock, before this run
    // locks it: then again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        // mkdtemp makes the folder with mode 0700 under a name nobody else can have taken.
        if (::mkdtemp(name.data()) == nullptr) return failed(errno);
        const std::string staged = name.data();
        Descriptor lock(::open(staged.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        // The lock goes with the folder (it is on the folder itself, not on its name).
        const std::string named =
            (base / (std::string(kWorkspacePrefix) + staged.substr(staged.size() - 6))).string();
        if (lock.valid() && Locked(lock.get()) && MoveInto(staged, named))
            return Workspace(named + "/", std::move(lock));
        error = errno;
        ::rmdir(staged.c_str());
        if (error != ENOENT && error != EWOULDBLOCK) break;
    }
    return failed(error);
}

Workspace::Workspace(Workspace&& other) noexcept
    : tempDir_(std::move(other.tempDir_)), lock_(std::move(other.lock_)), durable_(other.durable_) {
    other.tempDir_.clear();
}

Workspace& Workspace::operator=(Workspace&& other) noexcept {
    if (this != &other) {
        Shutdown();
        tempDir_ = std::move(other.tempDir_);
        lock_ = std::move(other.lock_);
        durable_ = other.durable_;
        other.tempDir_.clear();
    }
    return *this;
}

Workspace::~Workspace() {
    Shutdown();
}

std::string Workspace::File(std::string_view name) const {
    return tempDir_ + std::string(name);
}

std::string Workspace::BlockFileName(int n) const {
    return tempDir_ + "SECT" + Format(n, "0000") + ".TMP";
}

int BlockNumberOf(std::string_view name) {
    if (name.size() != 12 || !name.starts_with("SECT") || !name.ends_with(".TMP")) return 0;
    int n = 0;
    for (std::size_t i = 4; i < 8; ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n <= kBlockFileSweep ? n : 0;
}

void Workspace::DeleteBlockFiles() const {
    if (tempDir_.empty()) return;
    // Deletes SECT0001.TMP .. SECT0500.TMP. The folder is private, so looking at what it
    // holds finds the same files as trying all 500 names, with far fewer calls.
    for (const std::string& name : EntriesAt(lock_.get()))
        if (BlockNumberOf(name) != 0) ::unlinkat(lock_.get(), name.c_str(), 0);
}

Status Workspace::WriteVersionFile() const {
    return Write(VersionFile(), VersionLine() + std::string(kLineEnd));
}

Status Workspace::Write(const std::string& file, std::string_view content) const {
    return Write(file, content, durable_ ? Keep::Durable : Keep::Scratch);
}

namespace {

// The name of a file of the workspace folder, or nothing for any other file.
std::optional<std::string> NameIn(const std::string& tempDir, const std::string& file) {
    if (tempDir.empty() || !file.starts_with(tempDir) ||
        file.find('/', tempDir.size()) != std::string::npos)
        return std::nullopt;
    return file.substr(tempDir.size());
}

} // namespace

Status Workspace::Write(const std::string& file, std::string_view content, Keep keep) const {
    const std::optional<std::string> name = NameIn(tempDir_, file);
    if (!name)
        return Failure(
            {"Cannot write the file " + file + ": it is not in the workspace " + tempDir_ + ".",
             "File Output Error", MessageKind::Error});
    return ReplaceFileAt(lock_.get(), tempDir_, *name, content, keep);
}

Result<FileBytes> Workspace::Read(const std::string& file) const {
    const std::optional<std::string> name = NameIn(tempDir_, file);
    if (!name) return Failure(FileUnreadable(file, EINVAL));
    return ReadWholeFileAt(lock_.get(), *name, file);
}

Status Workspace::SyncFiles() const {
    int error = 0;
    for (const std::string& name : EntriesAt(lock_.get())) {
        const Descriptor fd(
            ::openat(lock_.get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (fd.valid() && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::fsync(fd.get()) != 0 && error == 0)
            error = errno;
    }
    if (error == 0 && ::fsync(lock_.get()) != 0) error = errno;
    if (error == 0) return {};
    return Failure({"Cannot write the workspace " + tempDir_ + " to disk: " + std::strerror(error),
                    "File Output Error", MessageKind::Error});
}

void Workspace::LeaveForRecovery() {
    if (tempDir_.empty()) return;
    for (const std::string& name : EntriesAt(lock_.get())) {
        const bool kept =
            name == kSnapshotName || name == "VERSION.TMP" || BlockNumberOf(name) != 0;
        if (!kept) ::unlinkat(lock_.get(), name.c_str(), 0);
    }
    ::fsync(lock_.get());
    tempDir_.clear();
    lock_.Close(); // a later run finds the folder unlocked: its work is offered there
}

void Workspace::Shutdown() {
    if (tempDir_.empty()) return;
    // Every file made in the folder (a selection file, a half-written save too), then the folder,
    // through the folder's own descriptor: never through a name someone may have swapped.
    RemoveFolderAt(tempDir_, lock_.get());
    tempDir_.clear();
    lock_.Close(); // after the folder is gone: no sweep meets it half removed
}

} // namespace sidewalk
