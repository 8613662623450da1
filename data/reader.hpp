// Loads a card file (current "CRZ41" or older "BRZ41" header layout) into the job: the index
// record and units from the header card, each block card into its header slot, and each block's
// row cards, upper-cased, into its workspace file.
#pragma once

#include <filesystem>
#include <istream>
#include <string_view>
#include <vector>

#include "data/job.hpp"
#include "data/message.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

enum class ReadOutcome {
    Loaded,       // the whole file was read
    LimitReached, // stopped at 100 blocks or 100 rows; the job holds what was read
    Invalid,      // not a card file of this program; the job is cleared
    Failed,       // the file or the workspace could not be read or written; the job is cleared
};

struct ReadResult {
    ReadOutcome outcome = ReadOutcome::Loaded;
    std::vector<Message> messages; // in the order they occurred, for the caller to show
    int blockCount = 0;            // block cards seen (101 after the block-count message)

    // The job holds what the file gave: the whole file, or all of it up to a limit.
    bool read() const {
        return outcome == ReadOutcome::Loaded || outcome == ReadOutcome::LimitReached;
    }
};

// Reads job.dataFileName.
ReadResult ReadDataFile(Job& job, const Workspace& ws);

// Reads the file at path; job.dataFileName is not changed.
ReadResult ReadDataFile(Job& job, const Workspace& ws, const std::filesystem::path& path);

// Reads from a stream; fileName only names the file in messages. A stream holding more than
// kMaxTextFileBytes is refused as a file would be.
ReadResult ReadDataFile(Job& job, const Workspace& ws, std::istream& in, std::string_view fileName);

} // namespace sidewalk
