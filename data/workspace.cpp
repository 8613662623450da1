// The private workspace folder and its fixed file names.
#include "data/workspace.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <vector>

#include "data/atomic_file.hpp"
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
    // A sweep by another run may take the hidden folder away before it is locked: then again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        // mkdtemp makes the folder with mode 0700 under a name nobody else can have taken.
        if (::mkdtemp(name.data()) == nullptr) return failed(errno);
        const std::string staged = name.data();
        Descriptor lock(::open(staged.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        // The lock goes with the folder (it is on the folder itself, not on its name).
        const std::string named =
            (base / (std::string(kWorkspacePrefix) + staged.substr(staged.size() - 6))).string();
        if (lock.valid() && Locked(lock.get()) && MoveInto(staged, named))
            return Workspace(named + "/", std::move(lock));
        error = errno;
        ::rmdir(staged.c_str());
        if (error != ENOENT) break;
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

void Workspace::DeleteBlockFiles() const {
    if (tempDir_.empty()) return;
    // Deletes SECT0001.TMP .. SECT0500.TMP. The folder is private, so looking at what it
    // holds finds the same files as trying all 500 names, with far fewer calls.
    std::error_code ec;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(tempDir_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != 12 || name.compare(0, 4, "SECT") != 0 || name.compare(8, 4, ".TMP") != 0)
            continue;
        int n = 0;
        bool digits = true;
        for (std::size_t i = 4; i < 8; ++i) {
            if (name[i] < '0' || name[i] > '9') digits = false;
            n = n * 10 + (name[i] - '0');
        }
        if (digits && n >= 1 && n <= kBlockFileSweep) found.push_back(it->path());
    }
    for (const fs::path& p : found)
        fs::remove(p, ec);
}

Status Workspace::WriteVersionFile() const {
    return Write(VersionFile(), VersionLine() + std::string(kLineEnd));
}

Status Workspace::Write(const std::string& file, std::string_view content) const {
    return ReplaceWorkspaceFile(file, content, durable_ ? Keep::Durable : Keep::Scratch);
}

template <typename Visit> void Workspace::EachEntry(Visit visit) const {
    // Read through the locked folder's own descriptor: never another folder put in its place.
    DIR* dir = ::fdopendir(::dup(lock_.get()));
    if (dir == nullptr) return;
    ::rewinddir(dir);
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : names)
        visit(name);
}

Status Workspace::SyncFiles() const {
    int error = 0;
    EachEntry([&](const std::string& name) {
        const Descriptor fd(
            ::openat(lock_.get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (fd.valid() && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::fsync(fd.get()) != 0 && error == 0)
            error = errno;
    });
    if (error == 0 && ::fsync(lock_.get()) != 0) error = errno;
    if (error == 0) return {};
    return Failure({"Cannot write the workspace " + tempDir_ + " to disk: " + std::strerror(error),
                    "File Output Error", MessageKind::Error});
}

void Workspace::LeaveForRecovery() {
    if (tempDir_.empty()) return;
    EachEntry([this](const std::string& name) {
        const bool kept = name == kSnapshotName || name == "VERSION.TMP" ||
                          (name.size() == 12 && name.starts_with("SECT") && name.ends_with(".TMP"));
        if (!kept) ::unlinkat(lock_.get(), name.c_str(), 0);
    });
    ::fsync(lock_.get());
    tempDir_.clear();
    lock_.Close(); // a later run finds the folder unlocked: its work is offered there
}

void Workspace::Shutdown() {
    if (tempDir_.empty()) return;
    for (const std::string& name : {ReportFile(), WorkFile(), File("TMP.SPL"), VersionFile()}) {
        std::error_code ec;
        fs::remove(name, ec);
    }
    // Then the block files and whatever else was made in the folder (a selection file, a
    // half-written save), and the folder itself.
    std::error_code ec;
    fs::remove_all(fs::path(tempDir_), ec);
    tempDir_.clear();
    lock_.Close(); // after the folder is gone: no sweep meets it half removed
}

} // namespace sidewalk
