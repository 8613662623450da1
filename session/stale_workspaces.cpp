// Finding the workspaces of ended runs: offering back those with unsaved work, removing the rest.
#include "session/stale_workspaces.hpp"

#include <algorithm>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/file_text.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

namespace fs = std::filesystem;

namespace {

bool NamedWith(const std::string& name, std::string_view prefix) {
    return name.size() == prefix.size() + 6 && name.starts_with(prefix);
}

// The snapshot of a workspace when it holds changes not saved.
std::optional<Snapshot> Unsaved(const fs::path& folder) {
    FileBytes bytes;
    if (ReadWholeFile((folder / kSnapshotName).string(), bytes) != 0) return std::nullopt;
    Result<Snapshot> snapshot = ReadSnapshot(bytes.view());
    if (!snapshot || !snapshot->changed) return std::nullopt;
    return std::move(*snapshot);
}

// Calls found(folder, lock, staged) for each workspace in parent of this user whose run has
// ended, locked by this run meanwhile.
template <typename Found> void EndedWorkspaces(const fs::path& parent, Found found) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(parent, ec)) {
        const fs::path folder = entry.path();
        const std::string name = folder.filename().string();
        const bool staged = NamedWith(name, kWorkspaceStaging);
        if (!staged && !NamedWith(name, kWorkspacePrefix)) continue;
        struct stat st {};
        if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        Descriptor lock(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!lock.valid() || ::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) continue; // it lives
        found(folder, std::move(lock), staged);
    }
}

} // namespace

int SweepStaleWorkspaces(const fs::path& parent) {
    int removed = 0;
    EndedWorkspaces(parent, [&removed](const fs::path& folder, Descriptor, bool staged) {
        if (!staged && Unsaved(folder)) return; // a job to offer back
        // Removed while locked: two sweeps never take the same folder apart together.
        std::error_code gone;
        fs::remove_all(folder, gone);
        if (!gone) ++removed;
    });
    return removed;
}

std::vector<Recoverable> FindRecoverable(const fs::path& parent) {
    std::vector<Recoverable> found;
    EndedWorkspaces(parent, [&found](const fs::path& folder, Descriptor lock, bool staged) {
        if (staged) return;
        if (auto snapshot = Unsaved(folder))
            found.push_back({folder, std::move(*snapshot), std::move(lock)});
    });
    std::stable_sort(found.begin(), found.end(), [](const Recoverable& a, const Recoverable& b) {
        return a.snapshot.when > b.snapshot.when;
    });
    return found;
}

void Discard(Recoverable& ended) {
    std::error_code ec;
    fs::remove_all(ended.folder, ec);
    ended.lock.Close();
}

} // namespace sidewalk
