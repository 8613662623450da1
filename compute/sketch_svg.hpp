// A block sketch as an SVG document, written as plain text from the same paths and labels the
// windows paint.
#pragma once

#include <string>

#include "compute/block_sketch.hpp"

namespace sidewalk {

// about, when given, says whose sketch it is (the block, the job's Ref No., its data file): the
// document's title carries it after the sketch's own. Strokes have plain widths in the
// document's units, so that every SVG 1.1 renderer draws them alike.
std::string SketchSvg(const BlockSketch& sketch, const std::string& about = {});

} // namespace sidewalk
