// Block-level changes of the run record, and the job totals.
#include "compute/run_state.hpp"

#include "report/totals.hpp"

namespace sidewalk {

void RunState::clearBlockAccumulators() {
    driveway6Length = grassDeductLength = sidewalkDeductLength = 0;
    sw4Area = sw6Area = grassArea = 0;
    return1Curb = return2Curb = totalCurb = 0;
    extraCurbNo = 0;
    returnCount = 0;
}

BlockFigures RunState::blockFigures() const {
    return BlockFigures{sw4Area,     sw6Area,     grassArea, roadwayCurb,
                        return1Curb, return2Curb, totalCurb};
}

void RunState::openBlock() {
    BlockSummary summary;
    summary.number = static_cast<int>(blocks.size()) + 1;
    summary.description = description;
    blocks.push_back(summary);
}

void RunState::markOpenBlock(BlockStatus status) {
    if (!blocks.empty() && blocks.back().status == BlockStatus::NotClosed)
        blocks.back().status = status;
}

void RunState::closeBlock() {
    grand.grand4Area += sw4Area;
    grand.grand6Area += sw6Area;
    grand.grandCurb += totalCurb;
    grand.grandGrassArea += grassArea;

    if (blocks.empty() || blocks.back().status != BlockStatus::NotClosed) {
        // Returns after a finished block without a block card of their own: a block again.
        BlockSummary again;
        if (!blocks.empty()) {
            again.number = blocks.back().number;
            again.description = blocks.back().description;
        }
        blocks.push_back(again);
    }
    BlockSummary& b = blocks.back();
    static_cast<BlockFigures&>(b) = blockFigures();
    b.status = BlockStatus::Computed;

    PrintBlockTotals(*this, blockFigures());
}

} // namespace sidewalk
