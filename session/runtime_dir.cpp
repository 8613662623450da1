// Choosing the folder for a run's workspace.
#include "session/runtime_dir.hpp"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace sidewalk {

namespace fs = std::filesystem;

namespace {

// Why the folder is not fit for a workspace; empty when it is.
std::string Unfit(const fs::path& folder, bool stickyWillDo) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return "is not a folder";
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return "cannot be written";
    const bool own = st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    if (own || (stickyWillDo && (st.st_mode & S_ISVTX) != 0)) return {};
    return st.st_uid != ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0
               ? "belongs to another user"
               : "can be written by other users";
}

} // namespace

Result<fs::path> WorkspaceParent() {
    std::string why;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') {
        const std::string unfit = Unfit(runtime, false);
        if (unfit.empty()) return fs::path(runtime);
        why += "\n$XDG_RUNTIME_DIR " + std::string(runtime) + " " + unfit;
    }
    const char* tmpdir = std::getenv("TMPDIR");
    const fs::path temp = tmpdir != nullptr && *tmpdir != '\0' ? fs::path(tmpdir) : "/tmp";
    const std::string unfit = Unfit(temp, true);
    if (unfit.empty()) return temp;
    why += "\n" + std::string(tmpdir != nullptr && *tmpdir != '\0' ? "$TMPDIR " : "") +
           temp.string() + " " + unfit;
    return Failure({"No folder is fit for the program's private workspace:" + why + ".",
                    "Critical Error", MessageKind::Critical});
}

} // namespace sidewalk
