// Workspaces left behind by runs that have ended (killed, or the machine lost power): a folder
// where workspaces are made, whose lock no process holds, belongs to no running program.
#pragma once

#include <filesystem>

namespace sidewalk {

// Removes from parent the workspaces of ended runs that hold nothing to recover (no snapshot of
// a job), and hidden half-made ones nobody holds (a run making one this instant makes another).
// A workspace whose lock is held, one of another user, and anything not named as a workspace
// are never touched. Returns how many folders were removed.
int SweepStaleWorkspaces(const std::filesystem::path& parent);

} // namespace sidewalk
