// The report's page form where the expected report files do not reach: station texts, the run's
// date and time, page splitting and a long version text.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compute/run_report.hpp"
#include "report/page.hpp"

namespace sidewalk {
namespace {

// clang-format off
TEST(ReportForm, StationTextsAndRunTime) {
    const std::pair<double, const char*> stations[] = {
        {0, "0+00.000"}, {99.999, "0+99.999"}, {100, "1+00.000"}, {1234.5, "12+34.500"},
        {5.25, "0+05.250"}, {123456, "1234+56.000"}, {-5.25, "-0+05.250"}, {99.9996, "1+00.000"},
        {999999.999, "9999+99.999"}, {1e6, "10000+00.000"}, {12345678, "12345+78.000"},
        {-123456, "-1234+56.000"}};
    for (const auto& [value, text] : stations) EXPECT_EQ(FormatStation(value), text) << value;

    PageHeading s;
    StampDateTime(s, 1141689600 + 309); // 7 March 2006, 00:05:09 UTC
    EXPECT_EQ(s.dateProc + " " + s.timeProc, "03/07/2006 00:05:09");
}
// clang-format on

// Only a whole form-feed line breaks a page, and it belongs to no page; a version text longer
// than 30 columns pushes the title to column 31 of the next line.
TEST(ReportForm, PageBreaksAndALongVersionText) {
    using Views = std::vector<std::string_view>;
    EXPECT_EQ(SplitPages("A\r\n\f\r\nB\r\n"), (Views{"A\r\n", "B\r\n"}));
    EXPECT_EQ(SplitPages("A\f\r\n \f\r\n"), (Views{"A\f\r\n \f\r\n"}));
    EXPECT_EQ(SplitPages(""), Views{});
    const std::vector<std::string> header = {"CRZ41 REF"};
    const std::string wide = RunCards(std::string(35, 'V'), header, RunOptions{0}).report;
    const std::string lines = " " + std::string(35, 'V') + "\r\n" + std::string(30, ' ') +
                              "SIDEWALK CURB & GRASSING QUANTITIES\r\n";
    EXPECT_EQ(wide.substr(0, lines.size()), lines);
}

// A report given out as the run goes comes in pieces that make the whole report.
TEST(ReportForm, AReportGivenOutInPiecesIsTheWholeReport) {
    std::string work = "CRZ41 T-1     P-100       03/07/2006 E A. TESTER\r\n";
    for (int block = 0; block < 100; ++block)
        work += "11 T R   10.000  4.000  22.000  22.000      0.0000 BLOCK\r\n"
                "01    0.000   10+00.000   25.000\r\n03   20.000   11+00.000    0.000\r\n"
                "04    0.000   13+00.000   25.000\r\n";
    std::vector<std::string> pieces;
    RunOptions given{0};
    given.reportSink = [&pieces](std::string_view piece) { pieces.emplace_back(piece); };
    EXPECT_EQ(RunCardText("V", work, given).report, "");
    EXPECT_GE(pieces.size(), 2u);
    std::string joined;
    for (const std::string& piece : pieces)
        joined += piece;
    EXPECT_EQ(joined, RunCardText("V", work, RunOptions{0}).report);
}

} // namespace
} // namespace sidewalk
