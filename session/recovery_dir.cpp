// Finding and making the recovery folder.
#include "session/recovery_dir.hpp"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "session/runtime_dir.hpp"

namespace sidewalk {

namespace fs = std::filesystem;

Result<fs::path> RecoveryParent() {
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    fs::path base; // a relative XDG_STATE_HOME is not one, by the freedesktop rules
    if (state != nullptr && *state == '/')
        base = state;
    else if (home != nullptr && *home == '/')
        base = fs::path(home) / ".local" / "state";
    else
        return WorkspaceParent();
    const fs::path folder = base / "sidewalk";
    fs::path made;
    for (const fs::path& part : folder) {
        made /= part;
        ::mkdir(made.c_str(), 0700); // an existing one stays as it is
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return WorkspaceParent();
    if ((st.st_mode & 0077) != 0 && ::chmod(folder.c_str(), 0700) != 0) return WorkspaceParent();
    return folder;
}

} // namespace sidewalk
