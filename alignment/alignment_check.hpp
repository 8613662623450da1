// A job's blocks against a design alignment: each block's curve data, as the report takes it,
// beside what the alignment has along the block's stations, with a verdict and a correction.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "alignment/landxml.hpp"
#include "compute/run_report.hpp"
#include "data/job.hpp"

namespace sidewalk {

// A block as the report's run took it: its slot, its direction ("T", "L" or "R", a curve
// without a radius being a tangent) and baseline radius, and the stations of its first and
// closing returns (none when it has not both).
struct CodedBlock {
    int block = 0;
    std::string description;
    std::string direction = "T";
    double radius = 0;
    std::optional<double> from, to;
};

// A block's curve data as the check's table shows it ("Tangent", "Left 450.000"), and its
// stations ("10+32.000 to 13+18.000", or "-" without both returns).
std::string CodedText(const CodedBlock& block);
std::string StationRange(const CodedBlock& block);

// The described blocks of the job in the order of the run that took them.
std::vector<CodedBlock> CodedBlocks(const Job& job, const RunOutcome& run);

enum class Verdict { Agrees, Differs, Crosses, Outside, NotChecked };

struct BlockCheck {
    CodedBlock coded;
    Verdict verdict = Verdict::NotChecked;
    std::string alignment; // what the alignment has there, in a few words
    std::string text;      // the verdict in words, beginning with its own word
    // For a block on one line or curve that differs: the direction ("Tangent", "Left" or "Right")
    // and radius text its header should hold.
    std::optional<std::pair<std::string, std::string>> correction;
};

// One block against one alignment of a file in the given unit; the job's units say whether its
// stations and radii are metres or feet.
BlockCheck CheckBlock(const CodedBlock& block, const Alignment& alignment, AlignmentUnit unit,
                      bool metricJob);

// The table of checks as text lines: a heading, a line for each block, and a summary line that
// names the alignment.
std::vector<std::string> CheckTable(const std::vector<BlockCheck>& checks,
                                    const std::string& alignmentName);

// The alignment of a file a check is to use: the one named, or the only one; a problem that
// lists the names otherwise.
Result<const Alignment*> ChooseAlignment(const LandXmlFile& file, const std::string& name);

} // namespace sidewalk
