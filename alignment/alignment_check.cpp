// The verdict for each block: on one line, on one curve, across a change of curvature, or off the
// alignment's stations.
#include "alignment/alignment_check.hpp"

#include <algorithm>
#include <cmath>

#include "data/field_ranges.hpp"
#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "report/page.hpp"

namespace sidewalk {

namespace {

std::string Radius(double value) {
    return Format(value, "0.000");
}

std::string TurnName(Turn turn) {
    return turn == Turn::Left ? "Left" : "Right";
}

std::string KindName(ElementKind kind) {
    switch (kind) {
    case ElementKind::Line:
        return "line";
    case ElementKind::Curve:
        return "curve";
    case ElementKind::Spiral:
        return "spiral";
    }
    return "";
}

} // namespace

std::string CodedText(const CodedBlock& b) {
    if (b.direction == "T") return "Tangent";
    return std::string(b.direction == "L" ? "Left" : "Right") + " " + Radius(b.radius);
}

std::string StationRange(const CodedBlock& b) {
    return b.from && b.to ? FormatStation(*b.from) + " to " + FormatStation(*b.to) : "-";
}

std::vector<CodedBlock> CodedBlocks(const Job& job, const RunOutcome& run) {
    std::vector<CodedBlock> blocks;
    std::size_t k = 0; // the run's block cards, one for each block in use, in slot order
    for (int n = 1; n <= kMaxBlocks && k < run.cards.size() && k < run.shapes.size(); ++n) {
        if (!job.blockInUse(n)) continue;
        const BlockShape& shape = run.shapes[k];
        CodedBlock b{n, job.header(n).blkDesc, shape.curveDir, shape.radius, {}, {}};
        for (const TakenCard& card : run.cards[k]) {
            if (card.taken != CardTaken::Return && card.taken != CardTaken::ReturnNotComputed)
                continue;
            if (!b.from) {
                b.from = card.station;
            } else {
                b.to = card.station;
                break;
            }
        }
        ++k;
        if (!b.description.empty()) blocks.push_back(std::move(b));
    }
    return blocks;
}

BlockCheck CheckBlock(const CodedBlock& block, const Alignment& alignment, AlignmentUnit unit,
                      bool metricJob) {
    BlockCheck check{block, Verdict::NotChecked, "", "", {}};
    // Job units in one of the alignment's.
    const double scale = MetresPer(unit) / (metricJob ? 1.0 : 0.3048);
    const auto station = [&](double internal) {
        return FormatStation(alignment.Written(internal) * scale);
    };
    if (!block.from || !block.to) {
        check.text = "not checked: the block has no closing return";
        return check;
    }
    const std::optional<double> a = alignment.Internal(*block.from / scale, *block.to / scale);
    const std::optional<double> b = alignment.Internal(*block.to / scale, *block.from / scale);
    if (!a || !b) {
        check.verdict = Verdict::Outside;
        check.alignment = "-";
        check.text = "outside the alignment's stations " + station(alignment.start) + " to " +
                     station(alignment.end());
        return check;
    }
    const double tolerance = 0.001 / scale;
    const std::vector<const AlignmentElement*> over =
        alignment.ElementsOver(std::min(*a, *b), std::max(*a, *b), tolerance);
    const AlignmentElement& e = *over.front();
    if (over.size() > 1) {
        check.verdict = Verdict::Crosses;
        check.alignment = KindName(e.kind) + " to " + KindName(over[1]->kind);
        check.text = "crosses a change of curvature at " + station(e.end) + " (" + check.alignment +
                     "): split the block there";
        return check;
    }
    if (e.kind == ElementKind::Spiral) {
        check.verdict = Verdict::Crosses;
        check.alignment = "spiral";
        check.text = "crosses a change of curvature: a spiral runs from " + station(e.start) +
                     " to " + station(e.end) + " here, so no one radius is right";
        return check;
    }
    const bool line = e.kind == ElementKind::Line;
    const double radius = e.radius * scale;
    const std::string direction = line ? "T" : e.turn == Turn::Left ? "L" : "R";
    check.alignment = line ? "Tangent" : TurnName(e.turn) + " " + Radius(radius);
    const bool agrees = block.direction == direction &&
                        (line || std::abs(block.radius - radius) <= (metricJob ? 0.003 : 0.01));
    if (agrees) {
        check.verdict = Verdict::Agrees;
        check.text = "agrees";
        return check;
    }
    check.verdict = Verdict::Differs;
    check.text = std::string("differs: the alignment ") +
                 (line ? "runs on a tangent"
                       : "curves " + TurnName(e.turn) + " with radius " + Radius(radius)) +
                 " here; coded " + CodedText(block);
    // A radius the block card cannot hold is said, not offered.
    const std::string radiusText = line ? "" : Format(radius, "0.0000");
    if (CheckNumberText(HeaderNumberRange(HeaderNumber::RadiusBl), radiusText) ==
        TextCheck::Acceptable)
        check.correction = {line ? "Tangent" : TurnName(e.turn), radiusText};
    return check;
}

std::vector<std::string> CheckTable(const std::vector<BlockCheck>& checks,
                                    const std::string& alignmentName) {
    std::vector<std::string> lines = {"Blk  " + PadField("Description", kDescriptionLength, "R") +
                                      "  " + PadField("Stations", 22, "R") + "  " +
                                      PadField("Coded", 16, "R") + "  " +
                                      PadField("Alignment", 16, "R") + "  Verdict"};
    int counts[5] = {};
    for (const BlockCheck& c : checks) {
        const CodedBlock& b = c.coded;
        lines.push_back(PadField(std::to_string(b.block), 3, "L") + "  " +
                        PadField(b.description, kDescriptionLength, "R") + "  " +
                        PadField(StationRange(b), 22, "R") + "  " +
                        PadField(CodedText(b), 16, "R") + "  " + PadField(c.alignment, 16, "R") +
                        "  " + c.text);
        ++counts[static_cast<int>(c.verdict)];
    }
    std::string summary = std::to_string(checks.size()) +
                          (checks.size() == 1 ? " block" : " blocks") + " against alignment " +
                          alignmentName + ": " + std::to_string(counts[0]) + " agree, " +
                          std::to_string(counts[1]) + " differ, " + std::to_string(counts[2]) +
                          " cross, " + std::to_string(counts[3]) + " outside";
    if (counts[4] > 0) summary += ", " + std::to_string(counts[4]) + " not checked";
    lines.push_back(summary);
    return lines;
}

Result<const Alignment*> ChooseAlignment(const LandXmlFile& file, const std::string& name) {
    if (!name.empty()) {
        if (const Alignment* a = file.Find(name)) return a;
    } else if (file.alignments.size() == 1) {
        return &file.alignments.front();
    }
    std::string names;
    for (const Alignment& a : file.alignments)
        names += (names.empty() ? "" : ", ") + a.name;
    return Failure(Message{(name.empty() ? std::string("The file holds several alignments")
                                         : "The file holds no alignment named " + name) +
                               ": choose one of " + names + ".",
                           "Alignment File Error", MessageKind::Critical});
}

} // namespace sidewalk
