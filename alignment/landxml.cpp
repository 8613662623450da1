// Reading LandXML alignments with pugixml. Elements are matched by their local name, so a file in
// the LandXML namespace, with or without a prefix, reads as one without; unknown ones are skipped.
#include "alignment/landxml.hpp"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <numbers>
#include <pugixml.hpp>

#include "data/file_text.hpp"
#include "data/number.hpp"

namespace sidewalk {

namespace {

constexpr const char* kTitle = "Alignment File Error";

// No street's stations come near a thousand million, in any unit; past it a station would no
// longer print as a station.
constexpr double kFarthestStation = 1e9;

std::string_view LocalName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::vector<pugi::xml_node> Children(const pugi::xml_node& node, std::string_view name) {
    std::vector<pugi::xml_node> found;
    for (const pugi::xml_node& child : node.children())
        if (child.type() == pugi::node_element && LocalName(child) == name) found.push_back(child);
    return found;
}

pugi::xml_node Child(const pugi::xml_node& node, std::string_view name) {
    const std::vector<pugi::xml_node> all = Children(node, name);
    return all.empty() ? pugi::xml_node() : all.front();
}

std::optional<double> Number(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The file being read, for the messages: its name, and the line of each element.
class Reading {
  public:
    Reading(std::string_view text, const std::string& shownAs) : text_(text), shownAs_(shownAs) {}

    int LineOf(const pugi::xml_node& node) const { return LineAt(node.offset_debug()); }
    int LineAt(std::ptrdiff_t offset) const {
        if (offset < 0) return 0;
        const auto upTo = text_.substr(0, std::min(text_.size(), static_cast<std::size_t>(offset)));
        return 1 + static_cast<int>(std::count(upTo.begin(), upTo.end(), '\n'));
    }
    Message Problem(const pugi::xml_node& node, const std::string& what) const {
        return Problem(std::string(LocalName(node)) + " at line " + std::to_string(LineOf(node)) +
                       ": " + what);
    }
    Message Problem(const std::string& what) const {
        return Message{"The alignment file " + shownAs_ + " cannot be used: " + what, kTitle,
                       MessageKind::Critical};
    }
    // An attribute's number; none when it is absent, a problem when it is no number.
    Result<std::optional<double>> Attribute(const pugi::xml_node& node, const char* name) const {
        const pugi::xml_attribute a = node.attribute(name);
        if (!a) return std::optional<double>();
        const std::optional<double> value = Number(a.value());
        if (!value)
            return Failure(
                Problem(node, std::string(name) + " \"" + a.value() + "\" is no number"));
        return value;
    }
    Result<double> Required(const pugi::xml_node& node, const char* name) const {
        Result<std::optional<double>> value = Attribute(node, name);
        if (!value) return Failure(value.error());
        if (!*value) return Failure(Problem(node, "it has no " + std::string(name)));
        return **value;
    }

  private:
    std::string_view text_;
    const std::string& shownAs_;
};

// A point element's "northing easting".
std::optional<std::pair<double, double>> Point(const pugi::xml_node& node) {
    const std::string text = node.text().get();
    const std::size_t gap = text.find_first_of(" \t\r\n", text.find_first_not_of(" \t\r\n"));
    if (gap == std::string::npos) return std::nullopt;
    const auto n = Number(std::string_view(text).substr(0, gap));
    std::string_view rest = std::string_view(text).substr(gap);
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t\r\n")));
    const auto e = Number(rest.substr(0, rest.find_first_of(" \t\r\n")));
    if (!n || !e) return std::nullopt;
    return std::pair{*n, *e};
}

Result<AlignmentUnit> UnitOf(const Reading& r, const pugi::xml_node& root) {
    const pugi::xml_node units = Child(root, "Units");
    for (const char* system : {"Imperial", "Metric"}) {
        const pugi::xml_node s = Child(units, system);
        if (!s) continue;
        const std::string unit = s.attribute("linearUnit").value();
        if (unit == "foot" || unit == "feet") return AlignmentUnit::Feet;
        if (unit == "USSurveyFoot") return AlignmentUnit::UsSurveyFeet;
        if (unit == "meter" || unit == "metre") return AlignmentUnit::Metres;
        return Failure(r.Problem(s, "the linear unit \"" + unit +
                                        "\" is not one of foot, USSurveyFoot or meter"));
    }
    return Failure(r.Problem("it names no units (LandXML/Units/Imperial or Metric)"));
}

// An element's length: as given, or from its points.
Result<double> LengthOf(const Reading& r, const pugi::xml_node& node, ElementKind kind,
                        double radius, Turn turn) {
    Result<std::optional<double>> given = r.Attribute(node, "length");
    if (!given) return Failure(given.error());
    double length = -1;
    if (*given) {
        length = **given;
    } else if (kind != ElementKind::Spiral) {
        const auto start = Point(Child(node, "Start")), end = Point(Child(node, "End"));
        const auto centre = Point(Child(node, "Center"));
        if (start && end && kind == ElementKind::Line) {
            length = std::hypot(end->first - start->first, end->second - start->second);
        } else if (start && end && centre) {
            // The angle swept from the start to the end round the centre, the way it turns
            // (northing, easting: a right turn is clockwise on the map).
            const double a0 =
                std::atan2(start->first - centre->first, start->second - centre->second);
            const double a1 = std::atan2(end->first - centre->first, end->second - centre->second);
            double sweep = turn == Turn::Left ? a1 - a0 : a0 - a1;
            while (sweep <= 0)
                sweep += 2 * std::numbers::pi;
            length = radius * sweep;
        }
    }
    if (length < 0) return Failure(r.Problem(node, "it has no length, nor the points to give one"));
    if (!(length > 0)) return Failure(r.Problem(node, "its length is not more than 0"));
    if (!std::isfinite(length)) return Failure(r.Problem(node, "its length is past any number"));
    return length;
}

Result<Turn> TurnOf(const Reading& r, const pugi::xml_node& node) {
    const std::string rot = node.attribute("rot").value();
    if (rot == "ccw") return Turn::Left;
    if (rot == "cw") return Turn::Right;
    return Failure(r.Problem(node, "its rot \"" + rot + "\" is neither cw nor ccw"));
}

Result<AlignmentElement> ElementOf(const Reading& r, const pugi::xml_node& node) {
    AlignmentElement e;
    e.line = r.LineOf(node);
    const std::string_view name = LocalName(node);
    if (name == "Curve") {
        e.kind = ElementKind::Curve;
        Result<double> radius = r.Required(node, "radius");
        if (!radius) return Failure(radius.error());
        if (!(*radius > 0)) return Failure(r.Problem(node, "its radius is not more than 0"));
        e.radius = *radius;
    } else if (name == "Spiral") {
        e.kind = ElementKind::Spiral;
    }
    if (e.kind != ElementKind::Line) {
        Result<Turn> turn = TurnOf(r, node);
        if (!turn) return Failure(turn.error());
        e.turn = *turn;
    }
    Result<double> length = LengthOf(r, node, e.kind, e.radius, e.turn);
    if (!length) return Failure(length.error());
    e.end = *length; // placed along the alignment by the caller
    return e;
}

Result<Alignment> AlignmentOf(const Reading& r, const pugi::xml_node& node) {
    Alignment a;
    a.name = node.attribute("name").value();
    Result<std::optional<double>> start = r.Attribute(node, "staStart");
    if (!start) return Failure(start.error());
    a.start = start->value_or(0);
    if (!(std::abs(a.start) <= kFarthestStation))
        return Failure(r.Problem(node, "its staStart is past any street's stations"));
    double at = a.start;
    for (const pugi::xml_node& geometry : Children(node, "CoordGeom"))
        for (const pugi::xml_node& child : geometry.children()) {
            const std::string_view name = LocalName(child);
            // Geometry of its own length that is no line, curve or spiral would, if skipped,
            // put every station after it in the wrong place.
            if (name == "IrregularLine" || name == "Chain")
                return Failure(r.Problem(child, "it is not a line, curve or spiral, which is all "
                                                "a check can follow"));
            if (name != "Line" && name != "Curve" && name != "Spiral") continue;
            Result<AlignmentElement> e = ElementOf(r, child);
            if (!e) return Failure(e.error());
            // An element that says where it starts must start where the one before it ends.
            Result<std::optional<double>> given = r.Attribute(child, "staStart");
            if (!given) return Failure(given.error());
            if (*given && std::abs(**given - at) > 0.01)
                return Failure(r.Problem(
                    child, "its staStart " + std::string(child.attribute("staStart").value()) +
                               " is not where the elements before it end (" + Format(at, "0.000") +
                               ")"));
            e->start = at;
            e->end += at;
            at = e->end;
            if (!(std::abs(at) <= kFarthestStation))
                return Failure(r.Problem(child, "its stations are past any street's"));
            a.elements.push_back(*e);
        }
    if (a.elements.empty())
        return Failure(r.Problem(node, "the alignment \"" + a.name + "\" has no line or curve"));
    for (const pugi::xml_node& eq : Children(node, "StaEquation")) {
        Result<double> internal = r.Required(eq, "staInternal");
        if (!internal) return Failure(internal.error());
        Result<double> ahead = r.Required(eq, "staAhead");
        if (!ahead) return Failure(ahead.error());
        if (!(std::abs(*ahead) <= kFarthestStation))
            return Failure(r.Problem(eq, "its staAhead is past any street's stations"));
        const double before = a.equations.empty() ? a.start : a.equations.back().internal;
        if (!(*internal > before) || !(*internal < a.end()))
            return Failure(r.Problem(eq, "its staInternal " +
                                             std::string(eq.attribute("staInternal").value()) +
                                             " is not after the one before, within the alignment: "
                                             "the stations run backwards"));
        a.equations.push_back({*internal, a.Written(*internal), *ahead});
    }
    return a;
}

} // namespace

double MetresPer(AlignmentUnit unit) {
    switch (unit) {
    case AlignmentUnit::Feet:
        return 0.3048;
    case AlignmentUnit::UsSurveyFeet:
        return 1200.0 / 3937.0;
    case AlignmentUnit::Metres:
        return 1;
    }
    return 1;
}

double Alignment::Written(double internal) const {
    double from = start, written = start;
    for (const StationEquation& eq : equations) {
        if (internal < eq.internal) break;
        from = eq.internal;
        written = eq.ahead;
    }
    return written + (internal - from);
}

std::optional<double> Alignment::Internal(double written, std::optional<double> near) const {
    std::optional<double> found;
    for (std::size_t k = 0; k <= equations.size(); ++k) {
        const double from = k == 0 ? start : equations[k - 1].internal;
        const double to = k == equations.size() ? end() : equations[k].internal;
        const double first = k == 0 ? start : equations[k - 1].ahead;
        const double internal = from + (written - first);
        if (written < first - 1e-9 || internal > to + 1e-9) continue;
        const bool holdsNear =
            !near || (*near >= first - 1e-9 && from + (*near - first) <= to + 1e-9);
        if (!found || holdsNear) found = internal;
        if (holdsNear) break;
    }
    return found;
}

std::vector<const AlignmentElement*> Alignment::ElementsOver(double from, double to,
                                                             double tolerance) const {
    std::vector<const AlignmentElement*> over;
    for (const AlignmentElement& e : elements)
        if (e.end > from + tolerance && e.start < to - tolerance) over.push_back(&e);
    if (over.empty()) // a range of no length, or one at an element's end
        for (const AlignmentElement& e : elements)
            if (e.start <= from + tolerance && e.end >= to - tolerance) {
                over.push_back(&e);
                break;
            }
    return over;
}

const Alignment* LandXmlFile::Find(std::string_view name) const {
    for (const Alignment& a : alignments)
        if (a.name == name) return &a;
    return nullptr;
}

Result<LandXmlFile> ParseLandXml(std::string_view text, const std::string& shownAs) {
    const Reading r(text, shownAs);
    pugi::xml_document doc;
    // The default options: no document type is kept, and only XML's own entities and character
    // references are replaced; pugixml never reads anything but the buffer.
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed)
        return Failure(r.Problem("it is not XML: " + std::string(parsed.description()) +
                                 " at line " + std::to_string(r.LineAt(parsed.offset))));
    const pugi::xml_node root = doc.document_element();
    if (LocalName(root) != "LandXML")
        return Failure(
            r.Problem("it is XML but not LandXML (its root is " + std::string(root.name()) + ")"));
    LandXmlFile file;
    Result<AlignmentUnit> unit = UnitOf(r, root);
    if (!unit) return Failure(unit.error());
    file.unit = *unit;
    for (const pugi::xml_node& group : Children(root, "Alignments"))
        for (const pugi::xml_node& node : Children(group, "Alignment")) {
            Result<Alignment> a = AlignmentOf(r, node);
            if (!a) return Failure(a.error());
            file.alignments.push_back(std::move(*a));
        }
    if (file.alignments.empty()) return Failure(r.Problem("it holds no alignment"));
    return file;
}

Result<LandXmlFile> ReadLandXml(const std::filesystem::path& path) {
    const Result<FileBytes> bytes = ReadWholeFile(path.string(), kMaxLandXmlBytes, true);
    if (!bytes && bytes.error().systemError == EFBIG)
        return Failure(Message{"The alignment file " + path.string() + " is larger than " +
                                   std::to_string(kMaxLandXmlBytes >> 20) +
                                   " MB and was not read: export the alignments alone.",
                               kTitle, MessageKind::Critical, EFBIG});
    if (!bytes) return Failure(bytes.error());
    return ParseLandXml(bytes->view(), path.string());
}

} // namespace sidewalk
