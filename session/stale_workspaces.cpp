// Finding the workspaces of ended runs: offering back those with unsaved work, removing the rest.
#include "session/stale_workspaces.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
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

bool BlockFileName(const std::string& name) {
    return name.size() == 12 && name.starts_with("SECT") && name.ends_with(".TMP");
}

// A regular file of the folder, never read through a link or waited on; its time in ms.
std::optional<std::string> ReadIn(int folder, const std::string& name, long long& when) {
    const Descriptor fd(
        ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > kMaxTextFileBytes)
        return std::nullopt;
    when = std::max(when, static_cast<long long>(st.st_mtim.tv_sec) * 1000 +
                              st.st_mtim.tv_nsec / 1'000'000);
    std::string bytes;
    char buffer[65536];
    for (ssize_t got; (got = ::read(fd.get(), buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

// What an ended run's workspace holds to offer back, or nothing.
std::optional<Recoverable> ToOffer(const fs::path& folder, int fd, Workspaces holds) {
    std::vector<std::string> names;
    if (DIR* dir = ::fdopendir(::dup(fd))) {
        while (const dirent* entry = ::readdir(dir))
            names.emplace_back(entry->d_name);
        ::closedir(dir);
    }
    const std::string snapshotName(kSnapshotName);
    const std::string beingWritten = "." + snapshotName + ".";
    long long when = 0;
    std::optional<std::string> text = ReadIn(fd, snapshotName, when);
    bool rows = false;
    std::vector<int> blocks;
    std::optional<std::string> unfinished;
    for (const std::string& name : names) {
        std::string bytes;
        if (BlockFileName(name) && (bytes = ReadIn(fd, name, when).value_or("")).size() > 0) {
            rows = true;
            blocks.push_back(std::atoi(name.substr(4, 4).c_str()));
        }
        if (name.size() == beingWritten.size() + 8 && name.starts_with(beingWritten))
            unfinished = ReadIn(fd, name, when);
    }
    Recoverable found{folder, {}, 0, Descriptor()};
    Snapshot& s = found.snapshot;
    if (text) {
        s = ReadSnapshot(*text);
        if (!s.changed) return std::nullopt; // saved, or never changed
    } else if (unfinished) {
        s = ReadSnapshot(*unfinished);
        s.changed = true;
        s.damage = "its snapshot was being written when the run ended" +
                   (s.damage.empty() ? std::string() : ", and " + s.damage);
    } else if (rows && holds == Workspaces::Recovery) {
        s.changed = true;
        s.damage = "its snapshot is missing: the block headers and the index record are lost";
    } else {
        return std::nullopt;
    }
    if (s.when == 0) s.when = when;
    for (int n = 1; n <= kMaxBlocks; ++n)
        if (!(s.job.header(n) == BlockHeader{}) ||
            std::find(blocks.begin(), blocks.end(), n) != blocks.end())
            ++found.blocks;
    return found;
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

int SweepStaleWorkspaces(const fs::path& parent, Workspaces holds) {
    int removed = 0;
    EndedWorkspaces(parent, [&](const fs::path& folder, Descriptor lock, bool staged) {
        if (!staged && ToOffer(folder, lock.get(), holds)) return; // work to offer back
        // Removed while locked: two sweeps never take the same folder apart together.
        std::error_code gone;
        fs::remove_all(folder, gone);
        if (!gone) ++removed;
    });
    return removed;
}

std::vector<Recoverable> FindRecoverable(const fs::path& parent, Workspaces holds) {
    std::vector<Recoverable> found;
    EndedWorkspaces(parent, [&](const fs::path& folder, Descriptor lock, bool staged) {
        if (staged) return;
        if (auto offer = ToOffer(folder, lock.get(), holds)) {
            offer->lock = std::move(lock);
            found.push_back(std::move(*offer));
        }
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
