// Drawing a block in plan: the baseline, the curb, grass and sidewalk bands beside it, the
// returns at its ends, and its items at their stations.
#include "compute/block_sketch.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

#include "compute/card_fields.hpp"
#include "compute/quantities.hpp"
#include "compute/run_report.hpp"
#include "data/card_layout.hpp"
#include "data/cards.hpp"
#include "data/number.hpp"
#include "data/text.hpp"
#include "report/page.hpp"

namespace sidewalk {

namespace {

SketchPoint operator+(SketchPoint a, SketchPoint b) {
    return {a.x + b.x, a.y + b.y};
}
SketchPoint operator-(SketchPoint a, SketchPoint b) {
    return {a.x - b.x, a.y - b.y};
}

// p turned about centre through angle radians, counter-clockwise.
SketchPoint Turned(SketchPoint p, SketchPoint centre, double angle) {
    const SketchPoint v = p - centre;
    return centre + SketchPoint{v.x * std::cos(angle) - v.y * std::sin(angle),
                                v.x * std::sin(angle) + v.y * std::cos(angle)};
}

// The baseline in plan: u runs along it from the first return's radius point, n across it
// towards the sidewalk.
struct Baseline {
    double radius = 0; // 0 on a tangent
    int bend = 1;      // +1 curving to the left, -1 to the right
    int side = 1;      // +1 the sidewalk on the left, -1 on the right

    SketchPoint At(double u, double n) const {
        if (radius == 0) return {u, side * n};
        const double a = u / radius;
        const SketchPoint on{radius * std::sin(a), bend * (radius - radius * std::cos(a))};
        const SketchPoint left{-bend * std::sin(a), std::cos(a)};
        return {on.x + side * n * left.x, on.y + side * n * left.y};
    }
    SketchPoint Ahead(double u) const { // the unit direction of growing u
        if (radius == 0) return {1, 0};
        return {std::cos(u / radius), bend * std::sin(u / radius)};
    }
    SketchPoint Centre() const { return {0, bend * radius}; }
    double RadiusAt(double n) const { return std::abs(radius - side * bend * n); }
};

class Pen {
  public:
    Pen(SketchInk ink, bool area, SketchPoint from) {
        path_.ink = ink;
        path_.area = area;
        path_.from = last_ = from;
    }
    Pen& Line(SketchPoint to) {
        SketchPiece piece;
        piece.to = to;
        path_.pieces.push_back(piece);
        last_ = to;
        return *this;
    }
    // In pieces of at most a quarter turn, which every drawing of arcs can take. An arc round
    // more than once is drawn round once, then on to where it ends.
    Pen& Arc(SketchPoint centre, double sweep) {
        const SketchPoint v = last_ - centre;
        const double radius = std::hypot(v.x, v.y);
        constexpr double kTurn = 2 * std::numbers::pi;
        if (!std::isfinite(sweep)) { // figures past any number: said, not drawn (KeepFinite)
            const double nan = std::numeric_limits<double>::quiet_NaN();
            return Line({nan, nan});
        }
        if (std::abs(sweep) > kTurn)
            sweep = std::copysign(kTurn + std::fmod(std::abs(sweep), kTurn), sweep);
        const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (kTurn / 4))));
        const SketchPoint from = last_;
        for (int k = 1; k <= pieces; ++k) {
            const SketchPoint to = Turned(from, centre, sweep * k / pieces);
            path_.pieces.push_back({.to = to,
                                    .arc = true,
                                    .centre = centre,
                                    .radius = radius,
                                    .sweep = sweep / pieces});
            last_ = to;
        }
        return *this;
    }
    // Along a circle about centre to `to`, the shorter way round.
    Pen& ArcTo(SketchPoint centre, SketchPoint to) {
        const double from = std::atan2(last_.y - centre.y, last_.x - centre.x);
        double sweep = std::atan2(to.y - centre.y, to.x - centre.x) - from;
        if (sweep > std::numbers::pi) sweep -= 2 * std::numbers::pi;
        if (sweep <= -std::numbers::pi) sweep += 2 * std::numbers::pi;
        return Arc(centre, sweep);
    }
    SketchPoint last() const { return last_; }
    SketchPath Done() { return std::move(path_); }

  private:
    SketchPath path_;
    SketchPoint last_;
};

