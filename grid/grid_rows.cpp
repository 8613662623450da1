// Row operations of the grid.
#include "grid/grid_rows.hpp"

#include <algorithm>

#include "data/field_ranges.hpp"
#include "data/text.hpp"

namespace sidewalk {

namespace {

const BlockRow& At(const GridTexts& rows, int r) {
    return rows[static_cast<std::size_t>(r)];
}

} // namespace

bool HasType(const BlockRow& row) {
    return !Trim(row.type).empty();
}

bool LastRowsHaveType(const GridTexts& rows, int k) {
    for (int r = std::max(1, kMaxRows + 1 - k); r <= kMaxRows; ++r)
        if (HasType(At(rows, r))) return true;
    return false;
}

std::string RowsToText(const GridTexts& rows, int first, int last) {
    std::string text;
    for (int r = std::max(first, 1); r <= std::min(last, kMaxRows); ++r) {
        const BlockRow& row = At(rows, r);
        text += row.type + '\t' + row.area + '\t' + row.station + "\t+\t" + row.plus + '\t' +
                row.radius + '\n';
    }
    return text;
}

ClipboardRows RowsFromText(std::string_view text) {
    static constexpr GridColumn kColumns[] = {GridColumn::Type, GridColumn::Area,
                                              GridColumn::Station, GridColumn::Plus,
                                              GridColumn::Radius};
    ClipboardRows clip;
    std::size_t from = 0;
    while (from < text.size() && clip.rows.size() < static_cast<std::size_t>(kMaxRows)) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string_view> cells;
        for (std::size_t at = 0;;) {
            const std::size_t tab = line.find('\t', at);
            cells.push_back(line.substr(at, tab == std::string_view::npos ? tab : tab - at));
            if (tab == std::string_view::npos) break;
            at = tab + 1;
        }
        const bool rowShaped = cells.size() >= 5;
        if (cells.size() == 6) cells.erase(cells.begin() + 3); // the "+" column
        cells.resize(5);
        BlockRow row;
        std::string* fields[] = {&row.type, &row.area, &row.station, &row.plus, &row.radius};
        std::vector<ClipboardRows::Cell> rejected;
        int fitting = 0;
        for (std::size_t c = 0; c < 5; ++c) {
            std::string cell = Trim(cells[c]);
            if (cell.empty()) continue;
            if (CheckNumberText(GridCellRange(kColumns[c]), cell) == TextCheck::Acceptable) {
                *fields[c] = std::move(cell);
                ++fitting;
            } else {
                rejected.push_back(
                    {static_cast<int>(clip.rows.size()) + 1, static_cast<int>(kColumns[c])});
            }
        }
        if (fitting == 0 && !(rowShaped && rejected.empty())) continue; // no row in this line
        clip.rows.push_back(std::move(row));
        clip.rejected.insert(clip.rejected.end(), rejected.begin(), rejected.end());
    }
    return clip;
}

RowMenuItems RowMenu(const GridTexts& rows, int first, int last, int clipRows) {
    RowMenuItems items;
    if (LastRowsHaveType(rows, last - first + 1)) return items; // the grid counts as full
    items.insertBlank = true;
    if (clipRows <= 0) return items;
    const bool fits = first + clipRows - 1 <= kMaxRows;
    items.paste = fits;
    items.insertFromClipboard = fits && !LastRowsHaveType(rows, clipRows);
    return items;
}

} // namespace sidewalk
