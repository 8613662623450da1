// The print system over the system's print spooler (CUPS): its queues are the printers, their
// PPD page sizes and input slots the papers and bins; a document is painted into a PDF on the
// chosen paper and submitted as a print job with that paper, slot and orientation.
#pragma once

#include "print/print_system.hpp"

namespace sidewalk::ui {

class CupsPrintSystem : public PrintSystem {
  public:
    // spoolFile: where each document's PDF is made before it goes to the spooler.
    explicit CupsPrintSystem(std::string spoolFile) : spoolFile_(std::move(spoolFile)) {}

    std::vector<std::string> PrinterNames() override;
    std::string DefaultPrinterName() override;
    Result<PrinterFacts> OpenPrinter(const std::string& name) override;
    std::unique_ptr<Printer> StartDocument(const CurrentPrinter& printer, const std::string& title,
                                           int copies = 1) override;

    bool SpoolerAnswers() override { return SpoolerReached(); }

    // Whether the print spooler can be reached at all, and where it is looked for.
    static bool SpoolerReached();
    static std::string SpoolerName();

  private:
    std::string spoolFile_;
};

// The number of a paper by its size in points: its usual Windows paper number where it has one,
// otherwise 256 + its place in the list (from 1).
int PaperNumber(QSizeF points, int place);

// The number of a bin by its keyword: the usual bin numbers (upper 1, lower 2, manual 4, auto 7,
// and so on) where one fits, otherwise 256 + its place in the list (from 1).
int BinNumber(const std::string& keyword, int place);

} // namespace sidewalk::ui
