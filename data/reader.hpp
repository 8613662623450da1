// Loads a card file (current "CRZ41" or older "BRZ41" header layout) into the job: the index
// record and units from the header card, each block card into its header slot, and each block's
// row cards, upper-cased, into its workspace file.
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/job.hpp"
#include "data/message.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

// A card file read into the job: the whole file, or all of it up to the 100-block or 100-row
// limit. A file that is not a card file of this program ("Invalid File - Select Another File!"),
// or that cannot be read, or whose rows cannot be written to the workspace, is a failure, and
// leaves the job cleared and no block files.
struct CardFileRead {
    std::vector<Message> notices; // for the caller to show, in the order they occurred
    bool limitReached = false;    // reading stopped at a limit (its notice is the last)
    int blockCount = 0;           // block cards seen (101 after the block-count notice)
};

// Reads job.dataFileName.
Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws);

// Reads the file at path; job.dataFileName is not changed.
Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws, const std::filesystem::path& path);

// Reads from a stream; fileName only names the file in messages. A stream holding more than
// kMaxTextFileBytes is refused as a file would be.
Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws, std::istream& in,
                                  std::string_view fileName);

// A block's row cards as read, for a run that keeps them in memory rather than in workspace
// files: the part of the text read where they stand, when they stand there as kept (each with
// its CR LF, in capitals), else a text of their own.
struct BlockRows {
    std::string own;
    std::optional<std::string_view> inText;
    std::string_view view() const { return inText ? *inText : std::string_view(own); }
};
// By slot (index 0 unused); valid while the text read lives.
using BlockRowTexts = std::vector<BlockRows>;

// Reads a card file's text into the job and each block's row cards into rows (one text per slot),
// by the same rules and with the same messages as ReadDataFile.
Result<CardFileRead> ReadCardFileText(Job& job, std::string_view text, BlockRowTexts& rows);

} // namespace sidewalk
