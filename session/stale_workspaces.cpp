// Finding and removing the workspaces of ended runs.
#include "session/stale_workspaces.hpp"

#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/descriptor.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

namespace fs = std::filesystem;

namespace {

bool NamedWith(const std::string& name, std::string_view prefix) {
    return name.size() == prefix.size() + 6 && name.starts_with(prefix);
}

} // namespace

int SweepStaleWorkspaces(const fs::path& parent) {
    int removed = 0;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(parent, ec)) {
        const fs::path folder = entry.path();
        const std::string name = folder.filename().string();
        const bool staged = NamedWith(name, kWorkspaceStaging);
        if (!staged && !NamedWith(name, kWorkspacePrefix)) continue;
        struct stat st {};
        if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        const Descriptor lock(
            ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!lock.valid() || ::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) continue; // it lives
        if (fs::exists(folder / kSnapshotName, ec)) continue; // a job to offer back
        // Removed while locked: two sweeps never take the same folder apart together.
        std::error_code gone;
        fs::remove_all(folder, gone);
        if (!gone) ++removed;
    }
    return removed;
}

} // namespace sidewalk
