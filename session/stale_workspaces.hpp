// Workspaces left behind by runs that have ended (killed, or the machine lost power): a folder
// where workspaces are made, whose lock no process holds, belongs to no running program. Those
// whose job snapshot holds changes not saved are offered back; the rest are removed.
#pragma once

#include <filesystem>
#include <vector>

#include "data/descriptor.hpp"
#include "session/snapshot.hpp"

namespace sidewalk {

// Removes from parent the workspaces of ended runs that hold nothing to recover (no snapshot
// with changes not saved), and hidden half-made ones nobody holds (a run making one this instant
// makes another). A workspace whose lock is held, one of another user, and anything not named as
// a workspace are never touched. Returns how many folders were removed.
int SweepStaleWorkspaces(const std::filesystem::path& parent);

// An ended run's workspace with changes not saved, locked by this run while it is offered.
struct Recoverable {
    std::filesystem::path folder;
    Snapshot snapshot;
    Descriptor lock;
};

// The workspaces in parent of ended runs whose snapshot holds changes not saved, the latest
// change first.
std::vector<Recoverable> FindRecoverable(const std::filesystem::path& parent);

// Declined: the folder is removed.
void Discard(Recoverable& ended);

} // namespace sidewalk
