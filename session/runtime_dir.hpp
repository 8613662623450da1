// Where a program run makes its private workspace: the user's runtime folder when there is one.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace sidewalk {

// $XDG_RUNTIME_DIR when it is set and writable (the freedesktop place for a user's runtime
// files, a memory file system on most desktops), otherwise the system's temporary directory
// ($TMPDIR, else /tmp).
inline std::filesystem::path WorkspaceParent() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0' && ::access(runtime, W_OK | X_OK) == 0)
        return runtime;
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path("/tmp") : temp;
}

} // namespace sidewalk
