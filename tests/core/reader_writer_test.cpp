// Reading card files into the job and writing them back: the reader's messages and what stays
// after each, round trips, and saves that never destroy the old file.
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "data/descriptor.hpp"
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

ReadResult ReadText(Job& job, const Workspace& ws, const std::string& text) {
    std::istringstream in(text);
    return ReadDataFile(job, ws, in, "JOB.V41");
}

std::string Rewrite(Job& job, const Workspace& ws) {
    std::ostringstream out;
    EXPECT_TRUE(WriteDataFile(job, ws, out).has_value());
    return out.str();
}

TEST(Reader, MessagesAndWhatStays) {
    const Workspace ws = test::MakeWorkspace();
    const std::string header = "CRZ41 R1      P1          01/01/2006 E ENG";
    std::string blocks101 = header + "\r\n";
    for (int b = 1; b <= 101; ++b)
        blocks101 += Cards({kBlock, kReturn});
    std::string rows101 = Cards({header, kBlock, kReturn, kBlock});
    for (int r = 1; r <= 101; ++r)
        rows101 += kReturn + "\r\n";
    rows101 += Cards({kBlock, kReturn});

    const char* invalid = "Invalid File - Select Another File!";
    // clang-format off
    const struct { const char* name; std::string text; ReadOutcome outcome; const char *message, *title; int blocks; } cases[] = {
        {"wrong tag", Cards({"XRZ41 R1", kBlock}), ReadOutcome::Invalid, invalid, "File Input Error", 0},
        {"empty file", "", ReadOutcome::Invalid, invalid, "File Input Error", 0},
        {"row before first block", Cards({header, kReturn, kBlock}), ReadOutcome::Invalid, invalid, "File Input Error", 0},
        {"blank line before first block", Cards({header, "", kBlock}), ReadOutcome::Invalid, invalid, "File Input Error", 0},
        {"101 blocks", blocks101, ReadOutcome::LimitReached, "More than 100 blocks - Program aborted!", "Critical Error", 100},
        {"101 rows", rows101, ReadOutcome::LimitReached, "More than 100 types in a block - Program aborted!", "Critical Error", 2},
    };
    // clang-format on
    for (const auto& c : cases) {
        Job job;
        const ReadResult r = ReadText(job, ws, c.text);
        EXPECT_EQ(r.outcome, c.outcome) << c.name;
        ASSERT_EQ(r.messages.size(), 1u) << c.name;
        EXPECT_EQ(r.messages[0].text, c.message) << c.name;
        EXPECT_EQ(r.messages[0].title, c.title) << c.name;
        int inUse = 0;
        for (int n = 1; n <= kMaxBlocks; ++n)
            inUse += job.blockInUse(n) ? 1 : 0;
        EXPECT_EQ(inUse, c.blocks) << c.name;
        if (c.outcome == ReadOutcome::Invalid) {
            EXPECT_EQ(job.idxRefNum + job.jobUnits, "") << c.name;
            EXPECT_FALSE(std::filesystem::exists(ws.BlockFileName(1))) << c.name;
        }
    }
    Job job;
    ReadText(job, ws, rows101);
    int lines = 0;
    std::istringstream in(ReadText(ws.BlockFileName(2)));
    for (std::string l; std::getline(in, l);)
        ++lines;
    EXPECT_EQ(lines, 100);
}

TEST(ReaderWriter, ExamplesComeBackCardForCard) {
    for (const char* name : {"downtown-english.V41", "ring-road-metric.V41"}) {
        const std::filesystem::path path = std::filesystem::path(SIDEWALK_EXAMPLES_DIR) / name;
        const std::string original = ReadText(path);
        ASSERT_FALSE(original.empty()) << path;
        const Workspace ws = test::MakeWorkspace();
        Job job;
        job.dataFileName = path.string();
        const ReadResult r = ReadDataFile(job, ws);
        EXPECT_EQ(r.outcome, ReadOutcome::Loaded) << name;
        EXPECT_GE(r.blockCount, 5) << name;
        EXPECT_EQ(Rewrite(job, ws), original) << name;
    }
    // An older file, its units after the engineer, comes back in the current layout.
    const Workspace ws = test::MakeWorkspace();
    Job job;
    ReadText(job, ws, Cards({"brz41 DT-0412 4417-021-03 04/17/2006 T. HOLLOWAY   M", kBlock}));
    EXPECT_EQ(Rewrite(job, ws),
              Cards({"CRZ41 DT-0412 4417-021-03 04/17/2006 M T. HOLLOWAY", kBlock}));
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

TEST(Writer, AFailingDeviceIsReportedAndTheOldFileStays) {
    const test::Scratch dir;
    const Workspace ws = test::MakeWorkspace();
    Job job;
    job.jobUnits = "E";
    job.header(1) = {"T", "R", "10", "5", "-20", "20", "", "one"};
    std::string rows;
    for (int r = 0; r < 100; ++r)
        rows += kReturn + "\r\n";
    WriteText(ws.BlockFileName(1), rows);

    FailingBuffer failing;
    std::ostream out(&failing);
    const auto streamError = WriteDataFile(job, ws, out);
    ASSERT_TRUE(streamError.failed());
    EXPECT_EQ(streamError.error().title, "File Output Error");

    // A real file system failure: the file size limit stops the write part way.
    const auto target = dir / "JOB.V41";
    WriteText(target, "old contents\r\n");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto fileError = WriteDataFile(job, ws, target);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    ASSERT_TRUE(fileError.failed());
    EXPECT_EQ(fileError.error().title, "File Output Error");
    EXPECT_NE(fileError.error().text.find(target.string()), std::string::npos);
    EXPECT_NE(fileError.error().text.find(std::strerror(EFBIG)), std::string::npos)
        << fileError.error().text;
    EXPECT_EQ(ReadText(target), "old contents\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // With room, the save replaces the file and keeps its permissions.
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    ASSERT_TRUE(WriteDataFile(job, ws, target).has_value());
    EXPECT_EQ(ReadText(target), Rewrite(job, ws));
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));

    // A descriptor's close tells its error, once; closing again is nothing.
    Descriptor twice(::dup(1));
    ::close(twice.get());
    EXPECT_EQ(twice.Close(), EBADF);
    EXPECT_EQ(twice.Close(), 0);
}

} // namespace
} // namespace sidewalk
