// A block header card in the run: decodes it, starts the block afresh, writes the block
// identification section and checks the header for impossible or unreasonable values.
#pragma once

#include <string>

#include "compute/run_state.hpp"

namespace sidewalk {

// card is upper-cased. Returns false when the block is rejected (sidewalk wider than the
// distance from back of curb to back of sidewalk); ReturnCount is then 3.
bool PrintBlockIdent(RunState& s, const std::string& card);

} // namespace sidewalk
