// The grid's row rules as plain functions over its rows (1..100): the rows' text form on the
// clipboard (the tab-separated lines spreadsheets use), read through each cell's kind and range,
// and which row-menu items may act.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/block_file.hpp"

namespace sidewalk {

// A row counts when its Type cell, trimmed, is not empty.
bool HasType(const BlockRow& row);

// Whether any of the last k rows (101 - k to 100) has a type.
bool LastRowsHaveType(const GridTexts& rows, int k);

// Rows first..last as text: a line per row, its six cells ("+" fourth) separated by tabs.
std::string RowsToText(const GridTexts& rows, int first, int last);

// The rows of a clipboard text: tab-separated lines of six cells (the fourth, "+", is skipped)
// or of five, at most 100. A line is a row when a cell of it fits its column, or when it is a
// row's whole line of empty cells; a cell whose text does not fit its column is left empty and
// named in `rejected` (its place in `rows` counted from 1, and its grid column 1..6).
struct ClipboardRows {
    struct Cell {
        int row;
        int column;
        bool operator==(const Cell&) const = default;
    };
    std::vector<BlockRow> rows;
    std::vector<Cell> rejected;
};
ClipboardRows RowsFromText(std::string_view text);

// Which items of the row menu act, for whole rows first..last selected and clipRows rows on
// the clipboard. Nothing that inserts or pastes may push a row with a type off
// row 100 or write past it.
struct RowMenuItems {
    bool insertBlank = false;
    bool paste = false;
    bool insertFromClipboard = false;
    bool operator==(const RowMenuItems&) const = default;
};
RowMenuItems RowMenu(const GridTexts& rows, int first, int last, int clipRows);

} // namespace sidewalk
