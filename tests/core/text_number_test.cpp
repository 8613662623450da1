// The number and text rules: Val, Format patterns, rounding, PadField, columns and lines.
#include <bit>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/file_text.hpp"
#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "data/text.hpp"

namespace sidewalk {
namespace {

// clang-format off
// The test entry point switches LC_NUMERIC to a decimal-comma locale; without it the
// locale checks below would pass vacuously.
TEST(Locale, NumbersAreCheckedUnderADecimalComma) {
    ASSERT_STREQ(std::localeconv()->decimal_point, ",")
        << "No de_DE.UTF-8 locale: make it with `localedef -i de_DE -f UTF-8 de_DE.UTF-8` "
           "(./run test does)";
}

TEST(Val, ReadsTheLeadingNumberIgnoringBlanks) {
    const std::string big(400, '9');
    const struct { std::string text; double value; } cases[] = {
        {"", 0}, {"   ", 0}, {"12.5", 12.5}, {" 1 2 . 5 ", 12.5}, {"-3", -3}, {"+4", 4},
        {"- 5", -5}, {"1.2.3", 1.2}, {"ABC", 0}, {"12ABC", 12}, {".5", 0.5}, {"5.", 5},
        {".", 0}, {"-", 0}, {"--5", 0}, {"0X10", 0}, {"\t5", 0}, {"10+32.000", 10},
        {"1E3", 1000}, {"1e3", 1000}, {"2.5E-1", 0.25}, {"1 E 2", 100}, {"1E", 1}, {"1E+", 1},
        {"3E2X", 300}, {"1D3", 1}, {"1e400", DBL_MAX}, {"-1E400", -DBL_MAX}, {"1E-400", 0},
        {big, DBL_MAX}, {"0." + big + "E-500", 0}, {"0.1", 0.1},
    };
    for (const auto& c : cases) EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::signbit(Val("-0")));
    EXPECT_EQ(Format(Val("-0"), "0.000"), "0.000");
}

TEST(Val, AgreesWithTheCorrectlyRoundingReader) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        // 17 digits, or any shorter number, as cards hold them
        std::string text = std::to_string(rng() % (i % 2 ? 100000000000000000ULL : 1ULL << (rng() % 57)));
        text.insert(rng() % (text.size() + 1), ".");
        if (i % 3 == 0) text += "E" + std::to_string(static_cast<int>(rng() % 80) - 40);
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(Val(text), expected) << text;
        ASSERT_EQ(Val("  -" + text + " "), -expected) << text;
    }
}

TEST(Format, PatternsRoundTiesAwayAndNeverCutTheIntegerPart) {
    const struct { double value; const char* pattern; const char* text; } cases[] = {
        {0, "####0.000", "0.000"}, {12.5, "####0.000", "12.500"}, {5, "00.000", "05.000"},
        {12, "####0", "12"}, {7, "0000", "0007"}, {0.5, "#0.000", "0.500"},
        {-20, "##0.000", "-20.000"}, {954.9297, "#####0.0000", "954.9297"},
        {5, "00", "05"}, {-5, "00", "-05"}, {5.25, "###000.000", "005.250"},
        {1234.56786, "###0.0000", "1234.5679"}, {7.5, "##0", "8"},
        // exact binary ties go away from zero; other values round by their exact binary value
        {0.0625, "0.000", "0.063"}, {-0.0625, "0.000", "-0.063"}, {2.5, "####0", "3"},
        {-2.5, "####0", "-3"}, {1.0005, "0.000", "1.000"}, {2.675, "0.00", "2.67"},
        // rounds to zero: no minus sign
        {-0.0004, "###0.000", "0.000"}, {-0.0, "0.000", "0.000"}, {-0.4, "##0", "0"},
        // wider than the pattern
        {10000, "###0.000", "10000.000"}, {123456, "##0", "123456"},
        {-100.5, "##0.000", "-100.500"}, {99.9996, "###0.000", "100.000"},
        {1e22, "0", "10000000000000000000000"}, {-1e22, "0.0", "-10000000000000000000000.0"},
        // only optional digits
        {0, "#", ""}, {0.25, "#.00", ".25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
    EXPECT_EQ(Format(DBL_MAX, "0.000").size(), 313u);
}
// clang-format on

// The exact decimal expansion of the value, rounded by hand at the given decimals.
std::string Reference(double value, int decimals) {
    std::vector<char> buffer(1500);
    std::snprintf(buffer.data(), buffer.size(), "%.1100f", std::abs(value));
    std::string digits(buffer.data());
    const auto point = digits.find_first_of(".,"); // a decimal-comma locale too
    std::string kept = digits.substr(0, point) + digits.substr(point + 1, decimals);
    if (digits[point + 1 + static_cast<std::size_t>(decimals)] >= '5') {
        auto i = kept.size();
        while (i > 0 && kept[i - 1] == '9')
            kept[--i] = '0';
        if (i == 0)
            kept.insert(0, "1");
        else
            ++kept[i - 1];
    }
    const std::size_t intLen = kept.size() - static_cast<std::size_t>(decimals);
    std::string out = kept.substr(0, intLen);
    out.erase(0, std::min(out.find_first_not_of('0'), out.size() - 1));
    if (decimals > 0) out += "." + kept.substr(intLen);
    const bool zero = out.find_first_not_of("0.") == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + out;
}

TEST(Format, AgreesWithTheExactDecimalExpansion) {
    std::mt19937_64 rng(42);
    const char* patterns[] = {"0", "0.0", "0.000", "0.0000", "0.00000000"};
    const int decimalsOf[] = {0, 1, 3, 4, 8};
    for (int i = 0; i < 20000; ++i) {
        double value = std::ldexp(static_cast<double>(rng() % 100000000) - 5e7,
                                  static_cast<int>(rng() % 60) - 40);
        if (i % 4 == 0) // coded-looking values, often exact ties
            value = static_cast<double>(static_cast<long long>(rng() % 2000001) - 1000000) / 64;
        if (i % 4 == 1) { // anything up to 1e30, past the whole-number path
            value = std::bit_cast<double>(rng());
            if (!std::isfinite(value) || std::abs(value) > 1e30) value = 1.0 / 3;
        }
        ASSERT_EQ(Format(value, patterns[i % 5]), Reference(value, decimalsOf[i % 5]))
            << std::hexfloat << value << " with " << patterns[i % 5];
    }
}

// clang-format off
TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, -0},
        {-1.5, -2}, {-2.5, -2}, {1.4999, 1}, {10.6, 11}, {11, 11}, {-3.2, -3}};
    for (const auto& [in, out] : cases) EXPECT_EQ(RoundHalfEven(in), out) << in;
}

