// The data file reader.
#include "data/reader.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

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
    const std::string tag = job.fileTag;
    ClearJob(job);
    job.fileTag = tag;
    job.blockNo = 0;
    job.typeCount = 0;
    ws.DeleteBlockFiles();
    return ReadResult{outcome, {std::move(message)}};
}

} // namespace

ReadResult ReadDataFile(Job& job, const Workspace& ws) {
    std::ifstream in(job.dataFileName, std::ios::binary);
    if (!in) {
        const int error = errno;
        ClearJob(job);
        job.blockNo = 0;
        return ReadResult{ReadOutcome::Failed,
                          {InputError(job.dataFileName, std::strerror(error))}};
    }
    return ReadDataFile(job, ws, in, job.dataFileName);
}

ReadResult ReadDataFile(Job& job, const Workspace& ws, std::istream& in,
                        std::string_view fileName) {
    ClearJob(job);
    job.blockNo = 0;
    job.typeCount = 0;

    std::string line;
    if (!ReadLine(in, line)) {
        if (in.bad()) return Abandon(job, ws, ReadOutcome::Failed, InputError(fileName, "read error"));
        return Abandon(job, ws, ReadOutcome::Invalid, InvalidFile());
    }
    const std::string first = UpperCase(line);
    job.fileTag = Columns(first, 1, 5);
    if (job.fileTag != "CRZ41" && job.fileTag != "BRZ41")
        return Abandon(job, ws, ReadOutcome::Invalid, InvalidFile());
    TakeHeaderCard(job, first);

    ReadResult result;
    std::ofstream block; // workspace file of the current block
    std::string blockName;
    while (ReadLine(in, line)) {
        const std::string card = UpperCase(line);
        if (Columns(card, 1, 2) == "11") {
            if (job.blockNo + 1 > kMaxBlocks) {
                job.blockNo += 1;
                result.outcome = ReadOutcome::LimitReached;
                result.messages.push_back(Message{"More than 100 blocks - Program aborted!",
                                                  "Critical Error", MessageKind::Critical});
                break;
            }
            job.blockNo += 1;
            TakeBlockCard(job.header(job.blockNo), card);
            job.typeCount = 0;
            if (block.is_open()) {
                block.close();
                if (!block) return Abandon(job, ws, ReadOutcome::Failed, WorkspaceError(blockName, errno));
            }
            blockName = ws.BlockFileName(job.blockNo);
            block.open(blockName, std::ios::binary | std::ios::trunc);
            if (!block) return Abandon(job, ws, ReadOutcome::Failed, WorkspaceError(blockName, errno));
            continue;
        }
        // A row card; a line before the first block card means this is no card file of ours.
        if (!block.is_open()) return Abandon(job, ws, ReadOutcome::Invalid, InvalidFile());
        job.typeCount += 1;
        if (job.typeCount > kMaxRows) {
            result.outcome = ReadOutcome::LimitReached;
            result.messages.push_back(Message{"More than 100 types in a block - Program aborted!",
                                              "Critical Error", MessageKind::Critical});
            break;
        }
        block << card << kLineEnd;
        if (!block) return Abandon(job, ws, ReadOutcome::Failed, WorkspaceError(blockName, errno));
    }
    if (in.bad()) return Abandon(job, ws, ReadOutcome::Failed, InputError(fileName, "read error"));
    if (block.is_open()) {
        block.close();
        if (!block) return Abandon(job, ws, ReadOutcome::Failed, WorkspaceError(blockName, errno));
    }
    return result;
}

} // namespace sidewalk
