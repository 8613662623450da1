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
        Job rows; // the block file's rows, apart from the job's open ones
        const std::string file = ws.BlockFileName(n);
        const int error = ReadBlockFile(ws, file, rows);
        NumberedSketch numbered{n, SketchBlock(job.header(n), rows.rows, IsMetric(job.jobUnits))};
        if (error != 0 && error != ENOENT)
            numbered.sketch.warnings.push_back("Cannot read the file " + file + ": " +
                                               ReadErrorText(error));
        sketches.push_back(std::move(numbered));
    }
    return sketches;
}

} // namespace sidewalk
