// The plan sketch of a block as its cards code it: paths and labels in job units, x along the
// baseline's tangent at the first return and y to its left, drawn from the same card reading,
// shape and return angles the report computes with.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/job.hpp"

namespace sidewalk {

struct SketchPoint {
    double x = 0, y = 0;
};

// What a path or label shows; each is drawn in a colour of its own.
enum class SketchInk { Baseline, Curb, Grass, Sidewalk, Driveway, Exception, Item, Warning, Scale };

// The fill and line colour of an ink, as "#rrggbb" ("none": no fill).
struct SketchColours {
    const char* fill;
    const char* stroke;
};
SketchColours ColoursOf(SketchInk ink);

// A piece of a path, from where the last one ended: straight to `to`, or an arc about centre of
// radius through sweep radians (counter-clockwise when positive), ending at `to`.
struct SketchPiece {
    SketchPoint to;
    bool arc = false;
    SketchPoint centre;
    double radius = 0, sweep = 0;
};

struct SketchPath {
    SketchInk ink = SketchInk::Baseline;
    bool area = false; // a closed area, filled; else a line
    SketchPoint from;
    std::vector<SketchPiece> pieces;
};

// A text at a point; a marked one has a small mark at the point, and its text beside the mark
// or, where it stands apart (textAt), at the end of a leader line from it.
struct SketchLabel {
    SketchPoint at;
    std::string text;
    SketchInk ink = SketchInk::Item;
    bool marked = false;
    std::optional<SketchPoint> textAt;
};

struct SketchReturn {
    int type = 0;
    std::string station;  // as the report writes it
    double radius = 0;    // to back of curb
    bool computed = true; // false where the report says the situation cannot be computed
    double curb = 0;      // the length of the face of curb drawn along it
};

struct BlockSketch {
    std::string title; // the block's description
    std::string sheet; // a printed sheet's header line (the job, the block, which sheet); or none
    bool metric = false;
    bool curved = false;
    bool leftSide = false;  // the sidewalk is on the left of the baseline
    double length = 0;      // between the returns' radius points
    double roadwayCurb = 0; // the length of the face of curb drawn between them
    std::vector<SketchReturn> returns;
    std::vector<SketchPath> paths; // in drawing order
    std::vector<SketchLabel> labels;
    std::vector<std::string> warnings; // what is wrong with the block as coded
    SketchPoint low, high;             // the extent of every path and label point
};

// The sketch of a block from its header and rows as the job holds them. A row without a type,
// or one that the data file could not hold, is left out, as it is from the report.
BlockSketch SketchBlock(const BlockHeader& header, std::span<const BlockRow> rows, bool metric);

// The same from the block's row cards as its block file holds them (and the report run reads
// them), for a block not open in the grid.
BlockSketch SketchBlock(const BlockHeader& header, std::span<const std::string> rowCards,
                        bool metric);

// The points along a path, its arcs in short chords: an area's outline, a line's course.
std::vector<SketchPoint> Outline(const SketchPath& path);

// The sketch in words, for a screen reader: the block, its length and its returns.
std::string DescribeSketch(const BlockSketch& sketch);

} // namespace sidewalk
