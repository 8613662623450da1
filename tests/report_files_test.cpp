// Whole reports against expected files worked out by hand, through the same path as the
// program's Report command: read the data file, write WORK.TMP, run, read PRINT.SPL.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "compute/run_report.hpp"
#include "data/reader.hpp"
#include "data/writer.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

const fs::path kData = fs::path(SIDEWALK_TESTS_DIR) / "data";
constexpr std::time_t kRunTime = 1141693509; // 7 March 2006, 01:05:09 UTC

TEST(ReportFiles, MatchTheExpectedReports) {
    const struct {
        const char* input;
        bool workFile;
        const char* expected;
    } cases[] = {
        {"tangent-english.V41", false, "tangent-english.SPL"},
        {"curved-metric.V41", false, "curved-metric.SPL"},
        {"card-errors.WRK", true, "card-errors.SPL"},
    };
    for (const auto& c : cases) {
        const Workspace ws = test::MakeWorkspace();
        ASSERT_FALSE(ws.WriteVersionFile());
        if (c.workFile) {
            WriteText(ws.File("WORK.TMP"), ReadText(kData / c.input));
        } else {
            Job job;
            job.dataFileName = (kData / c.input).string();
            ASSERT_EQ(ReadDataFile(job, ws).outcome, ReadOutcome::Loaded) << c.input;
            ASSERT_FALSE(WriteDataFile(job, ws, fs::path(ws.File("WORK.TMP"))));
        }
        const RunOutcome run = RunReport(ws, RunOptions{kRunTime});
        ASSERT_FALSE(run.error) << c.input;
        EXPECT_EQ(ReadText(ws.File("PRINT.SPL")), ReadText(kData / c.expected)) << c.input;
    }
}

TEST(ReportFiles, ARunThatCannotReadOrWriteReportsItAndWritesNothing) {
    const struct {
        const char* name;
        bool version, work, printIsFolder;
        const char* named;
    } cases[] = {
        {"no version record", false, true, false, "VERSION.TMP"},
        {"no work file", true, false, false, "WORK.TMP"},
        {"report cannot be written", true, true, true, "PRINT.SPL"},
    };
    for (const auto& c : cases) {
        const Workspace ws = test::MakeWorkspace();
        if (c.version) {
            ASSERT_FALSE(ws.WriteVersionFile());
        }
        if (c.work) WriteText(ws.File("WORK.TMP"), ReadText(kData / "card-errors.WRK"));
        if (c.printIsFolder) fs::create_directory(ws.File("PRINT.SPL"));
        const RunOutcome run = RunReport(ws, RunOptions{kRunTime});
        ASSERT_TRUE(run.error) << c.name;
        EXPECT_NE(run.error->text.find(c.named), std::string::npos) << run.error->text;
        EXPECT_TRUE(run.blocks.empty()) << c.name;
        if (!c.printIsFolder) {
            EXPECT_FALSE(fs::exists(ws.File("PRINT.SPL"))) << c.name;
        }
    }
}

} // namespace
} // namespace sidewalk
