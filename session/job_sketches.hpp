// The sketches of a job's blocks, each drawn from its block file, for the command's SVG files and
// the printed sheets; the rows open in the session are not touched.
#pragma once

#include <vector>

#include "compute/block_sketch.hpp"
#include "data/job.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

struct NumberedSketch {
    int block = 0; // the slot, 1..100
    BlockSketch sketch;
};

// Every block with a description, in slot order; a block file that cannot be read is said in
// that block's warnings.
std::vector<NumberedSketch> SketchJob(const Job& job, const Workspace& ws);

} // namespace sidewalk
