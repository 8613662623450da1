// Writing a block sketch as SVG: y is turned downwards, the texts are UTF-8 (a description in
// Windows-1252 bytes is converted), and every number is written by the Format patterns.
#include "compute/sketch_svg.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "compute/label_layout.hpp"
#include "data/number.hpp"
#include "data/windows1252.hpp"

namespace sidewalk {

namespace {

std::string Number(double v) {
    return Format(v, "0.000");
}

// Valid UTF-8 stays; otherwise each byte is taken as Windows-1252, the card files' set.
// Characters XML cannot hold go.
std::string XmlText(std::string_view bytes) {
    auto validUtf8 = [](std::string_view b) {
        for (std::size_t i = 0; i < b.size();) {
            const auto c = static_cast<unsigned char>(b[i]);
            const std::size_t n = c < 0x80         ? 1
                                  : (c >> 5) == 6  ? 2
                                  : (c >> 4) == 14 ? 3
                                  : (c >> 3) == 30 ? 4
                                                   : 0;
            if (n == 0 || i + n > b.size()) return false;
            for (std::size_t k = 1; k < n; ++k)
                if ((static_cast<unsigned char>(b[i + k]) >> 6) != 2) return false;
            i += n;
        }
        return true;
    };
    const bool utf8 = validUtf8(bytes);
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 && c != '\t') continue;
        if (c == 0x7f) continue;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (c >= 0x80 && !utf8) { // a Windows-1252 byte: its character in UTF-8
                const char32_t u = Windows1252Char(c);
                if (u < 0xA0) break; // a C1 control, which a drawing's text cannot show
                if (u >= 0x800) out += static_cast<char>(0xE0 | (u >> 12));
                out += static_cast<char>((u >= 0x800 ? 0x80 | ((u >> 6) & 0x3F) : 0xC0 | (u >> 6)));
                out += static_cast<char>(0x80 | (u & 0x3F));
            } else {
                out += ch;
            }
        }
    }
    return out;
}

std::string Point(SketchPoint p) {
    return Number(p.x) + " " + Number(-p.y);
}

std::string PathData(const SketchPath& path) {
    std::string d = "M " + Point(path.from);
    for (const SketchPiece& piece : path.pieces) {
        if (!piece.arc) {
            d += " L " + Point(piece.to);
            continue;
        }
        // y turned downwards: counter-clockwise in the plan is sweep flag 0.
        const bool large = std::abs(piece.sweep) > std::numbers::pi;
        d += " A " + Number(piece.radius) + " " + Number(piece.radius) + " 0 " +
             (large ? "1 " : "0 ") + (piece.sweep > 0 ? "0 " : "1 ") + Point(piece.to);
    }
    return d + (path.area ? " Z" : "");
}

// The texts' places on the drawing, in the SVG's units (y downwards), for a monospace font of
// size text.
LabelLayout PlaceTexts(const BlockSketch& s, double text) {
    const ToDevice flip = [](SketchPoint p) { return SketchPoint{p.x, -p.y}; };
    const LabelMetrics metrics{
        [text](const std::string& t) { return text * 0.6 * static_cast<double>(t.size()); },
        text * 1.2, text * 0.5};
    // Clear of the scale bar and of the areas drawn.
    return LayOutLabels(WishesOf(s, flip), metrics,
                        {std::nullopt, ScaleBarsOf(s, flip, text), AreasOf(s, flip)});
}

LabelBox Union(const LabelBox& a, const LabelBox& b) {
    const double x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.x + a.w, b.x + b.w) - x, std::max(a.y + a.h, b.y + b.h) - y};
}

std::string TextAt(double x, double y, double size, const char* colour, const std::string& t) {
    return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" font-size=\"" + Number(size) +
           "\" fill=\"" + colour + "\">" + XmlText(t) + "</text>\n";
}

} // namespace

