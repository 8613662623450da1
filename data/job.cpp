// Job-wide routines that work on the in-memory job only.
#include "data/job.hpp"

#include "data/text.hpp"

namespace sidewalk {

void ClearJob(Job& job) {
    job.fileTag.clear();
    job.idxRefNum.clear();
    job.idxProject.clear();
    job.idxDate.clear();
    job.idxEng.clear();
    job.jobUnits.clear();
    job.dataSaved = false;
    job.headers.fill(BlockHeader{});
}

bool CheckBlockRows(const Job& job) {
    for (int r = 1; r <= kMaxRows; ++r)
        if (!job.row(r).type.empty()) return true;
    return false;
}

void ClearBlockRows(Job& job) {
    job.rows.fill(BlockRow{});
}

std::vector<std::string> FillBlockList(const Job& job) {
    std::vector<std::string> lines;
    lines.reserve(kMaxBlocks);
    for (int n = 1; n <= kMaxBlocks; ++n)
        lines.push_back("Blk " + StrInt(n) + " " + job.header(n).blkDesc);
    return lines;
}

BlockHeaderFields LoadBlockHeader(const Job& job, int n) {
    const BlockHeader& h = job.header(n);
    BlockHeaderFields f;
    f.direction = "Tangent";
    if (h.aliTyp == "R") f.direction = "Right";
    if (h.aliTyp == "L") f.direction = "Left";
    f.side = h.blSide == "L" ? "Left" : "Right";
    f.bcbsw = h.bcbsw;
    f.widsw = h.widsw;
    f.w1 = h.w1;
    f.w2 = h.w2;
    f.radiusBl = h.radiusBl;
    f.blkDesc = h.blkDesc;
    return f;
}

void StoreBlockHeader(Job& job, int n, const BlockHeaderFields& fields) {
    BlockHeader& h = job.header(n);
    h.aliTyp = UpperCase(fields.direction).substr(0, 1);
    h.blSide = UpperCase(fields.side).substr(0, 1);
    h.bcbsw = fields.bcbsw;
    h.widsw = fields.widsw;
    h.w1 = fields.w1;
    h.w2 = fields.w2;
    h.radiusBl = fields.radiusBl;
    h.blkDesc = UpperCase(fields.blkDesc);
}

} // namespace sidewalk