TEST(Text, PadFieldUpperCaseTrimColumnsAndStr) {
    const struct { const char* text; int width; const char* side; const char* out; } cases[] = {
        {"AB", 5, "L", "   AB"}, {"AB", 5, "R", "AB   "}, {"AB", 5, "l", "AB   "},
        {"AB", 5, "", "AB   "}, {"AB", 1, "L", "AB"}, {"AB", 1, "R", "AB"}, {"AB", 0, "L", "AB"},
        {"AB", -3, "L", "AB"}, {"", 3, "L", "   "}, {"ABC", 3, "L", "ABC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadField(c.text, c.width, c.side), c.out) << c.text << "/" << c.width;
    EXPECT_EQ(UpperCase("abc-xyz 09 \xE4\xE9 Q"), "ABC-XYZ 09 \xE4\xE9 Q"); // Latin-1 bytes stay
    // UTF-8 small letters whose capitals take as many bytes; ß, ı and ſ would not, so stay.
    EXPECT_EQ(UpperCase("m\u00fcller \u00e9t\u00e9 \u00f7 \u00ff \u0101\u0131\u013a\u017e "
                        "\u03b1\u03c2 \u0436\u0451 \u00df\u017f \u00dc"),
              "M\u00dcLLER \u00c9T\u00c9 \u00f7 \u0178 \u0100\u0131\u0139\u017d "
              "\u0391\u03a3 \u0416\u0401 \u00df\u017f \u00dc");
    // Every byte, beside every other, and every length of tail: only a..z change.
    std::string bytes;
    for (int i = 0; i < 1031; ++i) bytes.push_back(static_cast<char>(i * 7 % 256));
    std::string upper = bytes;
    for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    for (std::size_t n = 0; n <= 17; ++n) {
        EXPECT_EQ(UpperCase(bytes.substr(n)), upper.substr(n)) << n;
        EXPECT_EQ(UpperCase(bytes.substr(0, n)), upper.substr(0, n)) << n;
    }
    EXPECT_EQ(Trim("  a b \t  "), "a b \t");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Columns("11 T R", 4, 1) + Columns("11 T R", 6, 3) + Columns("11 T R", 7, 3), "TR");
    EXPECT_EQ(StrInt(7) + StrInt(100) + StrInt(-3), " 7 100-3");
}

// Upper-casing would change a text with a small letter a..z, and may with a byte past ASCII.
TEST(Text, WhatUpperCasingMightChange) {
    const std::string capitals(31, 'Z');
    const struct { std::string text; bool changes; } cases[] = {
        {"", false}, {"11 T R 12.5 @[`{", false}, {"a", true}, {"z", true}, {"\xC3\xA9", true},
        {capitals, false}, {capitals + "a", true}, {"q" + capitals, true},
        {capitals.substr(0, 16) + "m" + capitals.substr(0, 3), true}, {capitals + "\x80", true},
    };
    for (const auto& c : cases) EXPECT_EQ(ChangesInCapitals(c.text), c.changes) << c.text;
}

// CR LF, LF and a CR alone (old Mac files) all end a line.
TEST(Text, LinesEndAtCrLfLfOrCr) {
    const struct { std::string bytes; std::vector<std::string> lines; } cases[] = {
        {"", {}}, {"\n", {""}}, {"a\r\nb\nc", {"a", "b", "c"}}, {"a\r\r\n", {"a", ""}},
        {"x\r", {"x"}}, {"a\n\n", {"a", ""}}, {"mid\rdle\r\n", {"mid", "dle"}}, {"\n\r", {"", ""}},
        // lines past sixteen bytes, ends on either side of a sixteenth
        {std::string(16, 'a') + "\n" + std::string(31, 'b') + "\r" + std::string(40, 'c'),
         {std::string(16, 'a'), std::string(31, 'b'), std::string(40, 'c')}},
        {std::string(15, 'd') + "\r\n" + std::string(17, 'e') + "\r\n",
         {std::string(15, 'd'), std::string(17, 'e')}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (std::string_view line : SplitLines(c.bytes)) got.emplace_back(line);
        EXPECT_EQ(got, c.lines) << '"' << c.bytes << '"';
    }
}
// clang-format on

} // namespace
} // namespace sidewalk
