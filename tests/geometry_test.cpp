// Returns and block ends: the worked tangent block, type 4 returns, zero radii, curved blocks,
// blocks that cannot be computed, and figures that would not be finite.
#include <cfloat>
#include <cmath>

#include <gtest/gtest.h>

#include "data/number.hpp"
#include "run_support.hpp"

namespace sidewalk {
namespace {

using test::Block;
using test::Count;
using test::Header;
using test::Pages;
using test::Row;
using test::RunJob;

const std::string kStars(70, '*');

TEST(Geometry, WorkedTangentBlock) {
    const double phi1 = std::acos(0.6);
    const double c = 25.5 * phi1;
    const double a4 = (625 * phi1 - 25 * 15 * 0.8) / 2;
    const double phi2 = std::acos(0.76);
    const double ag = (625 * phi2 - 19 * 25 * std::sin(phi2)) / 2;
    const struct { const char* secondType; const char* radius; double sw4, grass, curb, return2; } cases[] = {
        {"1", "25", 2 * a4 + 1200, 1800, 300 + 2 * c, c},
        {"4", "25", 2 * a4 - ag + 1200, 1800 + ag, 300 + 2 * c, c},
        {"1", "0", a4 + 1200, 1800, 300 + c, 0}, // a return of radius 0 adds nothing
    };
    for (const auto& k : cases) {
        const RunState s =
            RunJob({Header(), Block("T", "R", "10", "4", "22", "22", ""),
                    Row("1", "", "10", "0", "25"), Row(k.secondType, "", "13", "0", k.radius)});
        ASSERT_EQ(s.blocks.size(), 1u);
        const BlockSummary& b = s.blocks[0];
        EXPECT_EQ(b.status, BlockStatus::Computed);
        EXPECT_NEAR(b.sw4Area, k.sw4, 1e-9) << k.secondType << k.radius;
        EXPECT_NEAR(b.grassArea, k.grass, 1e-9);
        EXPECT_NEAR(b.totalCurb, k.curb, 1e-9);
        EXPECT_EQ(b.roadwayCurb, 300);
        EXPECT_NEAR(b.return1Curb, c, 1e-12);
        EXPECT_NEAR(b.return2Curb, k.return2, 1e-12);
        EXPECT_EQ(b.sw6Area, 0);
        EXPECT_EQ(s.grand.grand4Area, b.sw4Area);
        EXPECT_EQ(s.grand.grandCurb, b.totalCurb);
    }
    // Two radius-0 returns: the straight strips alone.
    const RunState s = RunJob({Header(), Block("T", "R", "10", "4", "22", "22", ""),
                               Row("4", "", "10", "0", "0"), Row("1", "", "13", "0", "0")});
    EXPECT_EQ(s.blocks[0].sw4Area, 1200);
    EXPECT_EQ(s.blocks[0].grassArea, 1800);
    EXPECT_EQ(s.blocks[0].totalCurb, 300);
}

TEST(Geometry, CurvedBlocksDependOnTheSideAndApproachTangent) {
    auto figures = [](const std::string& side, const std::string& radius) {
        const RunState s = RunJob({Header(), Block("R", side, "10", "4", "22", "22", radius),
                                   Row("4", "", "10", "0", "25"), Row("0", "20", "11", "0"),
                                   Row("1", "", "13", "0", "25")});
        EXPECT_EQ(s.blocks.at(0).status, BlockStatus::Computed);
        return s.blocks.at(0);
    };
    const BlockSummary outside = figures("L", "500");
    const BlockSummary inside = figures("R", "500");
    EXPECT_GT(std::abs(outside.sw4Area - inside.sw4Area), 1.0);
    EXPECT_GT(outside.roadwayCurb, 300); // the curb face is outside the baseline
    EXPECT_LT(inside.roadwayCurb, 300);

    const RunState tangent =
        RunJob({Header(), Block("T", "L", "10", "4", "22", "22", ""), Row("4", "", "10", "0", "25"),
                Row("0", "20", "11", "0"), Row("1", "", "13", "0", "25")});
    for (const char* side : {"L", "R"}) {
        const BlockSummary far = figures(side, "999999.9999");
        EXPECT_NEAR(far.sw4Area, tangent.blocks[0].sw4Area, 0.05) << side;
        EXPECT_NEAR(far.grassArea, tangent.blocks[0].grassArea, 0.05) << side;
        EXPECT_NEAR(far.sw6Area, tangent.blocks[0].sw6Area, 0.05) << side;
        EXPECT_NEAR(far.totalCurb, tangent.blocks[0].totalCurb, 0.05) << side;
    }
}

TEST(Geometry, ReturnsThatCannotBeComputed) {
    const std::string tooShort = " ***  DISTANCE FROM BACK OF CURB TO BACK OF SIDEWALK";
    const std::string notMeeting = " ***  RETURN DOES NOT MEET THE SIDEWALK ON THIS CURVE";
    // At the first return the block is skipped (ReturnCount 5, LineNo + 7: the totals stay on
    // the page); at the closing return LineNo becomes 60, so the totals start a new page.
    const struct { const char* name; std::string block; std::vector<std::string> rows; const std::string& message; int returnCount, pages; } cases[] = {
        {"first too short", Block("T", "R", "10", "4", "22", "22", ""),
         {Row("1", "", "10", "0", "8")}, tooShort, 5, 1},
        {"closing too short", Block("T", "R", "10", "4", "22", "22", ""),
         {Row("1", "", "10", "0", "25"), Row("4", "", "13", "0", "8")}, tooShort, 2, 2},
        // a tiny inside curve: the return circle does not reach the back of sidewalk
        {"first out of domain", Block("L", "L", "10", "4", "22", "22", "30"),
         {Row("1", "", "10", "0", "25")}, notMeeting, 5, 1},
        {"closing out of domain", Block("L", "L", "10", "4", "22", "22", "30"),
         {Row("1", "", "10", "0", "0"), Row("1", "", "13", "0", "25")}, notMeeting, 2, 2},
        // a negative distance makes the tangent arc cosine's argument exceed 1
        {"negative distance", Block("T", "R", "-2", "-3", "22", "22", ""),
         {Row("1", "", "10", "0", "25")}, notMeeting, 5, 1},
    };
    for (const auto& k : cases) {
        std::vector<std::string> cards = {Header(), k.block};
        cards.insert(cards.end(), k.rows.begin(), k.rows.end());
        const RunState s = RunJob(cards);
        EXPECT_EQ(s.returnCount, k.returnCount) << k.name;
        EXPECT_EQ(Pages(s.report).size(), static_cast<std::size_t>(k.pages)) << k.name;
        EXPECT_EQ(Count(s.report, k.message), 1) << k.name << "\n" << s.report;
        EXPECT_EQ(Count(s.report, " ***  SITUATION CANNOT BE COMPUTED"), 1) << k.name;
        EXPECT_EQ(Count(s.report, kStars), 2) << k.name;
        EXPECT_EQ(s.blocks.back().status, BlockStatus::CannotCompute) << k.name;
        EXPECT_EQ(s.grand.grand4Area + s.grand.grandCurb + s.grand.grandGrassArea, 0) << k.name;
    }
}

TEST(Geometry, AnUncomputableFirstReturnStillListsTheItemsButGivesNoTotals) {
    const RunState s = RunJob({Header(), Block("T", "R", "10", "4", "22", "22", "", "SHORT RETURN"),
                               Row("1", "", "10", "0", "8"), Row("7", "50", "11", "0"),
                               Row("1", "", "13", "0", "25")});
    const std::string report = s.report;
    EXPECT_NE(report.find(" TYPE  7  EXTRA 4\" AREA         =   50.000 SQ. FT."),
              std::string::npos);
    EXPECT_EQ(report.find("TOTAL CURB IN BLOCK"), std::string::npos);
    EXPECT_EQ(s.grand.grand4Area, 0);
    // The closing return in the skip state forces a new page, which the grand totals share.
    const auto pages = test::Pages(report);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1][6], " ");
    EXPECT_EQ(pages[1][7], "GRAND TOTAL 4 IN SIDEWALK     =     0.000 SQ. FT.      0.000 SQ. YDS.");
}

