// The two routines that send the report elsewhere: a copy to a file, and the printing of a
// page range, a new sheet at each form-feed line. Each takes the report's text as the run made
// it (or a selection of it), not a file to read back.
#pragma once

#include <optional>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/job.hpp"
#include "data/message.hpp"
#include "data/workspace.hpp"
#include "print/print_system.hpp"
#include "print/printer.hpp"

namespace sidewalk::ui {

// The report's font on paper.
inline constexpr const char* kReportFont = "Courier New";
inline constexpr int kReportPoints = 12;

// Copies the report line by line to dest, each line ended by CR LF; dest is replaced only once
// it is wholly written. An error names the file that could not be written.
Status CopyReportToFile(std::string_view report, const std::string& dest);

// The pages, first and last, of each block's section of a report, in the report's order: from
// the page of its "BLOCK IDENTIFICATION" line to the page where the next section begins.
std::vector<std::pair<int, int>> BlockSectionPages(std::string_view report);

// The sketch sheets of a job's described blocks to print after the pages from..to of its report
// (0 for from: every block's; else those whose report section lies on those pages), each
// headed with the job's Ref No., the block, its description and "SKETCH N OF M".
std::vector<BlockSketch> SketchSheets(const Job& job, const Workspace& ws, std::string_view report,
                                      int from, int to);

// Pages first..last of the report as the print dialog and the print command take them: each
// 0 (the first, the last) or a page of the report, first not after last. Refused, naming the
// report's page count, before anything is printed.
Status CheckPageRange(std::string_view report, int first, int last);

// Prints pages first..last of the report (0 for first is 1, 0 for last is 9999) in the
// report's font: the lines of those pages, a new sheet where a form-feed line starts a printed page
// after the first, and always the end of the document, even when nothing was printed. With
// copies above 1, the pages are printed that many
// times one after another in the one document, each copy from a new sheet. Each copy ends with
// the sketches given, a sheet each. going, when given, is told the sheets begun and their count
// before each sheet; when it answers false the document is dropped, not ended, and nothing
// reaches the printer or the file.
using PrintProgress = std::function<bool(int begun, int sheets)>;
Status PrintReportPages(std::string_view report, int first, int last, Printer& printer,
                        int copies = 1, std::span<const BlockSketch> sketches = {},
                        const PrintProgress& going = {});

// Prints the pages on a printer of the print system in so many copies, one print job called
// title that the spooler prints copies times; says why when the printer does not take it.
Status PrintReportCopies(PrintSystem& system, const CurrentPrinter& printer,
                         const std::string& title, std::string_view report, int first, int last,
                         int copies, std::span<const BlockSketch> sketches = {},
                         const PrintProgress& going = {});

} // namespace sidewalk::ui
