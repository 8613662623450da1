// Finding the workspaces of ended runs: offering back those with unsaved work, removing the rest.
#include "session/stale_workspaces.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/atomic_file.hpp"
#include "data/file_text.hpp"
#include "data/folder_fd.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

namespace fs = std::filesystem;

namespace {

bool NamedWith(const std::string& name, std::string_view prefix) {
    return name.size() == prefix.size() + 6 && name.starts_with(prefix);
}

} // namespace

Result<std::string> ReadEndedFile(int folder, const std::string& name, long long& when) {
    Result<FileBytes> bytes = ReadWholeFileAt(folder, name, name, kMaxTextFileBytes, true);
    if (!bytes) {
        Message why = bytes.error();
        if (why.systemError == EISDIR) why.systemError = kNotRegularFile; // a folder, not a file
        return Failure(why);
    }
    struct stat st {};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        when = std::max(when, static_cast<long long>(st.st_mtim.tv_sec) * 1000 +
                                  st.st_mtim.tv_nsec / 1'000'000);
    return std::string(bytes->view());
}

namespace {

// What to do with an ended run's workspace.
enum class Verdict { Offer, Remove, LeaveAlone };

// Whether an ended run's workspace holds work to offer back (then filled in found), nothing to
// recover, or something that is not a regular file where its files should be (a link, a pipe):
// that is never read, and its folder is left alone.
Verdict Judge(const fs::path& folder, int fd, Workspaces holds, Recoverable& found) {
    const std::string snapshotName(kSnapshotName);
    long long when = 0;
    const Result<std::string> text = ReadEndedFile(fd, snapshotName, when);
    if (!text && text.error().systemError != ENOENT) return Verdict::LeaveAlone;
    bool rows = false;
    std::vector<int> blocks;
    std::optional<std::string> unfinished;
    for (const std::string& name : EntriesAt(fd)) {
        const int block = BlockNumberOf(name);
        const bool temporary = IsTemporaryFileOf(name, snapshotName);
        if (block == 0 && !temporary) continue;
        const Result<std::string> bytes = ReadEndedFile(fd, name, when);
        if (!bytes && bytes.error().systemError == kNotRegularFile) return Verdict::LeaveAlone;
        if (temporary && bytes) unfinished = *bytes;
        if (block != 0 && bytes && !bytes->empty()) {
            rows = true;
            blocks.push_back(block);
        }
    }
    found = Recoverable{folder, {}, 0, Descriptor()};
    Snapshot& s = found.snapshot;
    if (text) {
        s = ReadSnapshot(*text);
        if (!s.changed) return Verdict::Remove; // saved, or never changed
    } else if (unfinished) {
        s = ReadSnapshot(*unfinished);
        s.changed = true;
        s.damage = "its snapshot was being written when the run ended" +
                   (s.damage.empty() ? std::string() : ", and " + s.damage);
    } else if (rows && holds == Workspaces::Recovery) {
        s.changed = true;
        s.damage = "its snapshot is missing: the block headers and the index record are lost";
    } else {
        return Verdict::Remove;
    }
    if (s.when == 0) s.when = when;
    for (int n = 1; n <= kMaxBlocks; ++n)
        if (!(s.job.header(n) == BlockHeader{}) ||
            std::find(blocks.begin(), blocks.end(), n) != blocks.end())
            ++found.blocks;
    return Verdict::Offer;
}

// Calls found(folder, lock, staged) for each workspace in parent of this user whose run has
// ended, locked by this run meanwhile. A hidden one made less than a minute ago is left alone:
// its run may be about to lock it.
template <typename Found> void EndedWorkspaces(const fs::path& parent, Found found) {
    std::error_code ec;
    const auto now = std::chrono::system_clock::now();
    for (const fs::directory_entry& entry : fs::directory_iterator(parent, ec)) {
        const fs::path folder = entry.path();
        const std::string name = folder.filename().string();
        const bool staged = NamedWith(name, kWorkspaceStaging);
        if (!staged && !NamedWith(name, kWorkspacePrefix)) continue;
        Descriptor lock(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat st {};
        if (!lock.valid() || ::fstat(lock.get(), &st) != 0 || st.st_uid != ::geteuid()) continue;
        const auto made = std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec);
        if (staged && now - made < std::chrono::minutes(1)) continue;
        if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) continue; // it lives
        found(folder, std::move(lock), staged);
    }
}

} // namespace

int SweepStaleWorkspaces(const fs::path& parent, Workspaces holds) {
    int removed = 0;
    EndedWorkspaces(parent, [&](const fs::path& folder, Descriptor lock, bool staged) {
        Recoverable found;
        if (!staged && Judge(folder, lock.get(), holds, found) != Verdict::Remove) return;
        // Removed while locked: two sweeps never take the same folder apart together.
        RemoveFolderAt(folder.string(), lock.get());
        if (!fs::exists(fs::symlink_status(folder))) ++removed;
    });
    return removed;
}

std::vector<Recoverable> FindRecoverable(const fs::path& parent, Workspaces holds) {
    std::vector<Recoverable> found;
    EndedWorkspaces(parent, [&](const fs::path& folder, Descriptor lock, bool staged) {
        Recoverable offer;
        if (staged || Judge(folder, lock.get(), holds, offer) != Verdict::Offer) return;
        offer.lock = std::move(lock);
        found.push_back(std::move(offer));
    });
    std::stable_sort(found.begin(), found.end(), [](const Recoverable& a, const Recoverable& b) {
        return a.snapshot.when > b.snapshot.when;
    });
    return found;
}

void Discard(Recoverable& ended) {
    if (ended.lock.valid()) RemoveFolderAt(ended.folder.string(), ended.lock.get());
    ended.lock.Close();
}

} // namespace sidewalk
