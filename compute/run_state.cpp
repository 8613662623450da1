// Block-level reset of the run record.
#include "compute/run_state.hpp"

namespace sidewalk {

void RunState::clearBlockAccumulators() {
    driveway6Length = grassDeductLength = sidewalkDeductLength = 0;
    sw4Area = sw6Area = grassArea = 0;
    return1Curb = return2Curb = totalCurb = 0;
    extraCurbNo = 0;
    returnCount = 0;
}

} // namespace sidewalk
