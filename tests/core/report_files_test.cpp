// Whole reports against expected files, through the same path as the program's Report command.
// Each tests/data/NAME.SPL is the report of NAME.V41 (a data file, read, then written as the work
// file) or of NAME.WRK (a work file run as it stands); NAME.csv, where there is one, its totals.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "compute/run_report.hpp"
#include "data/reader.hpp"
#include "data/writer.hpp"
#include "report/totals_csv.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

const fs::path kData = fs::path(SIDEWALK_TESTS_DIR) / "data";
constexpr std::time_t kRunTime = 1141693509; // 7 March 2006, 01:05:09 UTC

TEST(ReportFiles, MatchTheExpectedReportsAndTotals) {
    int reports = 0, totals = 0;
    for (const auto& entry : fs::directory_iterator(kData)) {
        fs::path path = entry.path();
        if (path.extension() != ".SPL") continue;
        const std::string expected = ReadText(path);
        const Workspace ws = test::MakeWorkspace();
        ASSERT_TRUE(ws.WriteVersionFile().has_value());
        if (fs::exists(path.replace_extension(".WRK"))) {
            WriteText(ws.File("WORK.TMP"), ReadText(path));
        } else {
            Job job;
            job.dataFileName = path.replace_extension(".V41").string();
            ASSERT_TRUE(ReadDataFile(job, ws).has_value()) << path;
            ASSERT_TRUE(WriteDataFile(job, ws, fs::path(ws.File("WORK.TMP"))).has_value());
        }
        const Result<RunOutcome> run = RunReport(ws, RunOptions{kRunTime});
        ASSERT_TRUE(run) << path;
        EXPECT_EQ(ReadText(ws.File("PRINT.SPL")), expected) << path;
        ++reports;
        if (fs::exists(path.replace_extension(".csv"))) {
            EXPECT_EQ(TotalsCsv(run->metric, run->blocks, run->grand), ReadText(path)) << path;
            ++totals;
        }
    }
    EXPECT_EQ(reports, 14);
    EXPECT_EQ(totals, 5);
}

} // namespace
} // namespace sidewalk
