// Where a program run makes its private workspace: the first fit of the user's runtime folder,
// $TMPDIR and /tmp.
#pragma once

#include <filesystem>

#include "data/message.hpp"

namespace sidewalk {

// $XDG_RUNTIME_DIR when it is a folder of the user's that no other user can write to (the
// freedesktop place for a user's runtime files, a memory file system on most desktops);
// otherwise the system's temporary folder ($TMPDIR, else /tmp) when it is such a folder or
// sticky (others cannot then remove or rename what is made there). When none is fit, a
// "Critical Error" names each folder and why it is not.
Result<std::filesystem::path> WorkspaceParent();

} // namespace sidewalk
