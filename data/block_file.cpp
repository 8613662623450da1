// Reading and writing block workspace files.
#include "data/block_file.hpp"

#include <sys/stat.h>

#include "data/atomic_file.hpp"
#include "data/card_layout.hpp"
#include "data/cards.hpp"
#include "data/file_text.hpp"
#include "data/text.hpp"

namespace sidewalk {

namespace {

bool FileExists(const std::string& name) {
    struct stat st {};
    return ::lstat(name.c_str(), &st) == 0;
}

// The row cards of rows that have a type, or an error naming the first that does not fit.
Result<std::string> RowCards(const std::array<BlockRow, kMaxRows + 1>& rows, int n) {
    std::string content;
    for (int r = 1; r <= kMaxRows; ++r) {
        const BlockRow& row = rows[static_cast<std::size_t>(r)];
        if (row.type.empty()) continue;
        const Result<std::string> card = RowCard(row, n, r);
        if (!card) return Failure(card.error());
        content += *card;
        content += kLineEnd;
    }
    return content;
}

// Reads the row cards of block n's file into job.rows 1.., upper-cased; lines after the 100th
// are ignored. A file that cannot be read leaves the rows as they were and says why.
Status ReadBlockFile(const Workspace& ws, const std::string& name, int n, Job& job) {
    const Result<FileBytes> text = ws.Read(name);
    if (!text) return Failure(RowsUnreadable(n, name, text.error().systemError));
    const auto lines = SplitLines(text->view());
    std::string card;
    for (int r = 1; r <= kMaxRows && r <= static_cast<int>(lines.size()); ++r) {
        card.assign(lines[static_cast<std::size_t>(r - 1)]);
        UpperCaseInPlace(card);
        BlockRow& row = job.row(r);
        row.type = Columns(card, row_card::kType);
        row.area = Trim(ColumnsView(card, row_card::kArea.columns));
        row.station = Trim(ColumnsView(card, row_card::kStation.columns));
        row.plus = Trim(ColumnsView(card, row_card::kPlus.columns));
        row.radius = Trim(ColumnsView(card, row_card::kRadius.columns));
    }
    return {};
}

} // namespace

Status WriteBlockFile(const std::string& name, int n, const Job& job) {
    const Result<std::string> content = RowCards(job.rows, n);
    if (!content) return StatusOf(content);
    return ReplaceWorkspaceFile(name, *content);
}

Message RowsUnreadable(int n, const std::string& file, int error, const std::string& title) {
    return {"Cannot read the rows of block " + std::to_string(n) + " from " + file + ": " +
                ReadErrorText(error),
            title, MessageKind::Error, error};
}

Result<BlockRowsLoad> LoadBlockRows(Job& job, const Workspace& ws, int n) {
    ClearBlockRows(job);
    const BlockHeader& h = job.header(n);
    if (h.aliTyp.empty() && Trim(h.blkDesc).empty()) return BlockRowsLoad{n};
    const std::string name = ws.BlockFileName(n);
    if (!FileExists(name)) return BlockRowsLoad{n}; // a new block: nothing stored yet
    if (const Status read = ReadBlockFile(ws, name, n, job); read.failed()) {
        ClearBlockRows(job);
        return Failure(read.error());
    }
    return BlockRowsLoad{n, true};
}

std::array<std::string, 6> GridRowCells(const BlockRow& row) {
    return {row.type, row.area, row.station, "+", row.plus, row.radius};
}

Status StoreBlockRows(Job& job, const Workspace& ws, int n, const GridTexts& grid,
                      const BlockRowsLoad& loaded) {
    const std::string name = ws.BlockFileName(n);
    if (FileExists(name) && !(loaded.block == n && loaded.fileRead))
        return Failure({"The rows of block " + std::to_string(n) +
                            " were not stored: its block file " + name +
                            " holds rows that were not read into the grid, and storing would "
                            "write over them.",
                        "File Output Error", MessageKind::Error});

    std::array<BlockRow, kMaxRows + 1> rows{};
    for (int r = 1; r <= kMaxRows; ++r) {
        const BlockRow& cell = grid[static_cast<std::size_t>(r)];
        BlockRow& row = rows[static_cast<std::size_t>(r)];
        row.type = Trim(cell.type);
        row.area = Trim(UpperCase(cell.area));
        row.station = Trim(cell.station);
        row.plus = Trim(UpperCase(cell.plus));
        row.radius = Trim(UpperCase(cell.radius));
    }
    const Result<std::string> content = RowCards(rows, n);
    if (!content) return StatusOf(content);
    if (const Status written = ws.Write(name, *content); written.failed()) return written;

    job.rows = rows;
    if (job.header(n).blkDesc.empty() && CheckBlockRows(job))
        job.header(n).blkDesc = "BLOCK NUMBER " + StrInt(n);
    return {};
}

} // namespace sidewalk
