// A block's rows going through its workspace file: stored, read back, described, and never
// written over when they were not read.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "data/block_file.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

using test::Cards;
using test::ReadText;
using test::WriteText;

TEST(BlockFile, RowsCloseUpAndUntypedRowsAreDropped) {
    const Workspace ws = test::MakeWorkspace();
    Job job;
    job.header(3).blkDesc = "ELM ST";
    GridTexts grid{};
    grid[2] = {" 4 ", "12.5", "123", "5", "25"};
    grid[3] = {"", "99", "1", "1", "1"}; // no type: dropped
    grid[5] = {"7", "1e1", "124", "50.25", ""};
    const Result<BlockRowsLoad> fresh = LoadBlockRows(job, ws, 3);
    EXPECT_FALSE(!fresh || fresh->fileRead); // a new block has no file yet
    ASSERT_TRUE(StoreBlockRows(job, ws, 3, grid, *fresh).has_value());
    EXPECT_EQ(ReadText(ws.BlockFileName(3)),
              Cards({"04   12.500  123+05.000   25.000", "07   10.000  124+50.250    0.000"}));
    EXPECT_EQ(job.header(3).blkDesc, "ELM ST");

    EXPECT_TRUE(LoadBlockRows(job, ws, 3)->fileRead);
    EXPECT_EQ(job.row(1), (BlockRow{"4", "12.500", "123", "05.000", "25.000"}));
    EXPECT_EQ(job.row(2), (BlockRow{"7", "10.000", "124", "50.250", "0.000"}));
    EXPECT_EQ(job.row(3), BlockRow{});
    EXPECT_EQ(GridRowCells(job.row(2)),
              (std::array<std::string, 6>{"7", "10.000", "124", "+", "50.250", "0.000"}));
}

TEST(BlockFile, DescriptionRules) {
    GridTexts typed{};
    typed[1] = {"1", "", "10", "", "25"};
    const GridTexts empty{};
    // clang-format off
    const struct { const char* before; const GridTexts& grid; const char* after; } cases[] = {
        {"", typed, "BLOCK NUMBER  7"}, // automatic name for a typed block
        {"", empty, ""},                // nothing typed: stays empty
        {"   ", typed, "   "},          // blanks are not empty here
    };
    // clang-format on
    for (const auto& c : cases) {
        const Workspace ws = test::MakeWorkspace();
        Job job;
        job.header(7).blkDesc = c.before;
        ASSERT_TRUE(StoreBlockRows(job, ws, 7, c.grid, *LoadBlockRows(job, ws, 7)).has_value());
        EXPECT_EQ(job.header(7).blkDesc, c.after) << '"' << c.before << '"';
    }
}

// Which block files are read, and that one not read is never written over.
TEST(BlockFile, AFileThatWasNotReadIsNeverWrittenOver) {
    const std::string stored = Cards({"05    1.500    0+00.000    0.000"});
    GridTexts grid{};
    grid[1] = {"7", "2", "1", "1", ""};
    // unreadable: the block file is a folder; loadedAs: the block the grid loaded
    // clang-format off
    const struct { const char *name, *aliTyp, *blkDesc; bool unreadable; int loadedAs; bool read; } cases[] = {
        {"described block", "", "MAIN", false, 7, true},
        {"header, blank description", "T", "  ", false, 7, true},
        {"no header, blank description", "", "  ", false, 7, false},
        {"unreadable file", "T", "MAIN", true, 7, false},
        {"rows loaded for another block", "T", "MAIN", false, 6, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        const Workspace ws = test::MakeWorkspace();
        const std::string name = ws.BlockFileName(7);
        if (c.unreadable)
            std::filesystem::create_directory(name);
        else
            WriteText(name, stored);
        Job job;
        job.header(7).aliTyp = job.header(6).aliTyp = c.aliTyp;
        job.header(7).blkDesc = job.header(6).blkDesc = c.blkDesc;
        const BlockRowsLoad loaded = LoadBlockRows(job, ws, c.loadedAs).value_or({c.loadedAs});
        const Result<BlockRowsLoad> own = LoadBlockRows(job, ws, 7);
        EXPECT_EQ(own && own->fileRead, c.read) << c.name;
        EXPECT_EQ(job.row(1).type, c.read ? "5" : "") << c.name;
        if (c.unreadable) {
            ASSERT_FALSE(own) << c.name;
            EXPECT_EQ(own.error().title, "File Input Error");
            EXPECT_NE(own.error().text.find(name + ": " + std::strerror(EISDIR)), std::string::npos);
        }
        const auto error = StoreBlockRows(job, ws, 7, grid, loaded);
        EXPECT_EQ(error.has_value(), c.read && c.loadedAs == 7) << c.name;
        if (error.failed()) {
            EXPECT_EQ(job.row(1).type, c.read ? "5" : "") << c.name; // rows untouched
            if (!c.unreadable) {
                EXPECT_EQ(ReadText(name), stored) << c.name;
            }
        }
    }
}

} // namespace
} // namespace sidewalk
