// The card layouts of a card file: the header card, the block card (type "11") and the row card
// (types "00".."09"). A numeric value whose text would be wider than its field is refused, since
// it would shift the columns after it and be misread later.
#pragma once

#include <optional>
#include <string>

#include "data/card_layout.hpp"
#include "data/job.hpp"
#include "data/message.hpp"

namespace sidewalk {

// "CRZ41 ", Ref No. in 7, Project No. in 11, Date in 10, units, Engineer; no line end.
std::string HeaderCard(const Job& job);

// Block card of slot n (no line end), or an error naming the block and the field whose value
// does not fit.
Result<std::string> BlockCard(const Job& job, int n);

// Row card of one grid row (no line end); block and row name it in an error.
Result<std::string> RowCard(const BlockRow& row, int block, int rowNo);

} // namespace sidewalk
