// The print system the printing windows work with: the installed printers, each one's papers
// and bins as the numbered lists of its driver, the current printer, and the documents sent to
// a printer. One implementation talks to the system's print spooler, one in memory serves tests.
#pragma once

#include <QMarginsF>
#include <QSizeF>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "data/message.hpp"
#include "print/printer.hpp"

namespace sidewalk::ui {

// One paper or bin of a printer's driver: its number and name as the lists show them, the
// driver's own keyword for it, and for a paper its size in points and the margins outside its
// printable area (points, the sheet upright).
struct PrinterChoice {
    int number = 0;
    std::string name;
    std::string keyword;
    QSizeF points;
    QMarginsF unprintable;
};

// What opening a printer tells: its port and its driver's lists, with the driver's defaults.
struct PrinterFacts {
    std::string port;
    std::vector<PrinterChoice> papers;
    std::vector<PrinterChoice> bins;
    int defaultPaper = 0;
    int defaultBin = 0;
};

// How a report lies on the sheet; the numbers are the print dialog's own (1 and 2).
enum class Orientation { Portrait = 1, Landscape = 2 };

// The current printer: its device name and port, its orientation, and
// its paper size and bin as numbers of its driver's lists. Settings apply to the next document.
struct CurrentPrinter {
    std::string deviceName;
    std::string port;
    Orientation orientation = Orientation::Portrait;
    int paperSize = 0;
    int paperBin = 0;
};

class PrintSystem {
  public:
    virtual ~PrintSystem() = default;
    // The installed printers, in the system's order.
    virtual std::vector<std::string> PrinterNames() = 0;
    // The system's default printer; empty when there is none.
    virtual std::string DefaultPrinterName() = 0;
    // Whether a print spooler answers at all (with no printers, the reason there are none).
    virtual bool SpoolerAnswers() = 0;
    // The printer's port and lists, or what says why it cannot be opened.
    virtual Result<PrinterFacts> OpenPrinter(const std::string& name) = 0;
    // A document on the printer as set: what is printed into it goes to the spooler when it
    // ends, as one job the spooler prints copies times, and the end tells when the spooler did
    // not take it.
    virtual std::unique_ptr<Printer> StartDocument(const CurrentPrinter& printer,
                                                   const std::string& title, int copies = 1) = 0;
};

// The named printer as the current printer: its port, its driver's default paper and bin, and
// portrait. A printer that cannot be opened keeps its name, with no port or bin, and the first
// of the papers for a file (US Letter), which a PDF is then made on. The
// second form takes what opening it gave, for a caller that needs its lists as well.
CurrentPrinter SelectPrinter(PrintSystem& system, const std::string& name);
CurrentPrinter SelectPrinter(const std::string& name, const Result<PrinterFacts>& opened);

// The paper of that number in the list, or nothing.
const PrinterChoice* FindChoice(const std::vector<PrinterChoice>& list, int number);

// Makes every number in a driver's list its own: a number an earlier entry already has becomes
// 256 + the entry's place (from 1), so the entry chosen is the entry named and sent.
void MakeNumbersUnique(std::vector<PrinterChoice>& list);

// The papers offered where no printer can be opened, for a PDF: Letter, Legal and A4.
const std::vector<PrinterChoice>& FilePapers();

// The papers of a printer as opened, or those for a file when it cannot be opened.
const std::vector<PrinterChoice>& PapersOf(const Result<PrinterFacts>& opened);

// Another printer made current after `from`: the paper and bin of the same names where the new
// printer's lists have them (else its defaults), the orientation kept.
CurrentPrinter SwitchPrinter(const CurrentPrinter& from, const Result<PrinterFacts>& fromOpened,
                             const std::string& name, const Result<PrinterFacts>& opened);

} // namespace sidewalk::ui
