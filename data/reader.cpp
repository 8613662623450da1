// The data file reader.
#include "data/reader.hpp"

#include <cerrno>
#include <cstring>
#include <string>

#include "data/atomic_file.hpp"
#include "data/card_layout.hpp"
#include "data/file_text.hpp"
#include "data/text.hpp"

namespace sidewalk {

namespace {

Message InvalidFile() {
    return Message{"Invalid File - Select Another File!", "File Input Error", MessageKind::Plain};
}

// Takes the index record and units from an upper-cased header card.
void TakeHeaderCard(Job& job, const std::string& card) {
    using namespace header_card;
    job.idxRefNum = Trim(ColumnsView(card, kRefNo));
    job.idxProject = Trim(ColumnsView(card, kProject));
    job.idxDate = Trim(ColumnsView(card, kDate));
    if (job.fileTag == kOlderTag) {
        job.idxEng = Trim(ColumnsView(card, kOlderEngineer));
        job.jobUnits = Trim(ColumnsView(card, kOlderUnits));
    } else {
        job.jobUnits = Trim(ColumnsView(card, kUnits));
        job.idxEng = Trim(ColumnsView(card, kEngineer));
    }
    if (job.jobUnits.empty()) job.jobUnits = "E";
}

void TakeBlockCard(BlockHeader& h, const std::string& card) {
    using namespace block_card;
    h.aliTyp = Trim(ColumnsView(card, kDirection));
    h.blSide = Trim(ColumnsView(card, kSide));
    h.bcbsw = Trim(ColumnsView(card, kBcbsw.columns));
    h.widsw = Trim(ColumnsView(card, kWidsw.columns));
    h.w1 = Trim(ColumnsView(card, kW1.columns));
    h.w2 = Trim(ColumnsView(card, kW2.columns));
    h.radiusBl = Trim(ColumnsView(card, kRadiusBl.columns));
    h.blkDesc = Trim(ColumnsView(card, kDescription));
}

// Leaves nothing of a half-read file behind: an empty job and no block files.
Unexpected<Message> Abandon(Job& job, const Workspace& ws, Message message) {
    const std::string tag = job.fileTag; // the five characters read, if any
    ClearJob(job);
    job.fileTag = tag;
    ws.DeleteBlockFiles();
    return Failure(std::move(message));
}

Result<CardFileRead> ReadCardText(Job& job, const Workspace& ws, std::string_view text) {
    ClearJob(job);

    LineCursor cursor(text);
    std::string_view line;
    if (!cursor.Next(line)) return Abandon(job, ws, InvalidFile());
    const std::string first = UpperCase(line);
    job.fileTag = Columns(first, kTagColumns);
    if (job.fileTag != kCurrentTag && job.fileTag != kOlderTag)
        return Abandon(job, ws, InvalidFile());
    TakeHeaderCard(job, first);

    CardFileRead result;
    if (job.jobUnits != "E" && job.jobUnits != "M")
        result.notices.push_back({"The units code \"" + job.jobUnits +
                                      "\" of this file is neither E (English) nor M (metric): "
                                      "the job is read, computed and reported as English, in feet.",
                                  "Units Of The Data", MessageKind::Warning});
    int& blockCount = result.blockCount; // BlockNo while reading
    int typeCount = 0;                   // row cards of the current block
    std::string blockName;               // workspace file of the current block, once one is open
    std::string rows;                    // its row cards so far
    std::string card;
    auto flush = [&]() { return blockName.empty() ? Status() : ws.Write(blockName, rows); };
    while (cursor.Next(line)) {
        // Columns 1-2 are compared before upper-casing: "11" has no letters.
        if (ColumnsView(line, kCardTypeColumns) == kBlockCardType) {
            card.assign(line);
            UpperCaseInPlace(card);
            blockCount += 1;
            if (blockCount > kMaxBlocks) {
                result.limitReached = true;
                result.notices.push_back(Message{"More than 100 blocks - Program aborted!",
                                                 "Critical Error", MessageKind::Critical});
                break;
            }
            TakeBlockCard(job.header(blockCount), card);
            typeCount = 0;
            if (const Status flushed = flush(); flushed.failed())
                return Abandon(job, ws, flushed.error());
            blockName = ws.BlockFileName(blockCount);
            rows.clear();
            continue;
        }
        // A row card; a line before the first block card means this is no card file of ours.
        if (blockName.empty()) return Abandon(job, ws, InvalidFile());
        typeCount += 1;
        if (typeCount > kMaxRows) {
            result.limitReached = true;
            result.notices.push_back(Message{"More than 100 types in a block - Program aborted!",
                                             "Critical Error", MessageKind::Critical});
            break;
        }
        const std::size_t from = rows.size();
        rows += line;
        UpperCaseInPlace(rows.data() + from, line.size());
        rows += kLineEnd;
    }
    if (const Status flushed = flush(); flushed.failed()) return Abandon(job, ws, flushed.error());
    return result;
}

} // namespace

Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws) {
    return ReadDataFile(job, ws, std::filesystem::path(job.dataFileName));
}

Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws,
                                  const std::filesystem::path& path) {
    const Result<FileBytes> text = ReadWholeFile(path.string(), kMaxTextFileBytes, true);
    if (!text) return Abandon(job, ws, text.error());
    return ReadCardText(job, ws, text->view());
}

Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws, std::istream& in,
                                  std::string_view fileName) {
    const Result<std::string> text = ReadWholeStream(in, fileName);
    if (!text) return Abandon(job, ws, text.error());
    return ReadCardText(job, ws, *text);
}

} // namespace sidewalk
