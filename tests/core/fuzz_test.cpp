// Seeded random and mangled card files through the report run: it must never crash, and no
// report may show a figure that is not a finite number.
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compute/run_report.hpp"

namespace sidewalk {
namespace {

class CardMaker {
  public:
    explicit CardMaker(unsigned seed) : rng_(seed) {}

    std::vector<std::string> File() {
        std::vector<std::string> cards;
        cards.push_back(Pick({"CRZ41", "BRZ41", "CRZ41", "crz41", "XRZ41", ""}) + " R " +
                        Pick({"", " E", " M", " m"}) + Field(30));
        const int count = Int(0, 60);
        for (int i = 0; i < count; ++i)
            cards.push_back(Card());
        return cards;
    }

  private:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    std::string Pick(std::initializer_list<const char*> options) {
        auto it = options.begin();
        std::advance(it, Int(0, static_cast<int>(options.size()) - 1));
        return *it;
    }

    // A numeric field as a designer, a typo or a hostile file might write it.
    std::string Number() {
        switch (Int(0, 9)) {
        case 0:
            return "";
        case 1:
            return std::to_string(Int(-999, 9999));
        case 2:
            return std::to_string(Int(0, 60)) + "." + std::to_string(Int(0, 999));
        case 3:
            return Pick({"9E999", "-9E999", "1E308", "9.9E+307", "1E-320", "-0"});
        case 4:
            return Pick({"0", "0.000", ".", "-", "E5", "1E", "+-3"});
        case 5:
            return std::to_string(Int(1, 40)) + ".5";
        case 6:
            return std::to_string(Int(-60, -1));
        case 7:
            return Field(Int(1, 6));
        default:
            return std::to_string(Int(0, 400));
        }
    }

    std::string Field(int width) {
        static const char chars[] = " 0123456789.+-EeABLRT*";
        std::string s;
        for (int i = 0; i < width; ++i)
            s += chars[Int(0, static_cast<int>(sizeof chars) - 2)];
        return s;
    }

    std::string Fit(std::string s, int width) {
        if (static_cast<int>(s.size()) > width) s.resize(static_cast<std::size_t>(width));
        return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
    }

    std::string Card() {
        switch (Int(0, 9)) {
        case 0:
        case 1: // block card
            return "11 " + Pick({"T", "L", "R", " ", "X"}) + " " + Pick({"L", "R", " "}) + " " +
                   Fit(Number(), 8) + " " + Fit(Number(), 6) + " " + Fit(Number(), 7) + " " +
                   Fit(Number(), 7) + " " +
                   Fit(Pick({"", "30", "500", "954.9", "0.01", "-200"}), 11) + " BLOCK";
        case 2: // mangled line
            return Field(Int(0, 40));
        default: { // row card, mostly returns and items
            const std::string type = Pick({"01", "04", "01", "04", "00", "02", "03", "05", "06",
                                           "07", "08", "09", "10", "12", " 1", "1 ", "  ", "-1"});
            return type + " " + Fit(Number(), 8) + " " + Fit(Number(), 4) + "+" + Fit(Number(), 6) +
                   " " + Fit(Pick({"0", "25", "30", "8", "1E300", "-5", "0.5", ""}), 8);
        }
        }
    }

    std::mt19937 rng_;
};

bool Finite(const RunOutcome& s) {
    return std::isfinite(s.grand.grand4Area) && std::isfinite(s.grand.grand6Area) &&
           std::isfinite(s.grand.grandGrassArea) && std::isfinite(s.grand.grandCurb);
}

TEST(Fuzz, RandomCardFilesGiveOnlyFiniteFigures) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        CardMaker maker(seed);
        const RunOutcome s = RunCards("ZARN V4.2.0 04/2006", maker.File(), RunOptions{0});
        ASSERT_TRUE(Finite(s)) << "seed " << seed;
        ASSERT_EQ(s.report.find("NaN"), std::string::npos) << "seed " << seed;
        ASSERT_EQ(s.report.find("Infinity"), std::string::npos) << "seed " << seed;
        ASSERT_EQ(s.report.find("nan"), std::string::npos) << "seed " << seed;
        ASSERT_EQ(s.report.find("inf"), std::string::npos) << "seed " << seed;
        for (const BlockSummary& b : s.blocks)
            ASSERT_TRUE(std::isfinite(b.sw4Area) && std::isfinite(b.sw6Area) &&
                        std::isfinite(b.grassArea) && std::isfinite(b.totalCurb))
                << "seed " << seed;
    }
}

} // namespace
} // namespace sidewalk
