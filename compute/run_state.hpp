// The record of one report run: the page form (header fields, counters, report text), unit
// constants, the current card, the block header, the block accumulators, the job totals and
// the blocks met so far.
#pragma once

#include <string>
#include <vector>

#include "report/block_figures.hpp"
#include "report/page.hpp"

namespace sidewalk {

struct RunState : ReportPage {
    // Unit constants (English until the units code says "M").
    double curbWidth = 0.5;
    double drivewayFlare = 10.0;
    double dropCurbTaperWide = 7.0;
    double dropCurbTaperNarrow = 4.0;
    double narrowGrassLimit = 5.0;

    // Current card.
    int cardType = 0;
    double areaOrLength = 0;
    double stationValue = 0;
    std::string stationText;
    double radiusBackCurb = 0;
    double returnStation = 0;
    double firstReturnStation = 0;

    // Block header.
    std::string curveDir = "T";
    std::string sideOfRoad = "L";
    double backCurbToBackSw = 0, sidewalkWidth = 0, leftCurbOffset = 0, rightCurbOffset = 0;
    double baselineRadius = 0, grassWidth = 0;
    std::string description, directionText, sideText;

    // Block accumulators.
    double driveway6Length = 0, grassDeductLength = 0, sidewalkDeductLength = 0;
    double sw4Area = 0, sw6Area = 0, grassArea = 0;
    double return1Curb = 0, return2Curb = 0, totalCurb = 0;
    double roadwayCurb = 0; // assigned at block end, never cleared
    int extraCurbNo = 0;
    int returnCount = 0;

    // Job totals.
    JobFigures grand;

    // The blocks met so far, for the totals file.
    std::vector<BlockSummary> blocks;

    void clearBlockAccumulators();

    // The block's figures as they stand.
    BlockFigures blockFigures() const;

    // A block card was met: it opens a block that has not been closed yet.
    void openBlock();

    // Sets the status of the block open since the last block card, if it is still open.
    void markOpenBlock(BlockStatus status);

    // A block ends with its totals: adds it to the job totals, records its figures and writes
    // its totals lines.
    void closeBlock();
};

} // namespace sidewalk
