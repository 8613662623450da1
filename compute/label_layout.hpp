// Where a sketch's texts go so that no two of them overlap, on whatever draws it: each item's
// text out from the block at the end of a leader line, else a number by its mark (where even
// that fits) and the text in a list beside the drawing. Worked in the device's units, y down.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "compute/block_sketch.hpp"

namespace sidewalk {

// A text's baseline lies this far down its box, as a share of the box's height.
constexpr double kLabelAscent = 0.8;

// A rectangle on the device: left, top, width, height.
struct LabelBox {
    double x = 0, y = 0, w = 0, h = 0;
    bool Overlaps(const LabelBox& o) const {
        return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
};

// A text to place. One that may move has its mark at `at` and would like its text out towards
// `toward` (beyond the bands); one that may not stands where `at` puts it and is kept clear of.
struct LabelWish {
    SketchPoint at;
    std::optional<SketchPoint> toward;
    std::string text;
    bool marked = false;
};

// How the device measures text: the width of a text, a line's height, the room between a
// mark and its text.
struct LabelMetrics {
    std::function<double(const std::string&)> width;
    double height = 1;
    double gap = 0.5;
};

struct PlacedLabel {
    std::optional<LabelBox> box; // the text's, or the number's; none: listed only
    bool leader = false;         // a line from the mark to the box
    int number = 0;              // > 0: the box holds this number, the text is listed
    SketchPoint lineEnd;         // where a leader meets the box
};

struct LabelLayout {
    std::vector<PlacedLabel> labels; // one per wish, in order
    std::vector<std::size_t> listed; // the wishes numbered 1, 2, ..., in that order
};

// Where texts may go: within bounds, where there are bounds; clear of the boxes in keepClear
// (a scale bar) and of the areas drawn (each a closed outline).
struct LabelRoom {
    std::optional<LabelBox> bounds;
    std::vector<LabelBox> keepClear;
    std::vector<std::vector<SketchPoint>> areas;
};

// Places the texts in order, those that may not move first, with a little room between texts.
LabelLayout LayOutLabels(const std::vector<LabelWish>& wishes, const LabelMetrics& metrics,
                         const LabelRoom& room = {});

// A point of the sketch as the device has it.
using ToDevice = std::function<SketchPoint(SketchPoint)>;

// The sketch's texts, each mark and wished place mapped to the device, in the sketch's order.
std::vector<LabelWish> WishesOf(const BlockSketch& sketch, const ToDevice& to);

// The outlines of the sketch's areas on the device, which texts stand clear of.
std::vector<std::vector<SketchPoint>> AreasOf(const BlockSketch& sketch, const ToDevice& to);

// The boxes round the sketch's scale bars on the device, a text's height tall, which texts
// stand clear of.
std::vector<LabelBox> ScaleBarsOf(const BlockSketch& sketch, const ToDevice& to, double height);

// The line of the list for a numbered text.
std::string ListedLabel(int number, const std::string& text);

} // namespace sidewalk