class Drawing {
  public:
    Drawing(BlockSketch& sketch, Baseline base) : s_(sketch), base_(base) {}

    // From the pen's point along its offset, through the length du of the baseline.
    void AlongBy(Pen& pen, double du) const {
        if (base_.radius == 0)
            pen.Line(pen.last() + SketchPoint{du, 0});
        else
            pen.Arc(base_.Centre(), base_.bend * du / base_.radius);
    }
    // The line at offset n from u0 to u1.
    void Line(SketchInk ink, double u0, double u1, double n) {
        Pen pen(ink, false, base_.At(u0, n));
        AlongBy(pen, u1 - u0);
        s_.paths.push_back(pen.Done());
    }
    // The band between offsets n0 and n1 from u0 to u1.
    void Band(SketchInk ink, double u0, double u1, double n0, double n1) {
        if (u1 <= u0 || n1 <= n0) return;
        Pen pen(ink, true, base_.At(u0, n0));
        AlongBy(pen, u1 - u0);
        pen.Line(base_.At(u1, n1));
        AlongBy(pen, u0 - u1);
        s_.paths.push_back(pen.Done());
    }
    void Add(SketchPath path) { s_.paths.push_back(std::move(path)); }
    void Label(SketchPoint at, std::string text, SketchInk ink, bool marked,
               std::optional<SketchPoint> textAt = std::nullopt) {
        s_.labels.push_back({at, std::move(text), ink, marked, textAt});
    }
    const Baseline& base() const { return base_; }

  private:
    BlockSketch& s_;
    Baseline base_;
};

// Offsets from the baseline towards the sidewalk.
struct Offsets {
    double face = 0, back = 0, grassEnd = 0, sidewalkEnd = 0;
};

// A return at u, turning away from the block: before it (away -1) or after it (away +1).
void DrawReturn(Drawing& d, const Offsets& o, double u, int away, int type, double r,
                const std::optional<ReturnFigures>& angles) {
    const Baseline& base = d.base();
    const SketchPoint centre = base.At(u, o.back + r);
    const SketchPoint back = base.At(u, o.back), face = base.At(u, o.face);
    const SketchPoint radial = back - centre;
    const SketchPoint ahead = base.Ahead(u);
    const double turn = (-radial.y * ahead.x + radial.x * ahead.y) * away > 0 ? 1.0 : -1.0;
    if (!angles) {
        Pen pen(SketchInk::Warning, false, back);
        d.Add(pen.Arc(centre, turn * std::numbers::pi / 2).Done());
        d.Label(centre, "SITUATION CANNOT BE COMPUTED", SketchInk::Warning, true);
        return;
    }
    const double phi1 = turn * angles->phi1, phi2 = turn * angles->phi2;
    const SketchPoint backEnd = Turned(back, centre, phi1);
    const SketchPoint sidewalkBack = base.At(u, o.sidewalkEnd);
    const SketchPoint grassEnd = base.At(u, o.grassEnd);
    auto alongTo = [&](Pen& pen, SketchPoint to) {
        if (base.radius == 0)
            pen.Line(to);
        else
            pen.ArcTo(base.Centre(), to);
    };
    if (type == 4) {
        Pen grass(SketchInk::Grass, true, back);
        grass.Arc(centre, phi2);
        const SketchPoint grassMeets = grass.last();
        alongTo(grass, grassEnd);
        d.Add(grass.Done());
        Pen walk(SketchInk::Sidewalk, true, grassMeets);
        walk.Arc(centre, phi1 - phi2);
        alongTo(walk, sidewalkBack);
        walk.Line(grassEnd);
        alongTo(walk, grassMeets);
        d.Add(walk.Done());
    } else {
        Pen walk(SketchInk::Sidewalk, true, back);
        walk.Arc(centre, phi1);
        alongTo(walk, sidewalkBack);
        d.Add(walk.Done());
    }
    Pen curb(SketchInk::Curb, true, face);
    curb.Arc(centre, phi1).Line(backEnd).Arc(centre, -phi1);
    d.Add(curb.Done());
}

