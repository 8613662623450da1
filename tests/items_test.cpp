// Item cards run in a block of 100 ft (or m) between two returns of radius 0, so that the block
// figures are the straight strips plus what each item moves: driveway rules in both unit
// systems, the standard length limits, extra areas and curb, exceptions, and their lines.
#include <gtest/gtest.h>

#include "run_support.hpp"

namespace sidewalk {
namespace {

using test::Block;
using test::Count;
using test::Header;
using test::Row;

// The block with these widths and items, run whole.
RunState RunItems(bool metric, double d, double s, const std::vector<std::string>& items) {
    std::vector<std::string> cards = {
        Header(metric ? "M" : "E"),
        Block("T", "R", std::to_string(d), std::to_string(s), "22", "22", ""),
        Row("1", "", "10", "0", "0")};
    cards.insert(cards.end(), items.begin(), items.end());
    cards.push_back(Row("1", "", "11", "0", "0"));
    return test::RunJob(cards);
}

// clang-format off
TEST(Items, DrivewayRules) {
    // sw6, sw4 and grass as the item leaves them, and the sidewalk and grass deductions.
    const struct {
        const char* name; bool metric; const char* type; double a, d, s;
        double sw6, sw4, grass, swDeduct, grassDeduct;
    } cases[] = {
        {"english 3 wide", false, "3", 20, 10, 4, 260, 0, 0, 20, 30},
        {"english 2 wide", false, "2", 20, 10, 4, 120, 0, 0, 6, 16},
        {"english 3 at the limit is narrow", false, "3", 20, 10, 5, 325, 0, 0, 30, 35},
        {"english 2 narrow", false, "2", 20, 10, 5, 245, 0, 0, 22, 27},
        {"english 0", false, "0", 20, 10, 4, 200, 0, 0, 20, 20},
        {"metric 3 at the limit is wide", true, "3", 6, 5, 2, 39, -12, -27, 0, 0},
        {"metric 3 wide", true, "3", 5, 6, 2, 39, -10, -29, 0, 0},
        {"metric 2 narrow", true, "2", 6, 4, 2, 23.4, -8.2, -15.2, 0, 0},
        {"metric 0", true, "0", 6, 4, 2, 24, 0, 0, 6, 6},
        {"no distance", false, "3", 20, 0, -1, 0, 0, 0, 0, 0},
        {"negative distance", true, "2", 6, -1, -2, 0, 0, 0, 0, 0},
    };
    for (const auto& k : cases) {
        const RunState s = RunItems(k.metric, k.d, k.s, {Row(k.type, std::to_string(k.a), "10", "50")});
        ASSERT_EQ(s.blocks.at(0).status, BlockStatus::Computed) << k.name;
        const BlockSummary& b = s.blocks[0];
        EXPECT_NEAR(b.sw6Area, k.sw6, 1e-9) << k.name;
        EXPECT_NEAR(b.sw4Area, k.sw4 + (100 - k.swDeduct) * k.s, 1e-9) << k.name;
        EXPECT_NEAR(b.grassArea, k.grass + (100 - k.grassDeduct) * (k.d - k.s), 1e-9) << k.name;
    }
}

TEST(Items, DrivewayLengthLimit) {
    const struct { bool metric; const char* type; const char* a; bool warned; } cases[] = {
        {false, "0", "60", false}, {false, "0", "60.001", true}, {false, "2", "61", true},
        {true, "3", "18.2", false}, {true, "3", "18.201", true}, {true, "0", "18.3", true}};
    for (const auto& k : cases) {
        const RunState s = RunItems(k.metric, 10, 4, {Row(k.type, k.a, "10", "50")});
        EXPECT_EQ(Count(s.report, " ***  DRIVEWAY GREATER THAN STANDARD INDEX ALLOWS"), k.warned ? 1 : 0) << k.a;
        EXPECT_GT(s.blocks.at(0).sw6Area, 0) << "still computed";
    }
}

// Lines the expected report files do not show; each item also moves its own figure.
TEST(Items, ReportLinesAndFigures) {
    const struct { bool metric; const char* type; const char* a; const char* line; double BlockSummary::*figure; double moved; } cases[] = {
        {true, "0", "18", " TYPE 00  6\" DRIVEWAY           =   18.000  M        APPROX STA.   10+50.000", &BlockSummary::sw6Area, 18 * 10},
        {true, "6", "2", " TYPE  6  EX. CURB # 1          =    2.000 M         APPROX STA.   10+50.000", &BlockSummary::totalCurb, 2},
        {false, "8", "180", " TYPE  8  EXTRA 6\" AREA         =  180.000 SQ.FT.    APPROX STA.   10+50.000", &BlockSummary::sw6Area, 180},
        {false, "9", "45", " TYPE  9  4\" EXCEPTION          =   45.000 FT.       APPROX STA.   10+50.000", &BlockSummary::sw4Area, -45 * 4},
        {false, "7", "9999.5", " TYPE  7  EXTRA 4\" AREA         = 9999.500 SQ. FT.   APPROX STA.   10+50.000", &BlockSummary::sw4Area, 9999.5},
        {true, "5", "14", " TYPE  5  EXTRA GRASS AREA      =   14.000 SQ. M     APPROX STA.   10+50.000", &BlockSummary::grassArea, 14},
    };
    for (const auto& k : cases) {
        const RunState none = RunItems(k.metric, 10, 4, {});
        const RunState s = RunItems(k.metric, 10, 4, {Row(k.type, k.a, "10", "50")});
        EXPECT_EQ(Count(s.report, k.line), 1) << k.line << "\n" << s.report;
        EXPECT_NEAR(s.blocks.at(0).*k.figure - none.blocks.at(0).*k.figure, k.moved, 1e-9) << k.line;
    }
}
// clang-format on

TEST(Items, ExtraCurbsAreNumberedAndSplitBetweenTheReturns) {
    const RunState s =
        RunItems(false, 10, 4,
                 {Row("6", "1", "10", "10"), Row("6", "2", "10", "20"), Row("6", "4", "10", "30")});
    for (int i = 1; i <= 3; ++i)
        EXPECT_NE(s.report.find(" TYPE  6  EX. CURB # " + std::to_string(i) + " "),
                  std::string::npos);
    EXPECT_EQ(s.blocks.at(0).return1Curb, 1);
    EXPECT_EQ(s.blocks[0].return2Curb, 6);
    EXPECT_EQ(s.blocks[0].totalCurb, 100 + 7);
}

} // namespace
} // namespace sidewalk
