// Naming the current printer's paper, orientation and bin from its driver's lists, and the
// texts the print dialog and the printer setup window build from them.
#pragma once

#include <QPageSize>
#include <optional>
#include <string>
#include <string_view>

#include "print/print_system.hpp"

namespace sidewalk::ui {

struct PrinterDescription {
    std::string paperName = "Not Defined";
    std::string orientationName = "Portrait";
    std::string binName = "Not Defined";
};

// DescribePrinter: the names of the paper and the bin whose numbers are the current printer's,
// "Not Defined" where none is; a printer that cannot be opened has the papers for a file.
PrinterDescription DescribePrinter(PrintSystem& system, const CurrentPrinter& printer);

// A paper's size as a page size for the PDF painter; Letter for a paper of no known size.
QPageSize PageSizeOf(const PrinterChoice& paper);

// A paper or bin list entry: the number, two blanks and the name, trimmed at both ends.
std::string ChoiceEntryText(const PrinterChoice& choice);

// The number an entry begins with: the text before its first blank, once trimmed, when that is
// a whole number of 16 bits; nothing for an entry that holds none.
std::optional<int> ChoiceNumber(std::string_view entry);

// The print dialog's three status lines; the first says so in words when there is no printer
// at all (no spooler answers, or it has no printers).
std::string PrinterLine(const CurrentPrinter& printer);
std::string NoPrinterLine(bool spoolerAnswers);
std::string PaperLine(const PrinterDescription& description);
std::string BinLine(const PrinterDescription& description);

} // namespace sidewalk::ui