// A card's type and station as the report lists them.
std::string Listed(const TakenCard& card) {
    return "type " + (card.type < 0 ? std::string("blank") : std::to_string(card.type)) + " at " +
           FormatStation(card.station);
}

// The block's cards as the report's run takes them: the header card, the block card and its row
// cards, as the work file holds them.
std::vector<TakenCard> TakenCards(const Job& holder, const std::string& blockCard,
                                  std::span<const std::string> rowCards) {
    std::vector<std::string_view> cards;
    const std::string header = HeaderCard(holder);
    cards.push_back(header);
    cards.push_back(blockCard);
    cards.insert(cards.end(), rowCards.begin(), rowCards.end());
    RunOutcome run = RunCards("", cards, RunOptions{std::time_t{0}});
    return run.cards.empty() ? std::vector<TakenCard>{} : std::move(run.cards.front());
}

double NiceLength(double span) {
    const double target = std::max(span / 5, 1.0);
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= target) return step * power;
    return power;
}

void Extend(BlockSketch& s, SketchPoint p, bool& first) {
    if (first) s.low = s.high = p;
    first = false;
    s.low = {std::min(s.low.x, p.x), std::min(s.low.y, p.y)};
    s.high = {std::max(s.high.x, p.x), std::max(s.high.y, p.y)};
}

bool Finite(SketchPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Every point of the drawing is a number; a block whose figures overflow is said, not drawn.
void KeepFinite(BlockSketch& s) {
    bool finite = true;
    for (const SketchPath& path : s.paths) {
        finite = finite && Finite(path.from);
        for (const SketchPiece& piece : path.pieces)
            finite = finite && Finite(piece.to) && Finite(piece.centre) &&
                     std::isfinite(piece.radius) && std::isfinite(piece.sweep);
    }
    for (const SketchLabel& label : s.labels)
        finite = finite && Finite(label.at) && Finite(label.textAt.value_or(label.at));
    // The drawing's span, with room around it for margins and texts, is a number too.
    const SketchPoint span{(s.high.x - s.low.x) * 4, (s.high.y - s.low.y) * 4};
    if (finite && Finite(s.low) && Finite(s.high) && Finite(span)) return;
    s.paths.clear();
    s.labels.clear();
    s.low = s.high = {};
    s.warnings.emplace_back("The block's figures are too large to draw");
}

void MeasureExtent(BlockSketch& s) {
    bool first = true;
    for (const SketchPath& path : s.paths)
        for (const SketchPoint& p : Outline(path))
            Extend(s, p, first);
    for (const SketchLabel& label : s.labels) {
        Extend(s, label.at, first);
        if (label.textAt) Extend(s, *label.textAt, first);
    }
}

} // namespace

std::vector<SketchPoint> Outline(const SketchPath& path) {
    std::vector<SketchPoint> points{path.from};
    SketchPoint at = path.from;
    for (const SketchPiece& piece : path.pieces) {
        if (piece.arc) // a quarter turn at most, in sixteen steps
            for (int step = 1; step < 16; ++step)
                points.push_back(Turned(at, piece.centre, piece.sweep * step / 16));
        points.push_back(at = piece.to);
    }
    return points;
}

SketchColours ColoursOf(SketchInk ink) {
    switch (ink) {
    case SketchInk::Baseline:
        return {"none", "#555555"};
    case SketchInk::Curb:
        return {"#b4b4b4", "#3c3c3c"};
    case SketchInk::Grass:
        return {"#9ccc65", "#558b2f"};
    case SketchInk::Sidewalk:
        return {"#e6dcc8", "#8d8570"};
    case SketchInk::Driveway:
        return {"#a1887f", "#5d4037"};
    case SketchInk::Exception:
        return {"#ffffff", "#5d4037"};
    case SketchInk::Item:
        return {"#1565c0", "#1565c0"};
    case SketchInk::Warning:
        return {"#d32f2f", "#d32f2f"};
    case SketchInk::Scale:
        return {"#000000", "#000000"};
    }
    return {"none", "#000000"};
}

