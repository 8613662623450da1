// Painting a block sketch: y turned downwards, arcs as the plan gives them, texts at a size of
// the device's, not of the drawing's scale.
#include "print/sketch_painter.hpp"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "compute/label_layout.hpp"
#include "print/report_text.hpp"

namespace sidewalk::ui {

namespace {

QColor Colour(const char* hex) {
    return hex == std::string_view("none") ? QColor() : QColor(hex);
}

class Mapping {
  public:
    Mapping(const BlockSketch& s, const QRectF& room, double zoom, QPointF pan) {
        const double wide = std::max(s.high.x - s.low.x, 1e-9);
        const double high = std::max(s.high.y - s.low.y, 1e-9);
        scale_ = std::min(room.width() / wide, room.height() / high) * zoom;
        middle_ = room.center() + pan;
        centre_ = {(s.low.x + s.high.x) / 2, (s.low.y + s.high.y) / 2};
    }
    QPointF At(SketchPoint p) const {
        return middle_ + QPointF((p.x - centre_.x) * scale_, -(p.y - centre_.y) * scale_);
    }
    double Length(double l) const { return l * scale_; }

  private:
    double scale_ = 1;
    QPointF middle_;
    SketchPoint centre_;
};

QPainterPath PathOf(const SketchPath& path, const Mapping& map) {
    QPainterPath out(map.At(path.from));
    SketchPoint at = path.from;
    for (const SketchPiece& piece : path.pieces) {
        if (piece.arc) {
            const double r = map.Length(piece.radius);
            const QPointF c = map.At(piece.centre);
            const double start = std::atan2(at.y - piece.centre.y, at.x - piece.centre.x);
            out.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), start * 180 / std::numbers::pi,
                      piece.sweep * 180 / std::numbers::pi);
        } else {
            out.lineTo(map.At(piece.to));
        }
        at = piece.to;
    }
    if (path.area) out.closeSubpath();
    return out;
}

// The font made smaller where a text of that width would not fit within room.
QFont Fitted(QFont font, double width, double room) {
    if (width > room)
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * room / width)));
    return font;
}

} // namespace

