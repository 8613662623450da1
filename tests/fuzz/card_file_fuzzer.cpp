// A coverage-guided fuzzer over the core (libFuzzer): any bytes read as a data file; what was read
// is written, read back and written again, and the two writes must be the same bytes; the
// report of it must show no figure that is not a finite number, nor any sketch of its blocks. Built
// by ./run fuzz under AddressSanitizer and UndefinedBehaviorSanitizer, so a crash, leak or
// undefined behaviour is a finding too.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "compute/run_report.hpp"
#include "compute/sketch_svg.hpp"
#include "data/reader.hpp"
#include "data/writer.hpp"
#include "session/job_sketches.hpp"
#include "session/runtime_dir.hpp"

namespace {

using namespace sidewalk;

Workspace MustMakeWorkspace() {
    const auto parent = WorkspaceParent(); // a memory file system, as ./run fuzz sets it
    if (!parent) {
        std::fprintf(stderr, "%s\n", parent.error().text.c_str());
        std::abort();
    }
    auto ws = Workspace::Create(*parent);
    if (!ws) {
        std::fprintf(stderr, "%s\n", ws.error().text.c_str());
        std::abort();
    }
    return std::move(*ws);
}

void Finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace first = MustMakeWorkspace();
    static Workspace second = MustMakeWorkspace();
    first.DeleteBlockFiles();
    second.DeleteBlockFiles();

    Job job;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    if (!ReadDataFile(job, first, in, "FUZZ.V41").has_value()) return 0;
    const Result<std::string> once = CardFileText(job, first);
    if (!once) return 0; // a value wider than its card: refused, as a save would refuse it

    Job again;
    std::istringstream back(*once);
    if (!ReadDataFile(again, second, back, "FUZZ.V41").has_value())
        Finding("a written file is not read");
    const Result<std::string> twice = CardFileText(again, second);
    if (!twice || *twice != *once) Finding("a file written, read and written again changed");

    std::vector<std::string_view> cards;
    for (std::size_t at = 0; at < once->size();) {
        const std::size_t end = once->find("\r\n", at);
        cards.push_back(std::string_view(*once).substr(at, end - at));
        at = end + 2;
    }
    const RunOutcome run = RunCards("ZARN V4.2.0 04/2006", cards, RunOptions{0});
    const JobFigures& g = run.grand;
    if (!std::isfinite(g.grand4Area) || !std::isfinite(g.grand6Area) ||
        !std::isfinite(g.grandGrassArea) || !std::isfinite(g.grandCurb))
        Finding("a job total is not finite");
    for (const BlockSummary& b : run.blocks)
        for (double figure : {b.sw4Area, b.sw6Area, b.grassArea, b.roadwayCurb, b.return1Curb,
                              b.return2Curb, b.totalCurb})
            if (!std::isfinite(figure)) Finding("a block figure is not finite");
    // The report's texts are upper-cased: these can only come from a figure.
    for (const char* word : {"nan", "NaN", "inf", "Infinity"})
        if (run.report.find(word) != std::string::npos)
            Finding("the report shows a figure that is not finite");
    // Each block's sketch, as the command writes it: every number in it is one.
    for (const NumberedSketch& s : SketchJob(job, first))
        for (const char* word : {"NaN", "Infinity"})
            if (SketchSvg(s.sketch).find(word) != std::string::npos)
                Finding("a sketch holds a number that is not finite");
    return 0;
}
