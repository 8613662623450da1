// The lines a report run writes for its cards: return and item lines, and every notice and error
// box, each counted on the page as the report's pagination has it.
#pragma once

#include <string_view>

#include "report/block_figures.hpp"
#include "report/report_writer.hpp"

namespace sidewalk {

// What a block header's checks say.
enum class HeaderNotice { SidewalkWider, WidthUnreasonable, DistanceUnreasonable, RadiusNotCoded };

// The whole report of a file whose first card has neither tag.
void WriteConversionNotice(ReportWriter& w);

// A card whose type is no type: its line and the error, then a new page.
void WriteInvalidCard(ReportWriter& w, int type, double length, std::string_view station);

// An item before the block's first return; then a new page.
void WriteFirstCardError(ReportWriter& w);

// A block that never got its closing return: at the next block card (atBlockCard) or at the end
// of the file; then a new page.
void WriteLastCardError(ReportWriter& w, bool atBlockCard);

void WriteHeaderNotice(ReportWriter& w, HeaderNotice notice);

// " TYPE 01  STA OF RADIUS POINT = ...    RADIUS TO BACK OF CURB = ...".
void WriteReturnLine(ReportWriter& w, int type, std::string_view station, double radius);

// The box of a return or block end that cannot be computed; it is not counted.
void WriteCannotCompute(ReportWriter& w, CannotCompute why);

// Deductions longer than the block; first a new page when more than 45 lines are used.
void WriteImpossibleLengths(ReportWriter& w);

void WriteDrivewayOverLimit(ReportWriter& w);

// The line of an item card of type 0, 2, 3 or 5 to 9; extraCurbNo numbers a type 6.
void WriteItemLine(ReportWriter& w, int type, double figure, std::string_view station,
                   int extraCurbNo);

} // namespace sidewalk
