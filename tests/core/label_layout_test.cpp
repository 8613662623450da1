// Placing a sketch's texts: on blocks crowded with items, at any scale, no two texts overlap,
// every item is either labelled or listed, and a text goes where it was wished when it can.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compute/block_sketch.hpp"
#include "compute/label_layout.hpp"

namespace sidewalk {
namespace {

// A block with n items every `every` feet from 10+05 (driveways, walks, curb, grass in turn).
BlockSketch Crowded(const BlockHeader& header, int n, double every, bool reversed) {
    std::vector<BlockRow> rows = {{"1", "", reversed ? "13" : "10", "0", "25"}};
    const char* types[] = {"7", "2", "5", "6", "8", "9"};
    for (int i = 0; i < n; ++i) {
        const double at = 5 + i * every;
        rows.push_back({types[i % 6], "4", std::to_string(10 + static_cast<int>(at) / 100),
                        std::to_string(std::fmod(at, 100.0)), ""});
    }
    rows.push_back({"4", "", reversed ? "10" : "13", "0", "30"});
    return SketchBlock(header, rows, false);
}

// The sketch's texts on a device `scale` pixels to the foot, y downwards, in a font whose
// letters are 7 pixels wide and lines 14 high.
struct Device {
    std::vector<LabelWish> wishes;
    std::vector<std::vector<SketchPoint>> areas;
    LabelMetrics metrics{[](const std::string& t) { return 7.0 * static_cast<double>(t.size()); },
                         14, 4};
};
Device OnDevice(const BlockSketch& s, double scale) {
    const ToDevice at = [scale](SketchPoint p) { return SketchPoint{p.x * scale, -p.y * scale}; };
    return {WishesOf(s, at), AreasOf(s, at)};
}

struct Crowd {
    const char* name;
    BlockHeader header;
    int items;
    double every; // feet between items
    bool reversed;
    double scale; // pixels to the foot
};

class Crowding : public ::testing::TestWithParam<Crowd> {};

// No two boxes overlap, none covers the bar kept clear, each lies in bounds; an item without a
// box is listed, a listed one holds its number, numbered from 1 in the list's order.
TEST_P(Crowding, NoTwoTextsOverlapAndEveryItemIsLabelledOrListed) {
    const Crowd& c = GetParam();
    const BlockSketch s = Crowded(c.header, c.items, c.every, c.reversed);
    const Device d = OnDevice(s, c.scale);
    const LabelBox bar{0, 40 * c.scale, 50 * c.scale, 14};
    const LabelLayout layout =
        LayOutLabels(d.wishes, d.metrics, {LabelBox{-2000, -2000, 6000, 4000}, {bar}, d.areas});
    std::vector<LabelBox> boxes;
    for (std::size_t i = 0; i < layout.labels.size(); ++i) {
        const PlacedLabel& p = layout.labels[i];
        if (!d.wishes[i].toward) continue; // a fixed text stands where it is
        if (p.box) {
            EXPECT_FALSE(p.box->Overlaps(bar)) << d.wishes[i].text;
            for (const LabelBox& other : boxes)
                EXPECT_FALSE(p.box->Overlaps(other)) << d.wishes[i].text;
            boxes.push_back(*p.box);
        }
        EXPECT_TRUE(p.box || p.number > 0) << d.wishes[i].text;
        if (p.number > 0) {
            ASSERT_LE(static_cast<std::size_t>(p.number), layout.listed.size());
            EXPECT_EQ(layout.listed[static_cast<std::size_t>(p.number - 1)], i);
        }
    }
    // No leader line runs through another text.
    for (std::size_t i = 0; i < layout.labels.size(); ++i) {
        const PlacedLabel& p = layout.labels[i];
        if (!p.box || !p.leader) continue;
        const SketchPoint a = d.wishes[i].at, e = p.lineEnd;
        for (int k = 1; k < 20; ++k)
            for (const LabelBox& box : boxes) // a point along it, inside a box
                EXPECT_FALSE(
                    LabelBox(a.x + (e.x - a.x) * k / 20, a.y + (e.y - a.y) * k / 20, 0, 0)
                        .Overlaps({box.x + 0.01, box.y + 0.01, box.w - 0.02, box.h - 0.02}))
                    << d.wishes[i].text;
    }
    EXPECT_EQ(std::count_if(d.wishes.begin(), d.wishes.end(), [](auto& w) { return !!w.toward; }),
              c.items);
}

const BlockHeader kTangent{"T", "R", "10", "4", "20", "22", "", "CROWDED"};
const BlockHeader kCurved{"R", "L", "10", "4", "20", "22", "450", "CROWDED CURVE"};

INSTANTIATE_TEST_SUITE_P(Blocks, Crowding,
                         ::testing::Values(Crowd{"items98_small", kTangent, 98, 2.9, false, 2},
                                           Crowd{"items98_zoomed", kTangent, 98, 2.9, false, 20},
                                           Crowd{"items98_reversed_curve", kCurved, 98, 2.9, true,
                                                 3},
                                           Crowd{"items12_roomy", kTangent, 12, 20, false, 10}),
                         [](const auto& info) { return std::string(info.param.name); });

// With room to spare, each text stands at the end of its leader where it wished, and nothing
// is listed; where every place is taken, a text is numbered and listed.
TEST(LabelLayout, ATextGoesWhereItWishedWhenItCanElseIsListed) {
    const LabelMetrics metrics{[](const std::string& t) { return 10.0 * t.size(); }, 10, 2};
    const std::vector<LabelWish> apart = {{{0, 0}, SketchPoint{0, 30}, "A", true},
                                          {{100, 0}, SketchPoint{100, 30}, "B", true}};
    const LabelLayout free = LayOutLabels(apart, metrics);
    EXPECT_TRUE(free.listed.empty());
    for (std::size_t i = 0; i < 2; ++i) {
        ASSERT_TRUE(free.labels[i].box);
        EXPECT_EQ(free.labels[i].box->x, apart[i].toward->x + 2);
        EXPECT_EQ(free.labels[i].box->y, 30);
    }
    // Bounds that hold only the first text's wished place.
    const LabelLayout tight = LayOutLabels(apart, metrics, {LabelBox{-5, 25, 30, 20}, {}, {}});
    EXPECT_EQ(tight.listed, std::vector<std::size_t>{1});
    EXPECT_TRUE(tight.labels[1].number == 1 && !tight.labels[1].box && tight.labels[0].box);
}

} // namespace
} // namespace sidewalk
