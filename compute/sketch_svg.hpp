// A block sketch as an SVG document, written as plain text from the same paths and labels the
// windows paint.
#pragma once

#include <string>

#include "compute/block_sketch.hpp"

namespace sidewalk {

std::string SketchSvg(const BlockSketch& sketch);

} // namespace sidewalk
