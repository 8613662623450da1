// Item cards: driveway rules in both unit systems, the standard length limits, extra areas and
// curb, exceptions, and their report lines.
#include <gtest/gtest.h>

#include "compute/items.hpp"
#include "run_support.hpp"

namespace sidewalk {
namespace {

// A block open after its first return, with the given widths.
RunState OpenBlock(bool metric, double d, double s) {
    RunState st = test::RunJob({test::Header(metric ? "M" : "E")});
    st.report.clear();
    st.backCurbToBackSw = d;
    st.sidewalkWidth = s;
    st.grassWidth = d - s;
    st.returnCount = 1;
    st.lineNo = 20;
    st.stationText = "10+00.000";
    return st;
}

// clang-format off
TEST(Items, DrivewayRules) {
    const struct {
        const char* name; bool metric; int type; double a, d, s;
        double sw6, sw4, grass, swDeduct, grassDeduct, dw6;
    } cases[] = {
        {"english 3 wide", false, 3, 20, 10, 4, 260, 0, 0, 20, 30, 20},
        {"english 2 wide", false, 2, 20, 10, 4, 120, 0, 0, 6, 16, 6},
        {"english 3 at the limit is narrow", false, 3, 20, 10, 5, 325, 0, 0, 30, 35, 20},
        {"english 2 narrow", false, 2, 20, 10, 5, 245, 0, 0, 22, 27, 12},
        {"english 0", false, 0, 20, 10, 4, 200, 0, 0, 20, 20, 20},
        {"metric 3 at the limit is wide", true, 3, 6, 5, 2, 39, -12, -27, 0, 0, 6},
        {"metric 3 wide", true, 3, 5, 6, 2, 39, -10, -29, 0, 0, 5},
        {"metric 2 narrow", true, 2, 6, 4, 2, 23.4, -8.2, -15.2, 0, 0, 3.6},
        {"metric 0", true, 0, 6, 4, 2, 24, 0, 0, 6, 6, 6},
        {"no distance", false, 3, 20, 0, -1, 0, 0, 0, 0, 0, 0},
        {"negative distance", true, 2, 6, -1, -2, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& k : cases) {
        RunState s = OpenBlock(k.metric, k.d, k.s);
        s.cardType = k.type;
        s.areaOrLength = k.a;
        ASSERT_TRUE(HandleItem(s));
        const double got[] = {s.sw6Area, s.sw4Area, s.grassArea, s.sidewalkDeductLength,
                              s.grassDeductLength, s.driveway6Length};
        const double want[] = {k.sw6, k.sw4, k.grass, k.swDeduct, k.grassDeduct, k.dw6};
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], want[i], 1e-9) << k.name << " figure " << i;
        EXPECT_EQ(s.areaOrLength, k.a) << "the card keeps the coded length";
    }
}

TEST(Items, DrivewayLengthLimit) {
    const struct { bool metric; int type; double a; bool warned; } cases[] = {
        {false, 0, 60.0, false}, {false, 0, 60.001, true}, {false, 2, 61, true},
        {true, 3, 18.2, false}, {true, 3, 18.201, true}, {true, 0, 18.3, true}};
    for (const auto& k : cases) {
        RunState s = OpenBlock(k.metric, 10, 4);
        s.cardType = k.type;
        s.areaOrLength = k.a;
        HandleItem(s);
        EXPECT_EQ(test::Count(s.report, " ***  DRIVEWAY GREATER THAN STANDARD INDEX ALLOWS"), k.warned ? 1 : 0) << k.a;
        EXPECT_EQ(s.lineNo, k.warned ? 25 : 20) << k.a;
        EXPECT_GT(s.sw6Area, 0) << "still computed";
    }
}

// Lines the expected report files do not show; each item also moves its own figure.
TEST(Items, ReportLinesAndAccumulators) {
    const struct { bool metric; int type; double a; const char* line; } cases[] = {
        {true, 0, 18, " TYPE 00  6\" DRIVEWAY           =   18.000  M        APPROX STA.   10+00.000"},
        {true, 6, 2, " TYPE  6  EX. CURB # 1          =    2.000 M         APPROX STA.   10+00.000"},
        {false, 8, 180, " TYPE  8  EXTRA 6\" AREA         =  180.000 SQ.FT.    APPROX STA.   10+00.000"},
        {false, 9, 45, " TYPE  9  4\" EXCEPTION          =   45.000 FT.       APPROX STA.   10+00.000"},
        {false, 7, 12345.5, " TYPE  7  EXTRA 4\" AREA         = 12345.500 SQ. FT.   APPROX STA.   10+00.000"},
        {true, 5, 14, " TYPE  5  EXTRA GRASS AREA      =   14.000 SQ. M     APPROX STA.   10+00.000"},
    };
    for (const auto& k : cases) {
        RunState s = OpenBlock(k.metric, 10, 4);
        s.cardType = k.type;
        s.areaOrLength = k.a;
        ASSERT_TRUE(HandleItem(s));
        EXPECT_EQ(test::Lines(s.report).at(0), k.line);
        const double moved = k.type == 5 ? s.grassArea : k.type == 6 ? s.totalCurb
                           : k.type == 7 ? s.sw4Area : k.type == 8 ? s.sw6Area
                           : k.type == 9 ? s.sidewalkDeductLength : k.a;
        EXPECT_EQ(moved, k.a) << k.line;
    }
    RunState s = OpenBlock(false, 10, 4);
    for (int type : {1, 4, 10, -1}) {
        s.cardType = type;
        EXPECT_FALSE(HandleItem(s)) << type;
    }
}
// clang-format on

TEST(Items, ExtraCurbsAreNumberedAndSplitBetweenTheReturns) {
    RunState s = OpenBlock(false, 10, 4);
    s.cardType = 6;
    for (double a : {1.0, 2.0, 4.0}) {
        s.areaOrLength = a;
        HandleItem(s);
    }
    const auto lines = test::Lines(s.report);
    ASSERT_EQ(lines.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].substr(0, 22),
                  " TYPE  6  EX. CURB # " + std::to_string(i + 1));
    EXPECT_EQ(s.return1Curb, 1);
    EXPECT_EQ(s.return2Curb, 6);
    EXPECT_EQ(s.totalCurb, 7);
}

} // namespace
} // namespace sidewalk
