// Drawing each described block of a job from its block file.
#include "session/job_sketches.hpp"

#include <cerrno>

#include "data/block_file.hpp"
#include "data/file_text.hpp"
#include "data/units.hpp"

namespace sidewalk {

std::vector<NumberedSketch> SketchJob(const Job& job, const Workspace& ws) {
    std::vector<NumberedSketch> sketches;
    for (int n = 1; n <= kMaxBlocks; ++n) {
        if (job.header(n).blkDesc.empty()) continue;
        // The block file's cards as they stand, as the report's work file takes them.
        const std::string file = ws.BlockFileName(n);
        const Result<FileBytes> bytes = ws.Read(file);
        std::vector<std::string> cards;
        if (bytes)
            for (std::string_view line : SplitLines(bytes->view()))
                cards.emplace_back(line);
        NumberedSketch numbered{n, SketchBlock(job.header(n), std::span<const std::string>(cards),
                                               IsMetric(job.jobUnits))};
        if (!bytes && bytes.error().systemError != ENOENT) // a block without rows has no file
            numbered.sketch.warnings.push_back(bytes.error().text);
        sketches.push_back(std::move(numbered));
    }
    return sketches;
}

} // namespace sidewalk
