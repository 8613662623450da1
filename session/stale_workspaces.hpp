// Workspaces left behind by runs that have ended (killed, ended by a signal, or the machine lost
// power): a folder where workspaces are made, whose lock no process holds, belongs to no running
// program. Those that hold work not saved are offered back; the rest are removed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/descriptor.hpp"
#include "data/message.hpp"
#include "session/snapshot.hpp"

namespace sidewalk {

// What a folder of workspaces holds: recovery data (the desktop program's, where rows without a
// snapshot are work too) or scratch (the commands', where only a snapshot's word counts).
enum class Workspaces { Recovery, Scratch };

// Removes from parent the workspaces of ended runs that hold nothing to recover, and hidden
// half-made ones nobody holds (a run making one this instant makes another). A workspace whose
// lock is held, one of another user, and anything not named as a workspace are never touched.
// Returns how many folders were removed.
int SweepStaleWorkspaces(const std::filesystem::path& parent,
                         Workspaces holds = Workspaces::Scratch);

// An ended run's workspace with work not saved, locked by this run while it is offered.
struct Recoverable {
    std::filesystem::path folder;
    Snapshot snapshot; // what could be read of it: snapshot.damage says what could not
    int blocks = 0;    // slots with a header or rows
    Descriptor lock;
};

// The workspaces in parent of ended runs that hold work not saved: a snapshot that says so, or
// (of recovery data) a snapshot that cannot be wholly read, or rows without a snapshot. The
// latest change first.
std::vector<Recoverable> FindRecoverable(const std::filesystem::path& parent,
                                         Workspaces holds = Workspaces::Scratch);

// Declined: the folder is removed.
void Discard(Recoverable& ended);

// A regular file of an ended run's folder open as folder, read without following a link or
// waiting on a pipe; when is raised to its time (ms since 1970). A failure keeps the system's
// error number, kNotRegularFile for anything but a regular file (a folder too).
Result<std::string> ReadEndedFile(int folder, const std::string& name, long long& when);

} // namespace sidewalk