void PaintSketch(QPainter& painter, const BlockSketch& s, const QRectF& area, double zoom,
                 QPointF pan) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const double text = std::max(std::min(area.width(), area.height()) / 45, 9.0);
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(text));
    const double lineWidth = std::max(text / 10, 1.0);
    const double margin = text * 2;
    const bool sheet = !s.sheet.empty(); // a printed sheet: its header line and a legend
    const double head = text * 2 * static_cast<double>(2 + s.warnings.size() + (sheet ? 1 : 0));
    const double foot = sheet ? text * 2.5 : 0;
    // Room on the right for the texts that start at the drawing's right edge.
    const QFontMetricsF metrics(font);
    double widest = 0;
    for (const SketchLabel& label : s.labels)
        widest = std::max(widest, metrics.horizontalAdvance(ReportText(label.text)));
    // and above it for a text standing on its top edge.
    QRectF room = area.adjusted(margin, margin + head + text * 1.5,
                                -margin - std::min(widest, area.width() / 3), -margin - foot);
    const QRectF view = area.adjusted(0, head, 0, -foot);
    const LabelMetrics measure{
        [&metrics](const std::string& t) { return metrics.horizontalAdvance(ReportText(t)); },
        metrics.height(), text / 2};
    // The texts placed on the drawing scaled to room; where some find no place, the drawing is
    // made narrower for the list of them beside it, and they are placed again.
    struct Plan {
        Mapping map;
        QPointF pinned;                 // the scale bar's shift
        std::vector<std::size_t> shown; // the labels whose mark is in view
        std::vector<LabelWish> wishes;  // theirs, on the device
        LabelLayout layout;
        double listWidth = 0;
    };
    auto plan = [&](const QRectF& into, double listWidth) {
        Plan p{Mapping(s, into, zoom, pan), {}, {}, {}, {}, listWidth};
        const ToDevice onDevice = [&p](SketchPoint point) {
            const QPointF at = p.map.At(point);
            return SketchPoint{at.x(), at.y()};
        };
        // The scale bar stays at the foot of the room however the drawing is zoomed and moved:
        // its length is the drawing's, its place the window's; its length's text stands a line
        // below it, at any scale.
        const QPointF bar(into.left(), into.bottom() - text * 1.5);
        for (const SketchPath& path : s.paths)
            if (path.ink == SketchInk::Scale) p.pinned = bar - p.map.At(path.from);
        std::vector<LabelWish> wishes = WishesOf(s, onDevice);
        for (std::size_t i = 0; i < wishes.size(); ++i) {
            if (s.labels[i].ink == SketchInk::Scale)
                wishes[i].at = {bar.x(), bar.y() + metrics.height()};
            if (wishes[i].toward && !view.contains(QPointF(wishes[i].at.x, wishes[i].at.y)))
                continue; // an item out of view
            p.wishes.push_back(std::move(wishes[i]));
            p.shown.push_back(i);
        }
        // Within the view, clear of the list, the scale bar and the areas drawn.
        const QRectF free = view.adjusted(0, 0, -listWidth, 0);
        const ToDevice pinned = [&](SketchPoint point) {
            const SketchPoint at = onDevice(point);
            return SketchPoint{at.x + p.pinned.x(), at.y + p.pinned.y()};
        };
        p.layout = LayOutLabels(p.wishes, measure,
                                {LabelBox{free.x(), free.y(), free.width(), free.height()},
                                 ScaleBarsOf(s, pinned, text), AreasOf(s, onDevice)});
        return p;
    };
    Plan p = plan(room, 0);
    // The numbered texts go in columns down the right of the view, as wide as the widest any
    // text's line could be; the drawing narrows for as many columns as it takes (a narrower
    // drawing may list more), up to half the view, in a smaller font where that is too little.
    QFont listFont = font;
    double listLine = 0, column = 0;
    std::size_t perColumn = 1;
    auto measureList = [&](double shrink) {
        listFont.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * shrink)));
        const QFontMetricsF m(listFont);
        listLine = m.height() * 1.1;
        perColumn = static_cast<std::size_t>(
            std::max(1.0, std::floor((view.height() - margin) / listLine)));
        column = 0;
        for (const std::size_t shown : p.shown)
            column =
                std::max(column, m.horizontalAdvance(ReportText(ListedLabel(
                                     static_cast<int>(p.shown.size()), s.labels[shown].text))));
        column += margin / 2;
    };
    measureList(1);
    double shrink = 1;
    for (std::size_t columns = 0, pass = 0; pass < 4; ++pass) {
        std::size_t needed = (p.layout.listed.size() + perColumn - 1) / perColumn;
        if (needed <= columns) break;
        const double most = area.width() / 2;
        if (column * static_cast<double>(needed) > most && shrink > 0.5) {
            shrink =
                std::max(0.5, shrink * std::sqrt(most / (column * static_cast<double>(needed))));
            measureList(shrink);
            needed = (p.layout.listed.size() + perColumn - 1) / perColumn;
        }
        columns = needed;
        const double list = std::min(column * static_cast<double>(columns) + margin / 2, most);
        room.setRight(std::max(room.left() + 1,
                               area.right() - margin - list - std::min(widest, area.width() / 3)));
        p = plan(room, list);
    }
    // A drawing zoomed in stays off the title, the foot and the list.
    painter.setClipRect(view.adjusted(0, 0, -p.listWidth, 0));

    for (const SketchPath& path : s.paths) {
        const SketchColours c = ColoursOf(path.ink);
        QPen pen(Colour(c.stroke), lineWidth);
        if (path.ink == SketchInk::Baseline) pen.setDashPattern({8, 4});
        painter.setPen(pen);
        painter.setBrush(path.area ? QBrush(Colour(c.fill)) : QBrush());
        painter.drawPath(
            PathOf(path, p.map).translated(path.ink == SketchInk::Scale ? p.pinned : QPointF()));
    }
    painter.setFont(font);
    const double ascent = metrics.height() * kLabelAscent;
    for (std::size_t k = 0; k < p.shown.size(); ++k) {
        const SketchLabel& label = s.labels[p.shown[k]];
        const PlacedLabel& placed = p.layout.labels[k];
        const QColor colour = Colour(ColoursOf(label.ink).stroke);
        const QPointF at(p.wishes[k].at.x, p.wishes[k].at.y);
        painter.setPen(QPen(colour, lineWidth / 2));
        if (placed.box && placed.leader)
            painter.drawLine(at, QPointF(placed.lineEnd.x, placed.lineEnd.y));
        if (label.marked) {
            painter.setBrush(colour);
            painter.drawEllipse(at, text / 4, text / 4);
        }
        if (placed.box)
            painter.drawText(QPointF(placed.box->x, placed.box->y + ascent),
                             placed.number > 0 ? QString::number(placed.number)
                                               : ReportText(label.text));
    }
    painter.setClipRect(view);
    painter.setFont(listFont);
    const double listDescent = QFontMetricsF(listFont).descent();
    // As many columns as the list's room holds; a list longer still ends by saying how many
    // more there are.
    const auto columns = static_cast<std::size_t>(
        std::max(1.0, std::floor((p.listWidth - margin / 2) / std::max(column, 1.0))));
    const std::size_t fits = columns * perColumn;
    const std::size_t listed = p.layout.listed.size();
    for (std::size_t k = 0; k < std::min(listed, fits); ++k) {
        const double x =
            view.right() - p.listWidth + margin / 2 + column * static_cast<double>(k / perColumn);
        const double y =
            view.top() + margin / 2 + listLine * static_cast<double>(k % perColumn + 1);
        const SketchLabel& label = s.labels[p.shown[p.layout.listed[k]]];
        const bool last = k + 1 == fits && listed > fits;
        painter.setPen(last ? QColor(Qt::black) : Colour(ColoursOf(label.ink).stroke));
        painter.drawText(QPointF(x, y - listDescent),
                         last ? QString("and %1 more").arg(listed - k)
                              : ReportText(ListedLabel(static_cast<int>(k + 1), label.text)));
    }
    painter.setClipping(false);
    QFont bold = font;
    bold.setPixelSize(static_cast<int>(text * 1.5));
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    double y = area.top() + margin / 2 + text * 1.5;
    const double across = area.width() - margin; // what a line of the sheet may take
    if (sheet) {
        const QString header = ReportText(s.sheet);
        painter.setFont(Fitted(font, QFontMetricsF(font).horizontalAdvance(header), across));
        painter.drawText(QPointF(area.left() + margin / 2, y), header);
        painter.setFont(bold);
        y += text * 2;
    }
    painter.drawText(QPointF(area.left() + margin / 2, y), ReportText(s.title));
    painter.setFont(font);
    painter.setPen(Colour(ColoursOf(SketchInk::Warning).stroke));
    for (const std::string& warning : s.warnings) {
        y += text * 2;
        painter.drawText(QPointF(area.left() + margin / 2, y), ReportText(warning));
    }
    if (sheet) { // the colours' legend along the foot of the sheet
        const struct {
            SketchInk ink;
            const char* name;
        } legend[] = {{SketchInk::Curb, "Curb"},
                      {SketchInk::Grass, "Grass"},
                      {SketchInk::Sidewalk, "Sidewalk"},
                      {SketchInk::Driveway, "Driveway"},
                      {SketchInk::Exception, "Exception"},
                      {SketchInk::Item, "Item"},
                      {SketchInk::Warning, "Not computed or outside the block"}};
        double width = 0; // of the whole legend, in the sketch's font
        for (const auto& entry : legend)
            width += text * 2 + metrics.horizontalAdvance(entry.name);
        const double shrink = std::min(1.0, across / width);
        painter.setFont(Fitted(font, width, across));
        const QFontMetricsF small(painter.font());
        const double box = text * shrink;
        double x = area.left() + margin / 2;
        const double base = area.bottom() - margin / 2;
        for (const auto& [ink, name] : legend) {
            const SketchColours c = ColoursOf(ink);
            painter.setPen(QPen(Colour(c.stroke), lineWidth));
            painter.setBrush(
                QBrush(Colour(std::string_view(c.fill) == "none" ? c.stroke : c.fill)));
            painter.drawRect(QRectF(x, base - box, box, box));
            painter.setPen(Qt::black);
            painter.drawText(QPointF(x + box * 1.4, base), name);
            x += box * 2 + small.horizontalAdvance(name);
        }
    }
    painter.restore();
}

} // namespace sidewalk::ui
