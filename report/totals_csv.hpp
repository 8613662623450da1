// The block and job totals of a run as CSV (RFC 4180): a header row naming the units, one row
// per block in file order, then one row of job totals; figures with three decimals as printed.
#pragma once

#include <string>
#include <vector>

#include "report/block_figures.hpp"

namespace sidewalk {

std::string TotalsCsv(bool metric, const std::vector<BlockSummary>& blocks, const JobFigures& job);

} // namespace sidewalk
