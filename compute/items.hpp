// Item cards between a block's returns: driveways (types 0, 2, 3), extra grass, curb, sidewalk
// and driveway areas (5 to 8) and sidewalk exceptions (9). Each writes its report line and
// moves the block accumulators.
#pragma once

#include "compute/run_state.hpp"

namespace sidewalk {

// Handles a decoded item card of type 0, 2, 3, 5, 6, 7, 8 or 9. Returns false for any other type.
bool HandleItem(RunState& s);

} // namespace sidewalk
