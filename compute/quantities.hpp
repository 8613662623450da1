// The quantities of a block as values: the rules of the job's units, the block's shape as its
// header card gives it, and what each return, item and the block's end add. Nothing here
// writes the report; the run passes these figures to the report writer.
#pragma once

#include <string>

#include "data/expected.hpp"
#include "report/block_figures.hpp"

namespace sidewalk {

// Constants of the units: English unless the job is metric.
struct UnitRules {
    bool metric = false;
    double curbWidth = 0.5;
    double drivewayFlare = 10.0;
    double dropCurbTaperWide = 7.0;
    double dropCurbTaperNarrow = 4.0;
    double narrowGrassLimit = 5.0;
    double drivewayLimit = 60.0;   // a longer driveway is flagged
    double reasonableWidth = 25.0; // a wider sidewalk or distance is flagged
};
UnitRules RulesFor(bool metric);

// A block header as the run reads it.
struct BlockShape {
    std::string curveDir = "T"; // "T", "L" or "R"
    std::string side = "L";     // as coded; "R" is the right side
    double d = 0;               // back of curb to back of sidewalk
    double sw = 0;              // sidewalk width
    double w1 = 0, w2 = 0;      // left and right curb offsets from the baseline
    double radius = 0;          // of the baseline; 0 on a tangent
    double grass = 0;           // d - sw
};

// What a block header's checks find.
struct HeaderCheck {
    bool rejected = false; // the sidewalk is wider than d: the block is not computed
    bool widthUnreasonable = false, distanceUnreasonable = false;
    bool radiusNotCoded = false; // a curve without a radius: taken as a tangent
};
HeaderCheck CheckHeader(const BlockShape& shape, const UnitRules& rules);

// The sums of a block so far, between its returns.
struct BlockSums {
    double driveway6Length = 0, grassDeductLength = 0, sidewalkDeductLength = 0;
    double sw4Area = 0, sw6Area = 0, grassArea = 0;
    double return1Curb = 0, return2Curb = 0, totalCurb = 0;
    int extraCurbNo = 0; // type 6 cards met
};

// Item types 0, 2, 3 and 5 to 9.
bool IsItemType(int type);
// A driveway (0, 2, 3) longer than the standard index allows.
bool OverDrivewayLimit(const UnitRules& rules, int type, double length);
// Adds an item card of figure a (a length or an area) to the sums.
void AddItem(BlockSums& sums, const BlockShape& shape, const UnitRules& rules, int type, double a);

// Curb along a return, and the 4-inch sidewalk and grass wrapped around it.
struct ReturnFigures {
    double curb = 0, sw4 = 0, grass = 0;
    // The angles at the return's centre from the curb's tangent point to where its back of curb
    // meets the back of sidewalk (phi1) and the front of sidewalk (phi2, type 4 only).
    double phi1 = 0, phi2 = 0;
};
// A return of type 1 or 4 (with grass) and its radius to back of curb; radius 0 adds nothing.
Expected<ReturnFigures, CannotCompute>
ReturnQuantities(const BlockShape& shape, const UnitRules& rules, int type, double radius);

// A block's figures at its closing return, and whether the deductions coded are longer than
// the block.
struct BlockEnd {
    BlockFigures figures;
    bool impossible = false;
};
// length is the distance between the returns; closingRadius the closing return's radius. A
// figure that would not be finite, in the block or added to the job's, cannot be computed.
Expected<BlockEnd, CannotCompute> EndOfBlock(const BlockShape& shape, const UnitRules& rules,
                                             const BlockSums& sums, double length,
                                             double closingRadius, const JobFigures& job);

} // namespace sidewalk
