// Reading and writing block workspace files.
#include "data/block_file.hpp"

#include "data/atomic_file.hpp"
#include "data/cards.hpp"
#include "data/file_text.hpp"
#include "data/text.hpp"

namespace sidewalk {

void ReadBlockFile(const std::string& name, Job& job) {
    std::string text;
    if (ReadWholeFile(name, text) != 0) return;
    const auto lines = SplitLines(text);
    for (int r = 1; r <= kMaxRows && r <= static_cast<int>(lines.size()); ++r) {
        const std::string card = UpperCase(lines[static_cast<std::size_t>(r - 1)]);
        BlockRow& row = job.row(r);
        row.type = Columns(card, 2, 1);
        row.area = Trim(Columns(card, 4, 8));
        row.station = Trim(Columns(card, 13, 4));
        row.plus = Trim(Columns(card, 18, 6));
        row.radius = Trim(Columns(card, 25, 8));
    }
}

std::optional<Message> WriteBlockFile(const std::string& name, int n, const Job& job) {
    std::string content;
    for (int r = 1; r <= kMaxRows; ++r) {
        const BlockRow& row = job.row(r);
        if (row.type.empty()) continue;
        std::string card;
        if (auto error = RowCard(row, n, r, card)) return error;
        content += card;
        content += kLineEnd;
    }
    return WriteFileAtomically(name, content, Durability::Workspace);
}

void LoadBlockRows(Job& job, const Workspace& ws, int n) {
    ClearBlockRows(job);
    if (!Trim(job.header(n).blkDesc).empty()) ReadBlockFile(ws.BlockFileName(n), job);
}

std::array<std::string, 6> GridRowCells(const BlockRow& row) {
    return {row.type, row.area, row.station, "+", row.plus, row.radius};
}

std::optional<Message> StoreBlockRows(Job& job, const Workspace& ws, int n, const GridTexts& grid) {
    for (int r = 1; r <= kMaxRows; ++r) {
        const BlockRow& cell = grid.at(static_cast<std::size_t>(r));
        BlockRow& row = job.row(r);
        row.type = Trim(cell.type);
        row.area = Trim(UpperCase(cell.area));
        row.station = Trim(cell.station);
        row.plus = Trim(UpperCase(cell.plus));
        row.radius = Trim(UpperCase(cell.radius));
        if (job.header(n).blkDesc.empty()) {
            CheckBlockRows(job);
            if (job.blockHasRows == 1) job.header(n).blkDesc = "BLOCK NUMBER " + StrInt(n);
        }
    }
    return WriteBlockFile(ws.BlockFileName(n), n, job);
}

} // namespace sidewalk
