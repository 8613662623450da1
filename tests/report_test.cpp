// The report's page form and its boxed messages: page headers and numbers, form-feed page
// breaks, station texts, the block header checks, and every card-order error with what
// follows it.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compute/block_header.hpp"
#include "report/page.hpp"
#include "run_support.hpp"

namespace sidewalk {
namespace {

using test::Block;
using test::Count;
using test::Header;
using test::Lines;
using test::Pages;
using test::Row;
using test::RunJob;

const std::string kTangent = Block("T", "R", "10", "4", "22", "22", "", "FIRST ST");
const std::string kOpen = Row("1", "", "10", "0", "25");
const std::string kClose = Row("1", "", "13", "0", "25");

// clang-format off
TEST(ReportForm, StationTextsAndRunTime) {
    const std::pair<double, const char*> stations[] = {
        {0, "0+00.000"}, {99.999, "0+99.999"}, {100, "1+00.000"}, {1234.5, "12+34.500"},
        {5.25, "0+05.250"}, {123456, "1234+56.000"}, {-5.25, "-0+05.250"}, {99.9996, "1+00.000"},
        {999999.999, "9999+99.999"}, {1e6, "10000+00.000"}, {12345678, "12345+78.000"},
        {-123456, "-1234+56.000"}};
    for (const auto& [value, text] : stations) EXPECT_EQ(FormatStation(value), text) << value;

    RunState s;
    StampDateTime(s, 1141689600 + 309); // 7 March 2006, 00:05:09 UTC
    EXPECT_EQ(s.dateProc + " " + s.timeProc, "03/07/2006 00:05:09");
}
// clang-format on

TEST(ReportForm, PagesAndTheirHeaders) {
    std::vector<std::string> cards = {Header()};
    for (int b = 0; b < 6; ++b) cards.insert(cards.end(), {kTangent, kOpen, kClose});
    const RunState s = RunJob(cards, 309);
    const auto pages = Pages(s.report);
    ASSERT_EQ(pages.size(), 7u); // one block a page, then the grand totals
    EXPECT_NE(s.report.substr(0, 1), "\f");
    EXPECT_EQ(std::vector<std::string>(pages[0].begin(), pages[0].begin() + 6),
              (std::vector<std::string>{
                  " ZARN V4.2.0 04/2006          SIDEWALK CURB & GRASSING QUANTITIES",
                  " PROGRAM  TOVRZ41     DATE PROC 01/01/1970    TIME PROC 00:05:09   PAGE     1",
                  " REF. # - REF         PROJECT NO.  PROJ-1", " SUBM ENGINEER: ENGINEER",
                  " INPUT DATA IS IN ENGLISH", " "}));
    for (std::size_t p = 0; p < 6; ++p) EXPECT_EQ(pages[p][7], "BLOCK IDENTIFICATION - FIRST ST");
    EXPECT_EQ(pages[6][1].substr(67), "PAGE     7");
    EXPECT_EQ(pages[6][7].substr(0, 31), "GRAND TOTAL 4 IN SIDEWALK     =");

    // Only a whole form-feed line breaks a page, and it belongs to no page.
    using Views = std::vector<std::string_view>;
    EXPECT_EQ(SplitPages("A\r\n\f\r\nB\r\n"), (Views{"A\r\n", "B\r\n"}));
    EXPECT_EQ(SplitPages("A\f\r\n \f\r\n"), (Views{"A\f\r\n \f\r\n"}));
    EXPECT_EQ(SplitPages(""), Views{});

    // A block card right after a block without rows starts no new page.
    const RunState two = RunJob({Header(), kTangent, kTangent, kOpen, kClose});
    EXPECT_EQ(Pages(two.report).size(), 2u);
    // A version text longer than 30 columns pushes the title to column 31 of the next line.
    const auto wide = Lines(RunCards(std::string(35, 'V'), std::vector<std::string>{Header()},
                                     RunOptions{0}).report);
    EXPECT_EQ(wide[0], " " + std::string(35, 'V'));
    EXPECT_EQ(wide[1], std::string(30, ' ') + "SIDEWALK CURB & GRASSING QUANTITIES");
}

// clang-format off
TEST(ReportForm, HeaderChecks) {
    const std::string wider = " ***  SIDEWALK IS WIDER THAN THE DISTANCE FROM BACK OF CURB TO BACK OF SIDEWALK";
    const std::string width = " ***  WARNING:SIDEWALK WIDTH UNREASONABLE";
    const std::string dist = " ***  WARNING:DISTANCE FROM BACK OF CURB TO BACK OF SIDEWALK UNREASONABLE";
    const std::string radius = " ***  WARNING RADIUS OF ALIGNMENT NOT CODED TANGENT ASSUMED";
    const struct {
        const char* units; std::string card; bool computable; std::vector<std::string> lines;
        int boxes, lineNo, returnCount; const char* curveDir;
    } cases[] = {
        {"E", Block("T", "R", "25", "25", "0", "0", ""), true, {}, 0, 13, 0, "T"},
        {"E", Block("T", "R", "26", "25.001", "0", "0", ""), true, {width, dist}, 2, 23, 0, "T"},
        {"E", Block("T", "R", "25", "26", "0", "0", ""), false, {wider}, 1, 18, 3, "T"},
        {"M", Block("T", "R", "7.62", "2", "0", "0", ""), true, {}, 0, 13, 0, "T"},
        {"M", Block("T", "R", "7.63", "2", "0", "0", ""), true, {dist}, 1, 18, 0, "T"},
        {"E", Block("L", "R", "10", "4", "0", "0", ""), true,
         {radius, " DIRECTION OF ROADWAY CURVE...    LEFT"}, 1, 16, 0, "T"},
        {"E", Block("R", "L", "10", "4", "0", "0", "800"), true, {}, 0, 13, 0, "R"},
        // any other direction is tangent, whatever radius the card holds
        {"E", Block("X", "R", "10", "4", "-3.25", "22.5", "500"), true,
         {" DIRECTION OF ROADWAY CURVE... TANGENT",
          " RADIUS OF ROADWAY CURVE........................      0.0000  FT.",
          " DIST LEFT OF ALIGNMENT TO FACE OF LEFT CURB.....     -3.250  FT."}, 0, 13, 0, "T"},
    };
    for (const auto& k : cases) {
        RunState s = RunJob({Header(k.units)});
        s.report.clear();
        EXPECT_EQ(PrintBlockIdent(s, k.card), k.computable) << k.card;
        EXPECT_EQ(s.lineNo, k.lineNo) << k.card;
        EXPECT_EQ(s.returnCount, k.returnCount) << k.card;
        EXPECT_EQ(s.curveDir, k.curveDir) << k.card;
        EXPECT_EQ(Count(s.report, std::string(70, '*')), 2 * k.boxes) << k.card;
        for (const std::string& line : k.lines) EXPECT_EQ(Count(s.report, line), 1) << k.card << line;
    }
}

// clang-format off
TEST(ReportForm, CardOrderErrors) {
    const std::string firstCard = " ***  ERROR-1ST CARD NOT TYPE 1 OR 4";
    const std::string invalid = " ***  ERROR-CARD TYPE NOT VALID";
    const std::string lastCard = " ***  ERROR: LAST CARD NOT TYPE 1 OR 4";
    const std::string lastCardAtHeader = " ***  ERROR: LAST CARD NOT TYPE 1 OR 4   ";
    const std::string rejected = Block("T", "R", "4", "5", "0", "0", "");
    const struct {
        const char* name; std::vector<std::string> cards;
        std::vector<std::pair<std::string, int>> counts; std::size_t pages; int computed;
    } cases[] = {
        {"two items before the first return",
         {Header(), kTangent, Row("7", "5", "10", "0"), Row("8", "5", "10", "0"), kOpen, kClose},
         {{firstCard, 2}}, 4, 1},
        {"a row card before any block card is only a first card",
         {Header(), Row("5", "1", "1", "0")}, {{firstCard, 1}}, 2, 0},
        {"types 10 and 12 inside a block",
         {Header(), kTangent, kOpen, "10    1.000   10+00.000", "12    2.000   10+00.000", kClose},
         {{invalid, 2}, {" XXXX 10         LENGTH =     1.000        APPROX STA. =   10+00.000", 1},
          {" XXXX 12         LENGTH =     2.000        APPROX STA. =   10+00.000", 1}}, 4, 1},
        {"type 10 before the first return is a first card",
         {Header(), kTangent, "10    1.000"}, {{firstCard, 1}, {invalid, 0}}, 2, 0},
        {"\"1 \" and \" 1\" are returns",
         {Header(), kTangent, "1     0.000   10+00.000", " 1    0.000   13+00.000"}, {{invalid, 0}}, 2, 1},
        {"blank type columns before any card", {Header(), "", " ", "  5"},
         {{invalid, 3}, {" XXXX 00         LENGTH =     0.000        APPROX STA. =            ", 3}}, 4, 0},
        {"blank type columns after a block card show its type only", {Header(), kTangent, ""},
         {{" XXXX 11         LENGTH =     0.000        APPROX STA. =            ", 1}}, 2, 0},
        {"blank type columns show the previous card",
         {Header(), kTangent, kOpen, Row("7", "12.5", "11", "50"), "  ", kClose},
         {{" XXXX 07         LENGTH =    12.500        APPROX STA. =   11+50.000", 1}}, 3, 1},
        {"the file ends after the first return", {Header(), kTangent, kOpen}, {{lastCard, 1}}, 2, 0},
        {"a block card after the first return", {Header(), kTangent, kOpen, kTangent, kOpen, kClose},
         {{lastCardAtHeader, 1}, {lastCard, 0}}, 3, 1},
        {"a block card after an uncomputable closing return",
         {Header(), kTangent, kOpen, Row("1", "", "13", "0", "8"), kTangent, kOpen, kClose},
         {{lastCardAtHeader, 1}, {" ***  IS GREATER THAN RADIUS OF RETURN", 1}}, 4, 1},
        {"a block card after a rejected block",
         {Header(), rejected, kOpen, Row("7", "9", "11", "0"), kClose, kTangent, kOpen, kClose},
         {{lastCardAtHeader, 1},
          {" TYPE  7  EXTRA 4\" AREA         =    9.000 SQ. FT.   APPROX STA.   11+00.000", 1}}, 4, 1},
        {"a rejected block ending in its ignored return: grand totals share its page",
         {Header(), rejected, kOpen}, {{lastCard, 0}, {lastCardAtHeader, 0}}, 1, 0},
        {"a rejected block's closing return forces a page that the grand totals share",
         {Header(), rejected, kOpen, kClose}, {{lastCard, 0}, {lastCardAtHeader, 0}}, 2, 0},
        {"deductions longer than the block", {Header(), kTangent, kOpen, Row("9", "400", "11", "0"), kClose},
         {{" ***  SITUATION IMPOSSIBLE-LENGTHS CODED MORE THAN BLOCK LENGTH", 1},
          {"4IN SIDEWALK      =   -120.440 SQ. FT.     -13.382 SQ. YDS.", 1}}, 2, 1},
    };
    // clang-format on
    for (const auto& k : cases) {
        const RunState s = RunJob(k.cards);
        for (const auto& [line, n] : k.counts)
            EXPECT_EQ(Count(s.report, line), n) << k.name << ": " << line << "\n" << s.report;
        EXPECT_EQ(Pages(s.report).size(), k.pages) << k.name << "\n" << s.report;
        int computed = 0;
        for (const auto& line : Lines(s.report))
            computed += line.rfind("TOTAL CURB IN BLOCK", 0) == 0;
        EXPECT_EQ(computed, k.computed) << k.name;
        EXPECT_EQ(Lines(s.report).back().substr(0, 31), "GRAND TOTAL ROADWAY CURB      =")
            << k.name;
    }
}

TEST(ReportForm, UnknownTagGivesTheConversionNotice) {
    const std::vector<std::string> notice = {
        std::string(45, '*'), "    DATA MUST BE CONVERTED TO NEW FORMAT",
        "    USE THE DATA ENTRY PROGRAM TO", "    CONVERT THE DATA TO THE NEW FORMAT",
        std::string(45, '*')};
    for (const std::vector<std::string>& cards :
         {std::vector<std::string>{"ARZ41 X", kTangent, kOpen, kClose},
          std::vector<std::string>{}}) {
        EXPECT_EQ(Lines(RunJob(cards).report), notice);
    }
    // The first card is upper-cased: a lower-case tag and units code are taken.
    const RunState s =
        RunJob({"crz41 ref     proj        01/01/2006 m eng", kTangent, kOpen, kClose});
    EXPECT_EQ(Count(s.report, " INPUT DATA IS IN METRIC"), 2);
    EXPECT_EQ(Count(s.report, " SUBM ENGINEER: ENG"), 2);
    EXPECT_EQ(Count(s.report, "ROADWAY CURB        =     300.000 M  "), 1);
}

} // namespace
} // namespace sidewalk
