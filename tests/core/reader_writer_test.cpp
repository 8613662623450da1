// Reading card files into the job and writing them back: the reader's messages and what stays
// after each, round trips, and saves that never destroy the old file.
#include <cerrno>
#include <filesystem>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "data/descriptor.hpp"
#include "data/file_text.hpp"
#include "data/reader.hpp"
#include "data/writer.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

using test::Cards;
using test::ReadText;
using test::WriteText;

const std::string kBlock = "11 T R   10.000  5.000  22.000  22.000      0.0000 FIRST ST";
const std::string kReturn = "01    0.000   10+32.000   25.000";

Result<CardFileRead> ReadText(Job& job, const Workspace& ws, const std::string& text) {
    std::istringstream in(text);
    return ReadDataFile(job, ws, in, "JOB.V41");
}

std::string Rewrite(Job& job, const Workspace& ws) {
    std::ostringstream out;
    EXPECT_TRUE(WriteDataFile(job, ws, out).has_value());
    return out.str();
}

int BlocksInUse(const Job& job) {
    int inUse = 0;
    for (int n = 1; n <= kMaxBlocks; ++n)
        inUse += job.blockInUse(n) ? 1 : 0;
    return inUse;
}

const std::string kHeader = "CRZ41 R1      P1          01/01/2006 E ENG";

struct ReadRow {
    std::string name, text, message;
    int blocks = 0, block2Lines = 0; // blocks in use and rows kept in block 2 after a limit
};

std::string Blocks101() {
    std::string text = kHeader + "\r\n";
    for (int b = 1; b <= 101; ++b)
        text += Cards({kBlock, kReturn});
    return text;
}

std::string Rows101() {
    std::string text = Cards({kHeader, kBlock, kReturn, kBlock});
    for (int r = 1; r <= 101; ++r)
        text += kReturn + "\r\n";
    return text + Cards({kBlock, kReturn});
}

class ReaderRefuses : public testing::TestWithParam<ReadRow> {};

TEST_P(ReaderRefuses, WithOneMessageAndNothingOfTheFileLeft) {
    const ReadRow& c = GetParam();
    const Workspace ws = test::MakeWorkspace();
    Job job;
    const Result<CardFileRead> r = ReadText(job, ws, c.text);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().text, c.message);
    EXPECT_EQ(r.error().title, "File Input Error");
    EXPECT_EQ(job.idxRefNum + job.jobUnits, "");
    EXPECT_EQ(BlocksInUse(job), 0);
    EXPECT_FALSE(std::filesystem::exists(ws.BlockFileName(1)));
}

const char* const kInvalid = "Invalid File - Select Another File!";
INSTANTIATE_TEST_SUITE_P(Files, ReaderRefuses, testing::ValuesIn(std::vector<ReadRow>{
    {"wrong tag", Cards({"XRZ41 R1", kBlock}), kInvalid},
    {"empty file", "", kInvalid},
    {"row before first block", Cards({kHeader, kReturn, kBlock}), kInvalid},
    {"blank line before first block", Cards({kHeader, "", kBlock}), kInvalid},
}), test::RowName());

class ReaderStops : public testing::TestWithParam<ReadRow> {};

TEST_P(ReaderStops, AtALimitKeepingWhatWasRead) {
    const ReadRow& c = GetParam();
    const Workspace ws = test::MakeWorkspace();
    Job job;
    const Result<CardFileRead> r = ReadText(job, ws, c.text);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->limitReached);
    ASSERT_EQ(r->notices.size(), 1u);
    EXPECT_EQ(r->notices[0].text, c.message);
    EXPECT_EQ(r->notices[0].title, "Critical Error");
    EXPECT_EQ(BlocksInUse(job), c.blocks);
    EXPECT_EQ(SplitLines(ReadText(ws.BlockFileName(2))).size(), std::size_t(c.block2Lines));
}

INSTANTIATE_TEST_SUITE_P(Files, ReaderStops, testing::ValuesIn(std::vector<ReadRow>{
    {"101 blocks", Blocks101(), "More than 100 blocks - Program aborted!", 100, 1},
    {"101 rows", Rows101(), "More than 100 types in a block - Program aborted!", 2, 100},
}), test::RowName());

