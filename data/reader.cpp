// The data file reader.
#include "data/reader.hpp"

#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>
#include <unistd.h>

#include "data/file_text.hpp"
#include "data/text.hpp"

namespace sidewalk {

namespace {

Message InvalidFile() {
    return Message{"Invalid File - Select Another File!", "File Input Error", MessageKind::Plain};
}

Message InputError(std::string_view fileName, const std::string& reason) {
    return Message{"Cannot read the file " + std::string(fileName) + ": " + reason,
                   "File Input Error", MessageKind::Error};
}

Message WorkspaceError(const std::string& fileName, int error) {
    return Message{"Cannot write the workspace file " + fileName + ": " + std::strerror(error),
                   "File Output Error", MessageKind::Error};
}

// Takes the index record and units from an upper-cased header card.
void TakeHeaderCard(Job& job, const std::string& card) {
    job.idxRefNum = Trim(Columns(card, 7, 7));
    job.idxProject = Trim(Columns(card, 15, 11));
    job.idxDate = Trim(Columns(card, 27, 10));
    if (job.fileTag == "BRZ41") {
        job.idxEng = Trim(Columns(card, 38, 13));
        job.jobUnits = Trim(Columns(card, 52, 1));
    } else {
        job.jobUnits = Trim(Columns(card, 38, 1));
        job.idxEng = Trim(Columns(card, 40, 26));
    }
    if (job.jobUnits.empty()) job.jobUnits = "E";
}

void TakeBlockCard(BlockHeader& h, const std::string& card) {
    h.aliTyp = Trim(Columns(card, 4, 1));
    h.blSide = Trim(Columns(card, 6, 1));
    h.bcbsw = Trim(Columns(card, 8, 8));
    h.widsw = Trim(Columns(card, 17, 6));
    h.w1 = Trim(Columns(card, 24, 7));
    h.w2 = Trim(Columns(card, 32, 7));
    h.radiusBl = Trim(Columns(card, 40, 11));
    h.blkDesc = Trim(Columns(card, 52, 40));
}

// Leaves nothing of a half-read file behind: an empty job and no block files.
ReadResult Abandon(Job& job, const Workspace& ws, ReadOutcome outcome, Message message) {
    const std::string tag = job.fileTag; // the five characters read, if any
    ClearJob(job);
    job.fileTag = tag;
    job.blockNo = 0;
    job.typeCount = 0;
    ws.DeleteBlockFiles();
    return ReadResult{outcome, {std::move(message)}};
}

// Writes the rows gathered for the current block to its workspace file.
bool FlushBlock(const std::string& name, const std::string& rows, int& error) {
    // A file of that name is replaced: removing it first spares ext4 the flush it makes when
    // a file with data is truncated.
    ::unlink(name.c_str());
    error = WriteWholeFile(name, rows);
    return error == 0;
}

ReadResult ReadCardText(Job& job, const Workspace& ws, std::string_view text) {
    ClearJob(job);
    job.blockNo = 0;
    job.typeCount = 0;

    const std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty()) return Abandon(job, ws, ReadOutcome::Invalid, InvalidFile());
    const std::string first = UpperCase(lines[0]);
    job.fileTag = Columns(first, 1, 5);
    if (job.fileTag != "CRZ41" && job.fileTag != "BRZ41")
        return Abandon(job, ws, ReadOutcome::Invalid, InvalidFile());
    TakeHeaderCard(job, first);

    ReadResult result;
    bool blockOpen = false;
    std::string blockName; // workspace file of the current block
    std::string rows;      // its row cards so far
    int error = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string card = UpperCase(lines[i]);
        if (Columns(card, 1, 2) == "11") {
            job.blockNo += 1;
            if (job.blockNo > kMaxBlocks) {
                result.outcome = ReadOutcome::LimitReached;
                result.messages.push_back(Message{"More than 100 blocks - Program aborted!",
                                                  "Critical Error", MessageKind::Critical});
                break;
            }
            TakeBlockCard(job.header(job.blockNo), card);
            job.typeCount = 0;
            if (blockOpen && !FlushBlock(blockName, rows, error))
                return Abandon(job, ws, ReadOutcome::Failed, WorkspaceError(blockName, error));
            blockName = ws.BlockFileName(job.blockNo);
            rows.clear();
            blockOpen = true;
            continue;
        }
        // A row card; a line before the first block card means this is no card file of ours.
        if (!blockOpen) return Abandon(job, ws, ReadOutcome::Invalid, InvalidFile());
        job.typeCount += 1;
        if (job.typeCount > kMaxRows) {
            result.outcome = ReadOutcome::LimitReached;
            result.messages.push_back(Message{"More than 100 types in a block - Program aborted!",
                                              "Critical Error", MessageKind::Critical});
            break;
        }
        rows += card;
        rows += kLineEnd;
    }
    if (blockOpen && !FlushBlock(blockName, rows, error))
        return Abandon(job, ws, ReadOutcome::Failed, WorkspaceError(blockName, error));
    return result;
}

} // namespace

ReadResult ReadDataFile(Job& job, const Workspace& ws) {
    std::string text;
    if (const int error = ReadWholeFile(job.dataFileName, text); error != 0)
        return Abandon(job, ws, ReadOutcome::Failed,
                       InputError(job.dataFileName, std::strerror(error)));
    return ReadCardText(job, ws, text);
}

ReadResult ReadDataFile(Job& job, const Workspace& ws, std::istream& in,
                        std::string_view fileName) {
    std::ostringstream text;
    if (in.peek() != std::char_traits<char>::eof()) text << in.rdbuf();
    if (in.bad()) return Abandon(job, ws, ReadOutcome::Failed, InputError(fileName, "read error"));
    return ReadCardText(job, ws, text.str());
}

} // namespace sidewalk
