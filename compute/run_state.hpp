// The record of one report run: header fields, unit constants, the current card, the block
// header, the block accumulators, the job totals, the page counters and the report text.
#pragma once

#include <string>
#include <vector>

namespace sidewalk {

enum class BlockStatus { NotClosed, Computed, Rejected, CannotCompute };

// One block of the run as the totals file lists it.
struct BlockSummary {
    int number = 0; // block cards counted from 1 in file order
    std::string description;
    BlockStatus status = BlockStatus::NotClosed;
    double sw4Area = 0, sw6Area = 0, grassArea = 0;
    double roadwayCurb = 0, return1Curb = 0, return2Curb = 0, totalCurb = 0;
};

struct RunState {
    // Report and job header.
    std::string versionLine, dateProc, timeProc, refNo, projectNo, engineer, unitsCode;
    std::string lengthUnit = " FT.";
    int pageNo = 0;
    int lineNo = 0;

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
    double grand4Area = 0, grand6Area = 0, grandGrassArea = 0, grandCurb = 0;

    // The report as written so far, lines ended by CR LF.
    std::string report;

    // The blocks met so far, for the totals file.
    std::vector<BlockSummary> blocks;

    bool metric() const { return unitsCode == "M"; }
    void clearBlockAccumulators();
};

} // namespace sidewalk