TEST(ReaderWriter, ExamplesComeBackCardForCard) {
    for (const char* name : {"downtown-english.V41", "ring-road-metric.V41"}) {
        const std::filesystem::path path = std::filesystem::path(SIDEWALK_EXAMPLES_DIR) / name;
        const std::string original = ReadText(path);
        ASSERT_FALSE(original.empty()) << path;
        const Workspace ws = test::MakeWorkspace();
        Job job;
        job.dataFileName = path.string();
        const Result<CardFileRead> r = ReadDataFile(job, ws);
        ASSERT_TRUE(r && !r->limitReached) << name;
        EXPECT_GE(r->blockCount, 5) << name;
        EXPECT_EQ(Rewrite(job, ws), original) << name;
    }
    // An older file, its units after the engineer, comes back in the current layout.
    const Workspace ws = test::MakeWorkspace();
    Job job;
    ReadText(job, ws, Cards({"brz41 DT-0412 4417-021-03 04/17/2006 T. HOLLOWAY   M", kBlock}));
    EXPECT_EQ(Rewrite(job, ws),
              Cards({"CRZ41 DT-0412 4417-021-03 04/17/2006 M T. HOLLOWAY", kBlock}));
}

// Rows kept in memory make the card file that rows kept in a workspace make: held where they
// stand when they are as kept, else copied (small letters, LF or CR line ends).
TEST(ReaderWriter, RowsInMemoryMakeTheCardFileOfAWorkspace) {
    const std::string text = "CRZ41 T-1     P-100       03/07/2006 E A. TESTER\r\n" + kBlock +
                             "\r\n" + kReturn + "\r\n" + kReturn + "\r\n" + kBlock + "\r\n" +
                             kReturn + " abc\r\n" + kBlock + "\r\n" + kReturn + "\n" + kReturn +
                             "\r" + kBlock + "\r\n";
    Job job;
    BlockRowTexts rows;
    ASSERT_TRUE(ReadCardFileText(job, text, rows));
    const bool held[] = {true, false, false, true};
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(rows[n].inText.has_value(), held[n - 1]) << n;
    const Workspace ws = test::MakeWorkspace();
    Job inFiles;
    ASSERT_TRUE(ReadText(inFiles, ws, text));
    EXPECT_EQ(*CardFileText(job, rows), Rewrite(inFiles, ws));
}

TEST(Writer, NothingIsWrittenWhenABlockCannotBeWritten) {
    const test::Scratch dir;
    const Workspace ws = test::MakeWorkspace();
    const auto target = dir / "JOB.V41";
    WriteText(target, "old contents\r\n");
    Job job;
    job.header(1) = {"T", "R", "10", "5", "-20", "20", "", "one"};
    // No block file for a slot in use.
    auto error = WriteDataFile(job, ws, target);
    ASSERT_TRUE(error.failed());
    EXPECT_NE(error.error().text.find("SECT0001.TMP"), std::string::npos) << error.error().text;
    // A value wider than its field, named as typed and cut short.
    WriteText(ws.BlockFileName(1), "");
    job.header(1).widsw = std::string(24, '9');
    error = WriteDataFile(job, ws, target);
    ASSERT_TRUE(error.failed());
    EXPECT_NE(error.error().text.find("Block 1: the sidewalk width " + std::string(20, '9') +
                                      "... does not fit"),
              std::string::npos);
    EXPECT_EQ(ReadText(target), "old contents\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A stream whose device fails on the first write.
struct FailingBuffer : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
};

// (A file that fails part way is the save killed by the size limit, in the recovery tests.)
TEST(Writer, AFailingDeviceIsReported) {
    const Workspace ws = test::MakeWorkspace();
    Job job;
    job.jobUnits = "E";
    job.header(1) = {"T", "R", "10", "5", "-20", "20", "", "one"};
    WriteText(ws.BlockFileName(1), kReturn + "\r\n");
    FailingBuffer failing;
    std::ostream out(&failing);
    const auto streamError = WriteDataFile(job, ws, out);
    ASSERT_TRUE(streamError.failed());
    EXPECT_EQ(streamError.error().title, "File Output Error");

    // A descriptor's close tells its error, once; closing again is nothing.
    Descriptor twice(::dup(1));
    ::close(twice.get());
    EXPECT_EQ(twice.Close(), EBADF);
    EXPECT_EQ(twice.Close(), 0);
}

} // namespace
} // namespace sidewalk
