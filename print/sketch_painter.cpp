// Painting a block sketch: y turned downwards, arcs as the plan gives them, texts at a size of
// the device's, not of the drawing's scale.
#include "print/sketch_painter.hpp"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

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
    const QRectF room = area.adjusted(margin, margin + head + text * 1.5,
                                      -margin - std::min(widest, area.width() / 3), -margin - foot);
    const Mapping map(s, room, zoom, pan);
    painter.setClipRect(area.adjusted(0, head, 0, 0)); // a drawing zoomed in stays off the title

    // The scale bar stays at the foot of the room however the drawing is zoomed and moved: its
    // length is the drawing's, its place the window's.
    QPointF pinned;
    for (const SketchPath& path : s.paths)
        if (path.ink == SketchInk::Scale)
            pinned = QPointF(room.left(), room.bottom() - text * 1.5) - map.At(path.from);
    for (const SketchPath& path : s.paths) {
        const SketchColours c = ColoursOf(path.ink);
        QPen pen(Colour(c.stroke), lineWidth);
        if (path.ink == SketchInk::Baseline) pen.setDashPattern({8, 4});
        painter.setPen(pen);
        painter.setBrush(path.area ? QBrush(Colour(c.fill)) : QBrush());
        painter.drawPath(
            PathOf(path, map).translated(path.ink == SketchInk::Scale ? pinned : QPointF()));
    }
    painter.setFont(font);
    for (const SketchLabel& label : s.labels) {
        const QColor colour = Colour(ColoursOf(label.ink).stroke);
        const QPointF shift = label.ink == SketchInk::Scale ? pinned : QPointF();
        const QPointF at = map.At(label.at) + shift;
        const QPointF textAt = label.textAt ? map.At(*label.textAt) + shift : at;
        painter.setPen(QPen(colour, lineWidth / 2));
        if (label.textAt) painter.drawLine(at, textAt);
        if (label.marked) {
            painter.setBrush(colour);
            painter.drawEllipse(at, text / 4, text / 4);
        }
        const double gap = label.marked ? text / 2 : 0;
        painter.drawText(textAt + QPointF(gap, -gap), ReportText(label.text));
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
