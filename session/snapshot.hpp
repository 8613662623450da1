// The snapshot a desktop run keeps of its job in its workspace, so that work not yet saved can be
// offered back after a crash: the index record, units, block headers, the data file's name and
// whether the job is saved; the rows are in the workspace's block files already.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "data/file_stamp.hpp"
#include "data/job.hpp"

namespace sidewalk {

struct Snapshot {
    Job job;              // the rows stay empty
    bool changed = false; // changed since the job was made, opened or saved
    long long when = 0;   // when it was written, in milliseconds since 1970 (UTC)
    FileStamp disk;       // the data file as it was last read or written
    std::string damage;   // what could not be read back; empty for a whole snapshot
};

// The snapshot as text: a line for each value, texts escaped so that any byte survives.
std::string SnapshotText(const Snapshot& snapshot);

// The clock as a snapshot writes it.
long long SnapshotClock();

// Reads back what it can. A text that is not a snapshot, cut short or with lines that cannot be
// read gives what the other lines hold, marked changed, with the damage said.
Snapshot ReadSnapshot(std::string_view text);

// "mm/dd/yyyy hh:mm" in local time.
std::string SnapshotTime(long long when);

} // namespace sidewalk