TEST(Geometry, FiguresThatWouldNotBeFiniteNeverReachTheReport) {
    const struct { const char* name; std::vector<std::string> rows; } cases[] = {
        {"block length", {"01    0.000 -9E9+-9E999    0.000", "01    0.000 9999+9E999    0.000"}},
        {"sidewalk area",
         {Row("1", "", "10", "0", "0"), "07 9.9E+307   10+00.000    0.000",
          "07 9.9E+307   10+00.000    0.000", Row("1", "", "13", "0", "0")}},
        {"return curb",
         {Row("1", "", "10", "0", "0"), "06 9.9E+307   10+00.000", "06 9.9E+307   10+00.000",
          "06 9.9E+307   10+00.000", Row("1", "", "13", "0", "0")}},
    };
    for (const auto& k : cases) {
        std::vector<std::string> cards = {Header(), Block("T", "R", "10", "4", "22", "22", "")};
        cards.insert(cards.end(), k.rows.begin(), k.rows.end());
        // A good block after it is computed on its own page and alone makes the totals.
        cards.push_back(Block("T", "R", "10", "4", "22", "22", "", "GOOD"));
        cards.push_back(Row("1", "", "10", "0", "0"));
        cards.push_back(Row("1", "", "11", "0", "0"));
        const RunState s = RunJob(cards);
        EXPECT_EQ(Count(s.report, " ***  RETURN DOES NOT MEET THE SIDEWALK ON THIS CURVE"), 1)
            << k.name << "\n"
            << s.report;
        EXPECT_EQ(Count(s.report, " ***  ERROR: LAST CARD NOT TYPE 1 OR 4   "), 0) << k.name;
        EXPECT_EQ(s.report.find("nan"), std::string::npos);
        EXPECT_EQ(s.report.find("NaN"), std::string::npos);
        EXPECT_EQ(s.report.find("Infinity"), std::string::npos);
        ASSERT_EQ(s.blocks.size(), 2u) << k.name;
        EXPECT_EQ(s.blocks[0].status, BlockStatus::CannotCompute) << k.name;
        EXPECT_EQ(s.blocks[1].status, BlockStatus::Computed) << k.name;
        EXPECT_EQ(s.grand.grand4Area, 400) << k.name;
        EXPECT_EQ(s.grand.grandCurb, 100) << k.name;
        EXPECT_EQ(Count(s.report, "TOTAL CURB IN BLOCK =     100.000 FT."), 1) << k.name;
        EXPECT_EQ(test::Pages(s.report).size(), 3u) << k.name; // bad block, good block, totals
    }
}

} // namespace
} // namespace sidewalk