BlockSketch SketchBlock(const BlockHeader& header, std::span<const BlockRow> rows, bool metric) {
    // The cards the block file will hold: each row with a type and a station (a row whose station
    // is not typed yet would be drawn at 0+00: it waits for its station).
    std::vector<std::string> cards;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (Trim(rows[i].type).empty() || Trim(rows[i].station).empty()) continue;
        if (const Result<std::string> card = RowCard(rows[i], 1, static_cast<int>(i)))
            cards.push_back(*card);
    }
    return SketchBlock(header, std::span<const std::string>(cards), metric);
}

BlockSketch SketchBlock(const BlockHeader& header, std::span<const std::string> rowCards,
                        bool metric) {
    BlockSketch s;
    s.metric = metric;
    Job holder;
    holder.header(1) = header;
    const Result<std::string> blockCard = BlockCard(holder, 1);
    if (!blockCard) {
        s.title = UpperCase(header.blkDesc);
        s.warnings.push_back(blockCard.error().text);
        return s;
    }
    const std::string upper = UpperCase(*blockCard);
    BlockShape shape = ReadBlockShape(upper);
    s.title = ReadBlockDescription(upper);
    const UnitRules rules = RulesFor(metric);
    const HeaderCheck check = CheckHeader(shape, rules);
    if (check.rejected)
        s.warnings.emplace_back("The sidewalk is wider than the distance from back of curb to "
                                "back of sidewalk: the report does not compute this block");
    if (check.radiusNotCoded) {
        s.warnings.emplace_back("No baseline radius coded: drawn and computed as a tangent");
        shape.curveDir = "T";
        shape.radius = 0;
    }
    s.curved = shape.curveDir != "T";
    s.leftSide = shape.side == "L";
    if (shape.side != "L" && shape.side != "R")
        s.warnings.emplace_back("No side of baseline coded: drawn on the right");

    holder.jobUnits = metric ? "M" : "E";
    const std::vector<TakenCard> cards = TakenCards(holder, *blockCard, rowCards);
    std::vector<const TakenCard*> returns, items;
    for (const TakenCard& card : cards) {
        switch (card.taken) {
        case CardTaken::Return:
        case CardTaken::ReturnNotComputed:
            if (returns.size() < 2) returns.push_back(&card);
            break;
        case CardTaken::Item:
            items.push_back(&card);
            break;
        case CardTaken::Invalid:
            s.warnings.push_back("ERROR-CARD TYPE NOT VALID: " + Listed(card) +
                                 ", listed as the report lists it, not drawn");
            break;
        case CardTaken::BeforeFirstReturn:
            s.warnings.push_back("ERROR-1ST CARD NOT TYPE 1 OR 4: " + Listed(card) +
                                 ", left out as the report leaves it");
            break;
        }
    }
    if (returns.size() < 2)
        s.warnings.emplace_back(returns.empty() ? "No return coded" : "No closing return coded");
    double first = returns.empty() ? 0 : returns[0]->station;
    double last = returns.size() > 1 ? returns[1]->station : first;
    if (returns.empty() && !items.empty()) first = last = items[0]->station;
    if (returns.size() < 2)
        for (const TakenCard* item : items)
            last = std::max(last, item->station);
    // Drawn along increasing stations, whichever order the returns were coded in: the side and
    // the curve are read along them.
    const bool reversed = last < first;
    if (reversed) std::swap(first, last);
    s.length = last - first;

    const Baseline base{.radius = shape.radius,
                        .bend = shape.curveDir == "L" ? 1 : -1,
                        .side = s.leftSide ? 1 : -1};
    Offsets o;
    o.face = s.leftSide ? shape.w1 : shape.w2;
    o.back = o.face + rules.curbWidth;
    o.grassEnd = o.back + std::max(shape.grass, 0.0);
    o.sidewalkEnd = o.back + shape.d;
    s.roadwayCurb = s.curved ? s.length * base.RadiusAt(o.face) / base.radius : s.length;

    Drawing d(s, base);
    const double l = s.length;
    d.Band(SketchInk::Curb, 0, l, o.face, o.back);
    d.Band(SketchInk::Grass, 0, l, o.back, o.grassEnd);
    d.Band(SketchInk::Sidewalk, 0, l, o.grassEnd, o.sidewalkEnd);
    for (std::size_t i = 0; i < returns.size(); ++i) {
        const TakenCard& card = *returns[i];
        const double u = card.station - first;
        const double r = card.radius;
        // Drawn as the report computes it: a return the run could not compute, or one of a
        // block it gave up, is marked.
        const auto quantities = ReturnQuantities(shape, rules, card.type, r);
        std::optional<ReturnFigures> figures;
        if (quantities && card.taken == CardTaken::Return) figures = *quantities;
        SketchReturn drawn{card.type, FormatStation(card.station), r, figures.has_value(), 0};
        if (r != 0) {
            DrawReturn(d, o, u, (i == 0) != reversed ? -1 : 1, card.type, r, figures);
            if (figures) drawn.curb = (r + rules.curbWidth) * figures->phi1;
        }
        s.returns.push_back(drawn);
    }
    d.Line(SketchInk::Curb, 0, l, o.face);
    d.Line(SketchInk::Baseline, 0, l, 0);

    MeasureExtent(s);
    const double span = std::max({s.high.x - s.low.x, s.high.y - s.low.y, 1.0});
    const double gap = span / 25;
    // Each item's text would stand beyond the back of sidewalk; where texts go so that none
    // covers another is the drawing's to say, at its own scale. Along the stations, as drawn.
    std::stable_sort(items.begin(), items.end(), [](const TakenCard* a, const TakenCard* b) {
        return a->station < b->station;
    });
    for (const TakenCard* item : items) {
        const double u = item->station - first;
        const double a = item->areaOrLength;
        double across = o.sidewalkEnd; // where its mark is
        // Outside the block, or running past a return: flagged in red.
        const bool banded =
            item->type == 0 || item->type == 2 || item->type == 3 || item->type == 9;
        const double reach = banded ? a / 2 : 0;
        const bool outside = returns.size() == 2 && (u - reach < 0 || u + reach > l);
        switch (item->type) {
        case 0:
        case 2:
        case 3:
            d.Band(SketchInk::Driveway, u - a / 2, u + a / 2, o.back, o.sidewalkEnd);
            break;
        case 9:
            d.Band(SketchInk::Exception, u - a / 2, u + a / 2, o.grassEnd, o.sidewalkEnd);
            break;
        case 6:
            across = (o.face + o.back) / 2;
            break;
        case 5:
            across = (o.back + o.grassEnd) / 2;
            break;
        default: // 7 and 8: areas of sidewalk
            across = (o.grassEnd + o.sidewalkEnd) / 2;
        }
        d.Label(base.At(u, across),
                std::to_string(item->type) + "  " + FormatStation(item->station) +
                    (outside ? "  OUTSIDE THE BLOCK" : ""),
                outside ? SketchInk::Warning : SketchInk::Item, true,
                base.At(u, o.sidewalkEnd + gap));
    }
    MeasureExtent(s);
    d.Label(base.At(0, -gap), FormatStation(first), SketchInk::Baseline, true);
    d.Label(base.At(l, -gap), FormatStation(last), SketchInk::Baseline, true);
    const double bar = NiceLength(span);
    const SketchPoint barStart{s.low.x, s.low.y - 3 * gap};
    Pen scale(SketchInk::Scale, false, barStart);
    s.paths.push_back(scale.Line(barStart + SketchPoint{bar, 0}).Done());
    d.Label(barStart + SketchPoint{0, -gap}, Format(bar, "0") + (metric ? " M" : " FT"),
            SketchInk::Scale, false);
    MeasureExtent(s);
    KeepFinite(s);
    return s;
}

std::string DescribeSketch(const BlockSketch& s) {
    const std::string unit = s.metric ? " M" : " FT";
    std::string text = "Plan sketch of " + s.title + ": " + (s.curved ? "curved" : "tangent") +
                       " block, sidewalk on the " + (s.leftSide ? "left" : "right") + ", " +
                       Format(s.length, "0.000") + unit + " between its returns.";
    for (const SketchReturn& r : s.returns) {
        text += " Return type " + std::to_string(r.type) + " at " + r.station + ", radius " +
                Format(r.radius, "0.000") + unit;
        text += r.computed ? ", curb " + Format(r.curb, "0.000") + unit + "."
                           : ": situation cannot be computed.";
    }
    for (const std::string& warning : s.warnings)
        text += " " + warning + ".";
    return text;
}

} // namespace sidewalk
