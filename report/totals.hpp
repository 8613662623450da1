// The block totals under a computed block's item lines, and the job's grand totals.
#pragma once

#include "compute/run_state.hpp"

namespace sidewalk {

// Adds the block to the job totals and writes its area and curb lines.
void PrintBlockTotals(RunState& s);

// Writes the job's grand totals, without a page check.
void PrintGrandTotals(RunState& s);

} // namespace sidewalk
