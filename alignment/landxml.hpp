// The horizontal alignments of a LandXML file (1.2, and the national files built on it): their
// lines, curves and spirals along the stations, and the station equations.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/message.hpp"

namespace sidewalk {

enum class AlignmentUnit { Feet, UsSurveyFeet, Metres };

// Metres in one of the unit.
double MetresPer(AlignmentUnit unit);

enum class ElementKind { Line, Curve, Spiral };
// Which way an element turns going up the stations: a "ccw" curve turns left, a "cw" one right.
enum class Turn { None, Left, Right };

struct AlignmentElement {
    ElementKind kind = ElementKind::Line;
    double start = 0, end = 0; // internal stations, continuous from the alignment's start
    double radius = 0;         // a curve's; 0 for a line or a spiral
    Turn turn = Turn::None;
    int line = 0; // where the element stands in the file
};

// Where the stations written on the plans jump: at the internal station `internal`, the station
// `back` behind becomes `ahead`.
struct StationEquation {
    double internal = 0, back = 0, ahead = 0;
};

struct Alignment {
    std::string name;
    double start = 0; // the internal station of its start (staStart)
    std::vector<AlignmentElement> elements;
    std::vector<StationEquation> equations; // in order along it

    double end() const { return elements.empty() ? start : elements.back().end; }
    // The station the plans write for an internal one.
    double Written(double internal) const;
    // The internal station of a written one, in the stretch between equations that holds it; none
    // in the gap an equation leaves or off either end. Where two stretches both hold it (an
    // equation that steps back), prefer the stretch that also holds `near`.
    std::optional<double> Internal(double written, std::optional<double> near = {}) const;
    // The elements an internal range runs on, first to last (a range within tolerance of an end
    // of an element does not run on the next).
    std::vector<const AlignmentElement*> ElementsOver(double from, double to,
                                                      double tolerance) const;
};

struct LandXmlFile {
    AlignmentUnit unit = AlignmentUnit::Feet;
    std::vector<Alignment> alignments;

    const Alignment* Find(std::string_view name) const;
};

// A file larger than this is refused unread: alignments alone are far smaller.
inline constexpr std::size_t kMaxLandXmlBytes = std::size_t{64} << 20;

// Reads a LandXML text; problems name the element and its line, the file as shownAs. Neither a
// document type nor an entity is ever loaded: only the text given is read.
Result<LandXmlFile> ParseLandXml(std::string_view text, const std::string& shownAs);

// Reads a LandXML file (a regular file only, never waited on).
Result<LandXmlFile> ReadLandXml(const std::filesystem::path& path);

} // namespace sidewalk
