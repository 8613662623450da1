// A block's rows between the job and its workspace file SECTnnnn.TMP: one row card per line,
// in grid order, rows without a type left out, so rows close up when written and read back.
// Rows stored in a block file are never lost: a file that was not read into the grid is never
// written over, and a store that cannot be completed changes nothing.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "data/job.hpp"
#include "data/message.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

// Why the rows of block n could not be read from file (error: the system's error number): the
// one wording of it, under the title given.
Message RowsUnreadable(int n, const std::string& file, int error,
                       const std::string& title = "File Input Error");

// Replaces the block file with a row card for every row that has a type. A value that does not
// fit its card field, or a failing write, returns an error and leaves the old file as it was.
Status WriteBlockFile(const std::string& name, int n, const Job& job);

// What loading a block's rows found; the grid hands it back when it stores the rows. A load
// that failed is BlockRowsLoad{n}: rows that were not read and must not be stored over the file.
struct BlockRowsLoad {
    int block = 0;
    bool fileRead = false; // the block file was read into the rows
};

// Empties the rows, then reads block n's file when the slot has a header (a direction) or a
// description that is not blank. A missing file gives an empty block; an unreadable one gives a
// "File Input Error" naming the file and the reason, and leaves the rows empty.
Result<BlockRowsLoad> LoadBlockRows(Job& job, const Workspace& ws, int n);

// The grid's cell texts, rows 1..100 (entry 0 unused); column 4 always shows "+" and is not kept.
using GridTexts = std::array<BlockRow, kMaxRows + 1>;

// The grid cells of job.rows as the grid shows them: columns 1..6, column 4 "+".
std::array<std::string, 6> GridRowCells(const BlockRow& row);

// Takes the grid's texts into job.rows (trimmed; area, plus and radius upper-cased), names a block
// without a description "BLOCK NUMBER " + Str(n) once it has a typed row, and writes its file.
// Refused, with nothing changed (rows, description and file), when a typed row does not fit its
// card, when the block file exists but was not read by `loaded`, or when the write fails.
Status StoreBlockRows(Job& job, const Workspace& ws, int n, const GridTexts& grid,
                      const BlockRowsLoad& loaded);

} // namespace sidewalk
