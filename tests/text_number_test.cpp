// The number and text rules: Val, Format patterns, rounding, PadField, columns and line reading.
#include <cfloat>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/file_text.hpp"
#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "data/text.hpp"

namespace sidewalk {
namespace {

TEST(Val, ReadsTheLeadingNumberIgnoringBlanks) {
    const std::string big(400, '9');
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"", 0},
        {"   ", 0},
        {"12.5", 12.5},
        {" 1 2 . 5 ", 12.5},
        {"-3", -3},
        {"+4", 4},
        {"- 5", -5},
        {"1.2.3", 1.2},
        {"ABC", 0},
        {"12ABC", 12},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"--5", 0},
        {"0X10", 0},
        {"\t5", 0},
        {"1E3", 1000},
        {"1e3", 1000},
        {"2.5E-1", 0.25},
        {"1 E 2", 100},
        {"1E", 1},
        {"1E+", 1},
        {"3E2X", 300},
        {"1D3", 1},
        {"1e400", DBL_MAX},
        {"-1E400", -DBL_MAX},
        {"1E-400", 0},
        {big, DBL_MAX},
        {"0." + big + "E-500", 0},
        {"0.1", 0.1},
        {"10+32.000", 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::signbit(Val("-0")));
    EXPECT_EQ(Format(Val("-0"), "0.000"), "0.000");
}

TEST(Format, PatternsRoundTiesAwayAndNeverCutTheIntegerPart) {
    const struct {
        double value;
        const char* pattern;
        const char* text;
    } cases[] = {
        {0, "####0.000", "0.000"},
        {12.5, "####0.000", "12.500"},
        {5, "00.000", "05.000"},
        {12, "####0", "12"},
        {7, "0000", "0007"},
        {123, "0000", "0123"},
        {0.5, "#0.000", "0.500"},
        {-20, "##0.000", "-20.000"},
        {954.9297, "#####0.0000", "954.9297"},
        {0, "#####0.0000", "0.0000"},
        // exact binary ties go away from zero
        {0.0625, "0.000", "0.063"},
        {-0.0625, "0.000", "-0.063"},
        {2.5, "####0", "3"},
        {-2.5, "####0", "-3"},
        {0.125, "##0.00", "0.13"},
        {1.5, "0", "2"},
        // not ties in binary: the exact value decides
        {1.0005, "0.000", "1.000"},
        {0.0005, "0.000", "0.001"},
        {2.675, "0.00", "2.67"},
        // rounds to zero: no minus sign
        {-0.0004, "###0.000", "0.000"},
        {-0.0, "0.000", "0.000"},
        {-0.4, "##0", "0"},
        // wider than the pattern
        {10000, "###0.000", "10000.000"},
        {123456, "##0", "123456"},
        {-100.5, "##0.000", "-100.500"},
        {1e20, "0", "100000000000000000000"},
        // only optional digits
        {0, "#", ""},
        {0.25, "#.00", ".25"},
        {99.9996, "###0.000", "100.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
    EXPECT_EQ(Format(DBL_MAX, "0.000").size(), 313u);
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},    {-0.5, -0},
                                               {-1.5, -2}, {-2.5, -2}, {1.4999, 1}, {10.6, 11},
                                               {11, 11},   {-3.2, -3}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(RoundHalfEven(in), out) << in;
}

TEST(PadField, PadsOnTheChosenSideAndNeverCuts) {
    const struct {
        const char* text;
        int width;
        const char* side;
        const char* out;
    } cases[] = {
        {"AB", 5, "L", "   AB"}, {"AB", 5, "R", "AB   "}, {"AB", 5, "l", "AB   "},
        {"AB", 5, "", "AB   "},  {"AB", 1, "L", "AB"},    {"AB", 1, "R", "AB"},
        {"AB", 0, "L", "AB"},    {"AB", -3, "L", "AB"},   {"", 3, "L", "   "},
        {"ABC", 3, "L", "ABC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadField(c.text, c.width, c.side), c.out) << c.text << "/" << c.width;
}

TEST(Text, UpperCaseTrimColumnsAndStr) {
    EXPECT_EQ(UpperCase("abc-xyz 09 \xE4\xE9 Q"), "ABC-XYZ 09 \xE4\xE9 Q");
    EXPECT_EQ(Trim("  a b \t  "), "a b \t");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Columns("11 T R", 4, 1), "T");
    EXPECT_EQ(Columns("11 T R", 6, 3), "R");
    EXPECT_EQ(Columns("11 T R", 7, 3), "");
    EXPECT_EQ(StrInt(7), " 7");
    EXPECT_EQ(StrInt(100), " 100");
    EXPECT_EQ(StrInt(-3), "-3");
}

TEST(Text, LinesEndAtLfWithAnOptionalCr) {
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"\n", {""}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a\r\r\n", {"a\r"}},
        {"x\r", {"x\r"}},
        {"a\n\n", {"a", ""}},
        {"mid\rdle\r\n", {"mid\rdle"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (std::string_view line : SplitLines(c.bytes))
            got.emplace_back(line);
        EXPECT_EQ(got, c.lines) << '"' << c.bytes << '"';
    }
}

} // namespace
} // namespace sidewalk