std::string SketchSvg(const BlockSketch& s, const std::string& about) {
    const double span = std::max({s.high.x - s.low.x, s.high.y - s.low.y, 1.0});
    const double text = span / 45, margin = span / 15, line = text * 1.3;
    const double head = text * 2.2 * static_cast<double>(2 + s.warnings.size());
    const LabelLayout layout = PlaceTexts(s, text);
    // What is drawn: the drawing, every text's box, and the list of numbered texts beside them.
    LabelBox drawn{s.low.x, -s.high.y, s.high.x - s.low.x, s.high.y - s.low.y};
    for (const PlacedLabel& placed : layout.labels)
        if (placed.box) drawn = Union(drawn, *placed.box);
    const LabelBox list{drawn.x + drawn.w + margin, drawn.y, 0,
                        line * static_cast<double>(layout.listed.size())};
    if (!layout.listed.empty()) {
        std::size_t widest = 0;
        for (std::size_t k = 0; k < layout.listed.size(); ++k)
            widest = std::max(
                widest,
                ListedLabel(static_cast<int>(k + 1), s.labels[layout.listed[k]].text).size());
        drawn = Union(drawn, {list.x, list.y, text * 0.6 * static_cast<double>(widest), list.h});
    }
    const double left = drawn.x - margin, top = drawn.y - margin - head;
    const double width = drawn.w + 2 * margin, height = drawn.h + 2 * margin + head;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1200\" height=\"" +
                      Format(1200 * (height / width), "0") + "\" viewBox=\"" + Number(left) + " " +
                      Number(top) + " " + Number(width) + " " + Number(height) +
                      "\" font-family=\"monospace\">\n";
    out +=
        "<title>" + XmlText(about.empty() ? s.title : s.title + " (" + about + ")") + "</title>\n";
    // Lines 1.2 and 0.6 pixels wide, dashes of 8 and 4, at the document's width of 1200 pixels.
    const std::string stroke = Number(width / 1000), leader = Number(width / 2000),
                      dashes = Number(width / 150) + " " + Number(width / 300);
    out += "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" + Number(width) +
           "\" height=\"" + Number(height) + "\" fill=\"#ffffff\"/>\n";
    for (const SketchPath& path : s.paths) {
        const SketchColours c = ColoursOf(path.ink);
        out += "<path d=\"" + PathData(path) + "\" fill=\"" + (path.area ? c.fill : "none") +
               "\" stroke=\"" + c.stroke + "\" stroke-width=\"" + stroke + "\"" +
               (path.ink == SketchInk::Baseline ? " stroke-dasharray=\"" + dashes + "\"" : "") +
               "/>\n";
    }
    for (std::size_t i = 0; i < s.labels.size(); ++i) {
        const SketchLabel& label = s.labels[i];
        const PlacedLabel& placed = layout.labels[i];
        const SketchColours c = ColoursOf(label.ink);
        if (label.marked)
            out += "<circle cx=\"" + Number(label.at.x) + "\" cy=\"" + Number(-label.at.y) +
                   "\" r=\"" + Number(text * 0.25) + "\" fill=\"" + c.stroke + "\"/>\n";
        if (!placed.box) continue;
        if (placed.leader)
            out += "<path d=\"M " + Point(label.at) + " L " + Number(placed.lineEnd.x) + " " +
                   Number(placed.lineEnd.y) + "\" stroke=\"" + c.stroke + "\" stroke-width=\"" +
                   leader + "\"/>\n";
        out += TextAt(placed.box->x, placed.box->y + placed.box->h * kLabelAscent, text, c.stroke,
                      placed.number > 0 ? std::to_string(placed.number) : label.text);
    }
    for (std::size_t k = 0; k < layout.listed.size(); ++k) {
        const SketchLabel& label = s.labels[layout.listed[k]];
        out +=
            TextAt(list.x, list.y + line * static_cast<double>(k + 1), text,
                   ColoursOf(label.ink).stroke, ListedLabel(static_cast<int>(k + 1), label.text));
    }
    double y = top + margin * 0.5 + text * 1.6;
    out += "<text x=\"" + Number(left + margin * 0.5) + "\" y=\"" + Number(y) + "\" font-size=\"" +
           Number(text * 1.6) + "\" font-weight=\"bold\">" + XmlText(s.title) + "</text>\n";
    for (const std::string& warning : s.warnings) {
        y += text * 2.2;
        out += TextAt(left + margin * 0.5, y, text, "#d32f2f", warning);
    }
    return out + "</svg>\n";
}

} // namespace sidewalk
