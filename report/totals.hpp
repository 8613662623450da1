// The block totals under a computed block's item lines, and the job's grand totals.
#pragma once

#include "report/block_figures.hpp"
#include "report/page.hpp"

namespace sidewalk {

// Writes a block's area and curb lines, first starting a new page when more than 50 lines of
// the page are used.
void WriteBlockTotals(ReportWriter& w, const BlockFigures& block);

// Writes the job's grand totals, without a page check.
void WriteGrandTotals(ReportWriter& w, const JobFigures& job);

} // namespace sidewalk
