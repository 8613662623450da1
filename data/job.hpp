// The job being edited: index record, units code, the 100 block header slots and the rows of
// the block open in the grid. All values are texts, stored exactly as typed or read.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace sidewalk {

inline constexpr int kMaxBlocks = 100;
inline constexpr int kMaxRows = 100;

struct BlockHeader {
    std::string aliTyp;   // direction of roadway curve: "T", "L" or "R"
    std::string blSide;   // side of baseline: "L" or "R"
    std::string bcbsw;    // back of curb to back of sidewalk
    std::string widsw;    // sidewalk width
    std::string w1;       // baseline to face of left curb
    std::string w2;       // baseline to face of right curb
    std::string radiusBl; // baseline radius; blank for a tangent baseline
    std::string blkDesc;  // block description, upper case

    bool operator==(const BlockHeader&) const = default;
};

struct BlockRow {
    std::string type;    // type digit "0".."9"
    std::string area;    // area or length
    std::string station; // station, whole hundreds
    std::string plus;    // plus
    std::string radius;  // radius to back of curb

    bool operator==(const BlockRow&) const = default;
};

// The name of a job made by New that has no data file yet: saved with Save As only.
inline constexpr std::string_view kNoName = "NoName";

// Slots and rows are numbered 1..100; entry 0 exists and is never used.
struct Job {
    std::string dataFileName; // "" at start, kNoName after New, the path after Open or Save As
    std::string fileTag;      // columns 1-5 of the first card of the file read last
    std::string idxRefNum;
    std::string idxProject;
    std::string idxDate;
    std::string idxEng;
    std::string jobUnits;   // "E" feet, "M" metres
    bool dataSaved = false; // set after a successful save, cleared by New, Open and any change
    int blockNo = 0;        // the block being edited, 1..100, set by the block list

    std::array<BlockHeader, kMaxBlocks + 1> headers{};
    std::array<BlockRow, kMaxRows + 1> rows{};

    // Checked access: a slot or row outside 0..100 is a programming error (std::out_of_range).
    BlockHeader& header(int n) { return headers.at(static_cast<std::size_t>(n)); }
    const BlockHeader& header(int n) const { return headers.at(static_cast<std::size_t>(n)); }
    BlockRow& row(int r) { return rows.at(static_cast<std::size_t>(r)); }
    const BlockRow& row(int r) const { return rows.at(static_cast<std::size_t>(r)); }

    // A slot is part of the job exactly when its direction is not empty.
    bool blockInUse(int n) const { return !header(n).aliTyp.empty(); }

    bool operator==(const Job&) const = default;
};

// Empties the index record, units, file tag and every block header; clears DataSaved.
// The file name, BlockNo, the rows and the workspace files stay.
void ClearJob(Job& job);

// BlockHasRows: whether any row of the open block has a type.
bool CheckBlockRows(const Job& job);

// Empties every row.
void ClearBlockRows(Job& job);

// The block list's 100 lines: "Blk " + Str(n) + " " + description.
std::vector<std::string> FillBlockList(const Job& job);

// The block identification window's fields as texts.
struct BlockHeaderFields {
    std::string direction; // "Tangent", "Left" or "Right"
    std::string side;      // "Left" or "Right"
    std::string bcbsw, widsw, w1, w2, radiusBl, blkDesc;

    bool operator==(const BlockHeaderFields&) const = default;
};

BlockHeaderFields LoadBlockHeader(const Job& job, int n);
void StoreBlockHeader(Job& job, int n, const BlockHeaderFields& fields);

} // namespace sidewalk
