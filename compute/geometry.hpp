// The returns of a block and its block end: curb along each return and the roadway, the
// 4-inch sidewalk and grass wrapped around each return, and the strips between the returns,
// curved with the roadway where the baseline is on a curve.
#pragma once

#include "compute/run_state.hpp"

namespace sidewalk {

// A return card (type 1 or 4), already decoded. Returns true when it closed the block and the
// block loop starts again.
bool ReturnBranch(RunState& s);

} // namespace sidewalk
