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

// Where the row cards of each block go: the workspace's block files, or texts in memory.
class RowsKept {
  public:
    virtual ~RowsKept() = default;
    virtual Status Keep(int block, std::string& rows) = 0; // in capitals; may take rows' text
    // Rows as they stand in the text read, each with its CR LF, not yet in capitals.
    virtual Status KeepAsRead(int block, std::string_view rows) {
        std::string capitals(rows);
        UpperCaseInPlace(capitals);
        return Keep(block, capitals);
    }
    virtual void DropAll() = 0;
};

class RowsInFiles : public RowsKept {
  public:
    explicit RowsInFiles(const Workspace& ws) : ws_(ws) {}
    Status Keep(int block, std::string& rows) override {
        return ws_.Write(ws_.BlockFileName(block), rows);
    }
    void DropAll() override { ws_.DeleteBlockFiles(); }

  private:
    const Workspace& ws_;
};

class RowsInMemory : public RowsKept {
  public:
    explicit RowsInMemory(BlockRowTexts& rows) : rows_(rows) { DropAll(); }
    Status Keep(int block, std::string& rows) override {
        BlockRows& kept = rows_[static_cast<std::size_t>(block)];
        kept.own.swap(rows);
        kept.inText.reset();
        return {};
    }
    Status KeepAsRead(int block, std::string_view rows) override {
        if (ChangesInCapitals(rows)) return RowsKept::KeepAsRead(block, rows);
        BlockRows& kept = rows_[static_cast<std::size_t>(block)];
        kept.own.clear();
        kept.inText = rows; // already as kept: no copy
        return {};
    }
    void DropAll() override { rows_.assign(kMaxBlocks + 1, BlockRows()); }

  private:
    BlockRowTexts& rows_;
};

// Leaves nothing of a half-read file behind: an empty job and no rows kept.
Unexpected<Message> Abandon(Job& job, RowsKept& kept, Message message) {
    const std::string tag = job.fileTag; // the five characters read, if any
    ClearJob(job);
    job.fileTag = tag;
    kept.DropAll();
    return Failure(std::move(message));
}

Result<CardFileRead> ReadCardText(Job& job, RowsKept& kept, std::string_view text) {
    ClearJob(job);

    LineCursor cursor(text);
    std::string_view line;
    if (!cursor.Next(line)) return Abandon(job, kept, InvalidFile());
    const std::string first = UpperCase(line);
    job.fileTag = Columns(first, kTagColumns);
    if (job.fileTag != kCurrentTag && job.fileTag != kOlderTag)
        return Abandon(job, kept, InvalidFile());
    TakeHeaderCard(job, first);

    CardFileRead result;
    if (job.jobUnits != "E" && job.jobUnits != "M")
        result.notices.push_back({"The units code \"" + job.jobUnits +
                                      "\" of this file is neither E (English) nor M (metric): "
                                      "the job is read, computed and reported as English, in feet.",
                                  "Units Of The Data", MessageKind::Warning});
    int& blockCount = result.blockCount; // BlockNo while reading
    int typeCount = 0;                   // row cards of the current block
    int open = 0;                        // the block whose rows are being read, once there is one
    std::string rows;                    // its row cards so far, once they are not all together
    // While they stand together in text, each with its CR LF: where they start and end.
    const char* const textEnd = text.data() + text.size();
    const char* together = nullptr;
    const char* togetherEnd = nullptr;
    std::string card;
    auto flush = [&]() {
        if (open == 0) return Status();
        if (together != nullptr)
            return kept.KeepAsRead(
                open, std::string_view(together, static_cast<std::size_t>(togetherEnd - together)));
        UpperCaseInPlace(rows); // line ends and all: a letter never spans a line end
        return kept.Keep(open, rows);
    };
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
                return Abandon(job, kept, flushed.error());
            open = blockCount;
            rows.clear();
            together = togetherEnd = line.data() + line.size(); // no rows yet
            continue;
        }
        // A row card; a line before the first block card means this is no card file of ours.
        if (open == 0) return Abandon(job, kept, InvalidFile());
        typeCount += 1;
        if (typeCount > kMaxRows) {
            result.limitReached = true;
            result.notices.push_back(Message{"More than 100 types in a block - Program aborted!",
                                             "Critical Error", MessageKind::Critical});
            break;
        }
        const char* const after = line.data() + line.size();
        const bool first = together == togetherEnd; // none yet: they start here
        if (together != nullptr && (first || line.data() == togetherEnd) && textEnd - after >= 2 &&
            after[0] == '\r' && after[1] == '\n') {
            if (first) together = line.data();
            togetherEnd = after + 2;
            continue;
        }
        if (together != nullptr) { // the rows part from the text here: copied from now on
            rows.assign(together, togetherEnd);
            together = nullptr;
        }
        rows += line; // upper-cased with the block's other rows, when it is kept
        rows += kLineEnd;
    }
    if (const Status flushed = flush(); flushed.failed())
        return Abandon(job, kept, flushed.error());
    return result;
}

} // namespace

Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws) {
    return ReadDataFile(job, ws, std::filesystem::path(job.dataFileName));
}

Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws,
                                  const std::filesystem::path& path) {
    RowsInFiles files(ws);
    const Result<FileBytes> text = ReadWholeFile(path.string(), kMaxTextFileBytes, true);
    if (!text) return Abandon(job, files, text.error());
    return ReadCardText(job, files, text->view());
}

Result<CardFileRead> ReadDataFile(Job& job, const Workspace& ws, std::istream& in,
                                  std::string_view fileName) {
    RowsInFiles files(ws);
    const Result<std::string> text = ReadWholeStream(in, fileName);
    if (!text) return Abandon(job, files, text.error());
    return ReadCardText(job, files, *text);
}

Result<CardFileRead> ReadCardFileText(Job& job, std::string_view text, BlockRowTexts& rows) {
    RowsInMemory memory(rows);
    return ReadCardText(job, memory, text);
}

} // namespace sidewalk
