// Plain figures of a block and of the job, as the totals lines and the totals CSV print them.
#pragma once

#include <string>

namespace sidewalk {

struct BlockFigures {
    double sw4Area = 0, sw6Area = 0, grassArea = 0;
    double roadwayCurb = 0, return1Curb = 0, return2Curb = 0, totalCurb = 0;
};

struct JobFigures {
    double grand4Area = 0, grand6Area = 0, grandGrassArea = 0, grandCurb = 0;
};

enum class BlockStatus { NotClosed, Computed, Rejected, CannotCompute };

// Why a return or a block end cannot be computed.
enum class CannotCompute {
    DistanceOverRadius, // back of curb to back of sidewalk is more than the return's radius
    DoesNotMeet,        // the return does not meet the sidewalk, or a figure is not finite
};

// One block of a run as the totals file lists it; the figures count only when Computed.
struct BlockSummary : BlockFigures {
    int number = 0; // block cards counted from 1 in file order
    std::string description;
    BlockStatus status = BlockStatus::NotClosed;
};

} // namespace sidewalk
