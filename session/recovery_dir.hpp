// Where the desktop program keeps its workspaces, which hold the recovery data of work not yet
// saved: a folder that outlives a logout, a reboot and a power cut.
#pragma once

#include <filesystem>

#include "data/message.hpp"

namespace sidewalk {

// $XDG_STATE_HOME/sidewalk, else ~/.local/state/sidewalk, made with mode 0700 (and so are the
// folders above it that it makes). The runtime folder when there is no home to keep it in, or
// when the folder is not a folder of this user's (a link, another user's).
Result<std::filesystem::path> RecoveryParent();

} // namespace sidewalk
