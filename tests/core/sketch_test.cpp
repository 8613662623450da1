// The block sketch against the report: what it draws measures what the report computes. The
// drawn areas of sidewalk and grass, the face of curb along the block and along each return,
// where each return ends and which way it turns; a return the report cannot compute is marked.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compute/block_sketch.hpp"
#include "compute/run_report.hpp"
#include "data/cards.hpp"
#include "data/file_text.hpp"
#include "session/job_sketches.hpp"
#include "session/session.hpp"

namespace sidewalk {
namespace {

// The signed area of a closed path of lines and arcs: its chords, and each arc's segment.
double Area(const SketchPath& path) {
    double twice = 0;
    SketchPoint at = path.from;
    auto chord = [&twice](SketchPoint a, SketchPoint b) { twice += a.x * b.y - b.x * a.y; };
    for (const SketchPiece& piece : path.pieces) {
        chord(at, piece.to);
        if (piece.arc) twice += piece.radius * piece.radius * (piece.sweep - std::sin(piece.sweep));
        at = piece.to;
    }
    chord(at, path.from);
    return twice / 2;
}

double Total(const BlockSketch& s, SketchInk ink) {
    double sum = 0;
    for (const SketchPath& path : s.paths)
        if (path.area && path.ink == ink) sum += std::abs(Area(path));
    return sum;
}

// The curb areas of the returns, first to last, after the block's own; each starts with its
// face of curb.
std::vector<const SketchPath*> ReturnCurbs(const BlockSketch& s) {
    std::vector<const SketchPath*> curbs;
    for (const SketchPath& path : s.paths)
        if (path.area && path.ink == SketchInk::Curb) curbs.push_back(&path);
    curbs.erase(curbs.begin());
    return curbs;
}

double Distance(SketchPoint a, SketchPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

TEST(Sketch, WhatIsDrawnMeasuresWhatTheReportComputes) {
    // first, closing: a return's type and radius; backOfSidewalk: from the baseline, or from
    // the curve's centre
    // clang-format off
    const struct { const char* name; BlockHeader header; const char *first, *closing; double backOfSidewalk; bool computed; } cases[] = {
        {"tangent, left", {"T", "L", "10", "4", "20", "22", "", "A"}, "1 25", "4 30", 30.5, true},
        {"tangent, right", {"T", "R", "10", "4", "20", "22", "", "B"}, "4 30", "1 25", 32.5, true},
        {"right curve, outside", {"R", "L", "10", "4", "20", "22", "500", "C"}, "1 25", "4 30", 530.5, true},
        {"right curve, inside", {"R", "R", "10", "4", "20", "22", "500", "D"}, "4 30", "1 25", 467.5, true},
        {"left curve, outside", {"L", "R", "8", "8", "20", "22", "400", "E"}, "4 20", "4 40", 430.5, true},
        {"left curve, inside", {"L", "L", "8", "3", "20", "22", "400", "F"}, "1 40", "4 20", 371.5, true},
        {"return radius below D", {"T", "L", "10", "4", "20", "22", "", "G"}, "1 25", "1 5", 30.5, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        Job job;
        job.jobUnits = "E";
        job.header(1) = c.header;
        const std::string first = c.first, closing = c.closing;
        std::vector<BlockRow> rows = {{},
                                      {first.substr(0, 1), "", "10", "0", first.substr(2)},
                                      {closing.substr(0, 1), "", "13", "0", closing.substr(2)}};
        const RunOutcome report =
            RunCards("V",
                     std::vector<std::string>{HeaderCard(job), *BlockCard(job, 1),
                                              *RowCard(rows[1], 1, 1), *RowCard(rows[2], 1, 2)},
                     RunOptions{0});
        ASSERT_EQ(report.blocks.size(), 1u) << c.name;
        const BlockSummary& b = report.blocks[0];
        const BlockSketch s = SketchBlock(job.header(1), rows, false);
        ASSERT_EQ(s.returns.size(), 2u) << c.name;
        EXPECT_EQ(s.returns[0].station + s.returns[1].station, "10+00.00013+00.000");
        EXPECT_EQ(s.returns[1].computed, c.computed) << c.name;
        EXPECT_EQ(b.status == BlockStatus::Computed, c.computed) << c.name;
        const std::vector<const SketchPath*> curbs = ReturnCurbs(s);
        ASSERT_EQ(curbs.size(), c.computed ? 2u : 1u) << c.name;
        if (!c.computed) {
            EXPECT_EQ(s.labels[0].text, "SITUATION CANNOT BE COMPUTED");
            EXPECT_NE(report.report.find("SITUATION CANNOT BE COMPUTED"), std::string::npos);
            continue;
        }
        EXPECT_NEAR(Total(s, SketchInk::Sidewalk), b.sw4Area, 1e-6) << c.name;
        EXPECT_NEAR(Total(s, SketchInk::Grass), b.grassArea, 1e-6) << c.name;
        EXPECT_NEAR(s.roadwayCurb, b.roadwayCurb, 1e-9) << c.name;
        const double returnCurbs[] = {b.return1Curb, b.return2Curb};
        const double radius = c.header.radiusBl.empty() ? 0 : std::stod(c.header.radiusBl);
        const double bend = c.header.aliTyp == "L" ? 1 : -1;
        for (std::size_t i = 0; i < 2; ++i) {
            const SketchPiece& face = curbs[i]->pieces[0];
            EXPECT_NEAR(face.radius * std::abs(face.sweep), returnCurbs[i], 1e-9) << c.name;
            EXPECT_NEAR(s.returns[i].curb, returnCurbs[i], 1e-9) << c.name;
            // The back of curb ends on the back of sidewalk, turned away from the block.
            const SketchPoint end = curbs[i]->pieces[1].to, start = curbs[i]->from;
            EXPECT_NEAR(radius > 0 ? Distance(end, {0, bend * radius}) : std::abs(end.y),
                        c.backOfSidewalk, 1e-6)
                << c.name << " return " << i;
            const double a = radius > 0 && i == 1 ? 300 / radius : 0; // the baseline's heading
            const double ahead =
                (end.x - start.x) * std::cos(a) + (end.y - start.y) * bend * std::sin(a);
            EXPECT_EQ(ahead > 0, i == 1) << c.name << " return " << i;
        }
        // The block's face of curb is drawn as long as the report's roadway curb.
        for (const SketchPath& path : s.paths)
            if (!path.area && path.ink == SketchInk::Curb) {
                const SketchPiece& p = path.pieces.back();
                EXPECT_NEAR(p.arc ? p.radius * std::abs(p.sweep) : Distance(path.from, p.to),
                            b.roadwayCurb, 1e-9)
                    << c.name;
            }
    }
}

// A block coded against the stationing is drawn as the same block coded along it; an item
// past a return is flagged, and a row whose station is not typed yet is left out.
TEST(Sketch, ABlockCodedBackwardsIsDrawnAsCodedForwards) {
    const BlockHeader header{"R", "R", "10", "4", "20", "22", "500", "E"};
    const std::vector<BlockRow> forward = {{"4", "", "10", "0", "30"},
                                           {"7", "50", "11", "0", ""},
                                           {"2", "24", "12", "90", ""},
                                           {"1", "", "13", "0", "25"},
                                           {"5", "9", "", "", ""}};
    const BlockSketch ahead = SketchBlock(header, forward, false);
    const std::vector<BlockRow> backward = {forward[3], forward[2], forward[1], forward[0],
                                            forward[4]};
    const BlockSketch back = SketchBlock(header, backward, false);
    EXPECT_LT(Distance(ahead.low, back.low) + Distance(ahead.high, back.high), 1e-6);
    ASSERT_EQ(ahead.labels.size(), back.labels.size());
    for (const SketchLabel& label : ahead.labels)
        EXPECT_TRUE(std::any_of(back.labels.begin(), back.labels.end(), [&](const SketchLabel& b) {
            return b.text == label.text && Distance(b.at, label.at) < 1e-6;
        })) << label.text;
    EXPECT_EQ(ahead.labels[1].text, "2  12+90.000  OUTSIDE THE BLOCK"); // 12 ft past 13+00
    EXPECT_EQ(ahead.labels[1].ink, SketchInk::Warning);
}

// The first word of a text after its blanks.
std::string Token(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return std::string(text.substr(0, text.find(' ')));
}

// Every test and sample job, block by block: the sketch's returns and items are at the stations
// the report prints for them, and it says each card the report calls invalid.
TEST(Sketch, AgreesWithTheReportOnEveryTestJob) {
    std::vector<std::filesystem::directory_entry> jobs;
    for (const char* folder : {SIDEWALK_TESTS_DIR "/data", SIDEWALK_EXAMPLES_DIR})
        jobs.insert(jobs.end(), std::filesystem::directory_iterator(folder), {});
    for (const auto& entry : jobs) {
        const std::string name = entry.path().filename().string();
        auto session = Session::Create();
        if (!(name.ends_with(".V41") || name.ends_with(".WRK")) ||
            !session->Open(entry.path()).has_value())
            continue;
        const Result<RunOutcome> run = session->Report();
        ASSERT_TRUE(run) << name;
        // Each section's first two returns, its items and (counted) its invalid cards.
        std::vector<std::vector<std::string>> printed;
        for (std::string_view line : SplitLines(run->report)) {
            if (line.starts_with("BLOCK IDENTIFICATION")) printed.push_back({"", "", ""});
            if (printed.empty()) continue;
            std::vector<std::string>& p = printed.back();
            if (line.find("RADIUS POINT =") != line.npos &&
                std::count(p[0].begin(), p[0].end(), ' ') < 2)
                p[0] += Token(line.substr(line.find('=') + 1)) + " ";
            else if (line.starts_with(" XXXX"))
                p[2] += "X";
            else if (line.find("APPROX STA.") != line.npos)
                p[1] += Token(line.substr(line.rfind(' '))) + " ";
        }
        const std::vector<NumberedSketch> sketches =
            SketchJob(session->job(), session->workspace());
        ASSERT_EQ(sketches.size(), printed.size()) << name;
        for (std::size_t k = 0; k < sketches.size(); ++k) {
            std::vector<std::string> drawn = {"", "", ""};
            for (const SketchReturn& r : sketches[k].sketch.returns)
                drawn[0] += r.station + " ";
            for (const SketchLabel& l : sketches[k].sketch.labels)
                if (l.marked && l.ink != SketchInk::Baseline && l.text.find("  ") != l.text.npos)
                    drawn[1] += Token(std::string_view(l.text).substr(l.text.find("  "))) + " ";
            for (const std::string& w : sketches[k].sketch.warnings)
                if (w.starts_with("ERROR-CARD TYPE NOT VALID")) drawn[2] += "X";
            EXPECT_EQ(drawn, printed[k]) << name << ", block " << k + 1;
        }
    }
}

} // namespace
} // namespace sidewalk
