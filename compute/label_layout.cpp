// Placing a sketch's texts: the first free place, nearest the one wished for, among rows out
// from the block and places along it, clear of every text and leader line placed before.
#include "compute/label_layout.hpp"

#include <algorithm>
#include <cmath>
#include <span>

namespace sidewalk {

namespace {

// Whether the segment a-b passes through the box (Liang and Barsky's clipping).
bool Crosses(SketchPoint a, SketchPoint b, const LabelBox& box) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - box.x, box.x + box.w - a.x, a.y - box.y, box.y + box.h - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

// Whether the segments a-b and c-d cross at a point inside both (not where one only touches
// the other, as two leaders from the same mark do).
bool Cross(SketchPoint a, SketchPoint b, SketchPoint c, SketchPoint d) {
    auto side = [](SketchPoint p, SketchPoint q, SketchPoint r) {
        const double turn = (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
        return (turn > 0) - (turn < 0);
    };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

bool Within(const LabelBox& box, const LabelBox& bounds) {
    return box.x >= bounds.x && box.y >= bounds.y && box.x + box.w <= bounds.x + bounds.w &&
           box.y + box.h <= bounds.y + bounds.h;
}

// The box round some points.
LabelBox Around(std::span<const SketchPoint> points) {
    double x0 = points[0].x, y0 = points[0].y, x1 = x0, y1 = y0;
    for (const SketchPoint& p : points) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

// A leader line, and the box round it (a hair wider, so that a line along its edge still
// meets a box it touches): most texts and lines are far apart, and the box says so at once.
struct Leader {
    SketchPoint from, to;
    LabelBox around;

    Leader(SketchPoint a, SketchPoint b) : from(a), to(b) {
        constexpr double hair = 1e-9;
        const SketchPoint ends[] = {a, b};
        around = Around(ends);
        around = {around.x - hair, around.y - hair, around.w + 2 * hair, around.h + 2 * hair};
    }
};

// A drawn area's outline and the box round it.
struct Area {
    std::vector<SketchPoint> outline;
    LabelBox around;

    explicit Area(std::vector<SketchPoint> points)
        : outline(std::move(points)), around(Around(outline)) {}
    // Whether any of the box lies in the area: an edge runs through it, or it lies inside.
    bool Meets(const LabelBox& box) const {
        if (!box.Overlaps(around)) return false;
        for (std::size_t i = 0; i < outline.size(); ++i)
            if (Crosses(outline[i], outline[(i + 1) % outline.size()], box)) return true;
        const SketchPoint c{box.x + box.w / 2, box.y + box.h / 2};
        // Inside: a ray from the box's middle crosses the outline an odd number of times.
        bool inside = false;
        for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
            const SketchPoint a = outline[i], b = outline[j];
            if ((a.y > c.y) != (b.y > c.y) && c.x < (b.x - a.x) * (c.y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside;
    }
};

class Board {
  public:
    Board(const LabelMetrics& metrics, const LabelRoom& room)
        : m_(metrics), bounds_(room.bounds), step_(metrics.height * 1.25),
          cell_(metrics.height * 2) {
        for (const auto& outline : room.areas)
            if (outline.size() > 2) areas_.emplace_back(outline);
        boxes_ = room.keepClear;
        for (int row = 0; row < kRows; ++row)
            for (int shift = -kShifts; shift <= kShifts; ++shift)
                for (const bool back : {false, true})
                    tries_.push_back({row, shift, back});
        // Nearest the place wished for first.
        std::stable_sort(tries_.begin(), tries_.end(), [this](const Try& a, const Try& b) {
            return std::hypot(a.row * step_, a.shift * cell_) <
                   std::hypot(b.row * step_, b.shift * cell_);
        });
    }

    void Take(const LabelBox& box) { boxes_.push_back(box); }

    // The nearest free place for a text of width w from a mark at `at` towards `toward`.
    std::optional<PlacedLabel> Place(SketchPoint at, SketchPoint toward, double w) {
        const double dx = toward.x - at.x, dy = toward.y - at.y;
        const double reach = std::hypot(dx, dy);
        const SketchPoint out =
            reach > 0 ? SketchPoint{dx / reach, dy / reach} : SketchPoint{0, -1};
        const SketchPoint along{-out.y, out.x};
        for (const Try& t : tries_) {
            const double o = reach + t.row * step_;
            const SketchPoint end{at.x + out.x * o + along.x * t.shift * cell_,
                                  at.y + out.y * o + along.y * t.shift * cell_};
            LabelBox box{0, 0, w, m_.height};
            // The text on the far side of the leader's end, or, turned back, on the near side.
            // Either way, on the side of the end away from the leader, which way it runs.
            const bool back = t.back;
            const double vx = end.x - at.x, vy = end.y - at.y;
            if (std::abs(vy) >= std::abs(vx)) {
                box.x = back ? end.x - m_.gap - w : end.x + m_.gap;
                box.y = vy < 0 ? end.y - m_.height : end.y;
            } else {
                box.x = (vx > 0) != back ? end.x + m_.gap : end.x - m_.gap - w;
                box.y = back ? (vy < 0 ? end.y - m_.height : end.y) : end.y - m_.height / 2;
            }
            if (Free(box, Leader(at, end))) {
                boxes_.push_back(box);
                leaders_.emplace_back(at, end);
                return PlacedLabel{.box = box, .leader = true, .number = 0, .lineEnd = end};
            }
        }
        return std::nullopt;
    }

  private:
    // Rows out from the block, and places either way along it, a leader line may reach.
    static constexpr int kRows = 10, kShifts = 4;
    struct Try {
        int row, shift;
        bool back;
    };

    bool Free(const LabelBox& box, const Leader& leader) const {
        if (bounds_ && !Within(box, *bounds_)) return false;
        const double pad = m_.gap / 2; // between two texts
        const LabelBox padded{box.x - pad, box.y - pad, box.w + 2 * pad, box.h + 2 * pad};
        for (const LabelBox& other : boxes_)
            if (padded.Overlaps(other) ||
                (leader.around.Overlaps(other) && Crosses(leader.from, leader.to, other)))
                return false;
        for (const Area& area : areas_)
            if (area.Meets(box)) return false;
        for (const Leader& other : leaders_)
            if ((other.around.Overlaps(box) && Crosses(other.from, other.to, box)) ||
                (other.around.Overlaps(leader.around) &&
                 Cross(other.from, other.to, leader.from, leader.to)))
                return false;
        return true;
    }

    const LabelMetrics& m_;
    std::optional<LabelBox> bounds_;
    double step_, cell_; // between rows, between places along
    std::vector<Try> tries_;
    std::vector<Area> areas_;
    std::vector<LabelBox> boxes_;
    std::vector<Leader> leaders_;
};

} // namespace

LabelLayout LayOutLabels(const std::vector<LabelWish>& wishes, const LabelMetrics& metrics,
                         const LabelRoom& room) {
    LabelLayout layout;
    layout.labels.resize(wishes.size());
    Board board(metrics, room);
    for (std::size_t i = 0; i < wishes.size(); ++i) {
        const LabelWish& wish = wishes[i];
        if (wish.toward) continue;
        const double gap = wish.marked ? metrics.gap : 0;
        const LabelBox box{wish.at.x + gap, wish.at.y - gap - metrics.height * kLabelAscent,
                           metrics.width(wish.text), metrics.height};
        board.Take(box);
        layout.labels[i].box = box;
    }
    for (std::size_t i = 0; i < wishes.size(); ++i) {
        const LabelWish& wish = wishes[i];
        if (!wish.toward) continue;
        if (auto placed = board.Place(wish.at, *wish.toward, metrics.width(wish.text))) {
            layout.labels[i] = *placed;
            continue;
        }
        const int number = static_cast<int>(layout.listed.size()) + 1;
        layout.listed.push_back(i);
        const std::string tag = std::to_string(number);
        if (auto placed = board.Place(wish.at, *wish.toward, metrics.width(tag)))
            layout.labels[i] = *placed;
        layout.labels[i].number = number;
    }
    return layout;
}

std::vector<LabelWish> WishesOf(const BlockSketch& sketch, const ToDevice& to) {
    std::vector<LabelWish> wishes;
    for (const SketchLabel& label : sketch.labels) {
        LabelWish wish{to(label.at), std::nullopt, label.text, label.marked};
        if (label.textAt) wish.toward = to(*label.textAt);
        wishes.push_back(std::move(wish));
    }
    return wishes;
}

std::vector<std::vector<SketchPoint>> AreasOf(const BlockSketch& sketch, const ToDevice& to) {
    std::vector<std::vector<SketchPoint>> areas;
    for (const SketchPath& path : sketch.paths) {
        if (!path.area) continue;
        std::vector<SketchPoint> outline = Outline(path);
        for (SketchPoint& p : outline)
            p = to(p);
        areas.push_back(std::move(outline));
    }
    return areas;
}

std::vector<LabelBox> ScaleBarsOf(const BlockSketch& sketch, const ToDevice& to, double height) {
    std::vector<LabelBox> bars;
    for (const SketchPath& path : sketch.paths) {
        if (path.ink != SketchInk::Scale || path.pieces.empty()) continue;
        const SketchPoint a = to(path.from), b = to(path.pieces.back().to);
        bars.push_back({std::min(a.x, b.x), a.y - height / 2, std::abs(b.x - a.x), height});
    }
    return bars;
}

std::string ListedLabel(int number, const std::string& text) {
    return std::to_string(number) + ".  " + text;
}

} // namespace sidewalk
