// sidewalk-print: prints a report file (PRINT.SPL, a saved .PRN, or - for standard input)
// through the desktop program's own printing code, on a printer of the print system or into a
// PDF, for batch work; --list shows the printers with their papers and trays.
#include <QGuiApplication>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "data/file_text.hpp"
#include "data/text.hpp"
#include "data/version.hpp"
#include "data/workspace.hpp"
#include "print/cups_print_system.hpp"
#include "print/pdf_printer.hpp"
#include "print/printer_setup.hpp"
#include "print/report_printing.hpp"
#include "session/runtime_dir.hpp"
#include "session/session.hpp"
#include "session/stale_workspaces.hpp"

namespace {

using namespace sidewalk;
using namespace sidewalk::ui;

constexpr const char* kUsage =
    "usage: sidewalk-print [--printer QUEUE | --pdf FILE] [--paper NAME] [--tray NAME]\n"
    "                      [--landscape] [--pages FROM-TO] [--copies N]\n"
    "                      [--sketches JOB.V41] REPORT\n"
    "       sidewalk-print --list\n"
    "       sidewalk-print --help | --version\n"
    "\n"
    "Prints the report file REPORT (- for standard input) as the desktop program prints it:\n"
    "Courier New at 12 points, six lines an inch, a new sheet at each page break.\n"
    "\n"
    "  --printer QUEUE  print on this printer (the default printer when absent)\n"
    "  --pdf FILE       write the printed sheets to FILE as a PDF instead\n"
    "  --paper NAME     a paper of the printer, as --list names it, in any case (for a PDF:\n"
    "                   US Letter, the default, US Legal or A4; Letter and Legal will do)\n"
    "  --tray NAME      a tray of the printer, as --list names it\n"
    "  --landscape      print across the sheet\n"
    "  --pages FROM-TO  print only these pages (0 for FROM: the first; 0 for TO: the last)\n"
    "  --copies N       print N copies (1 to 32767; 1 when absent): one print job that the\n"
    "                   spooler prints N times; with --pdf, N copies one after another\n"
    "  --sketches JOB   after each copy, a sheet with the plan sketch of each described block\n"
    "                   of the data file JOB (with --pages, those of the blocks on them)\n"
    "  --list           show the printers, with their papers and trays\n"
    "\n"
    "Exit status: 0 printed; 2 not printed (a printer, paper or tray that does not exist, a\n"
    "report that cannot be read, a print job the printer did not take). Errors are told on\n"
    "standard error as TITLE: TEXT.\n";

// A problem as the commands tell it: TITLE: TEXT on standard error; nothing printed.
int Fail(const Message& message) {
    std::cerr << message.title << ": " << message.text << '\n';
    return 2;
}
int Fail(const std::string& title, const std::string& text) {
    return Fail(Message{text, title, MessageKind::Error});
}
int Usage(const std::string& text) {
    std::cerr << "Command Line: " << text << "\n\n" << kUsage;
    return 2;
}

// The number of the paper or tray of that name (or driver keyword, in any case), or nothing.
std::optional<int> NumberNamed(const std::vector<PrinterChoice>& list, const std::string& name) {
    const std::string wanted = UpperCase(name);
    for (const PrinterChoice& c : list)
        if (UpperCase(c.name) == wanted || UpperCase(c.keyword) == wanted) return c.number;
    return std::nullopt;
}

std::string Names(const std::vector<PrinterChoice>& list) {
    std::string names;
    for (const PrinterChoice& c : list)
        names += (names.empty() ? "" : ", ") + c.name;
    return names.empty() ? "none" : names;
}

int List(PrintSystem& system) {
    if (!CupsPrintSystem::SpoolerReached())
        return Fail("Printer",
                    "no print spooler answers at " + CupsPrintSystem::SpoolerName() + ".");
    const std::string standard = system.DefaultPrinterName();
    const std::vector<std::string> names = system.PrinterNames();
    if (names.empty()) std::cout << "No printers are set up.\n";
    for (const std::string& name : names) {
        std::cout << name << (name == standard ? " (default)" : "");
        const auto opened = system.OpenPrinter(name);
        const auto* facts = (opened ? &*opened : nullptr);
        if (facts == nullptr) {
            std::cout << "\n  " << opened.error().text << '\n';
            continue;
        }
        std::cout << "  [" << facts->port << "]\n";
        for (const PrinterChoice& c : facts->papers)
            std::cout << "  paper " << ChoiceEntryText(c)
                      << (c.number == facts->defaultPaper ? " (default)" : "") << '\n';
        for (const PrinterChoice& c : facts->bins)
            std::cout << "  tray  " << ChoiceEntryText(c)
                      << (c.number == facts->defaultBin ? " (default)" : "") << '\n';
    }
    return 0;
}

// Standard input kept in a file of the workspace, so that each copy can read the report again;
// removed before the workspace folder is.
int Run(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<std::string> pdf, queue, paperName, trayName, sketchJob;
    std::string report;
    int first = 0, last = 0, copies = 1;
    bool landscape = false, list = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (a == "--version") {
            std::cout << "sidewalk-print " << VersionText() << '\n';
            return 0;
        } else if (a == "--list") {
            list = true;
        } else if (a == "--pdf" && hasValue) {
            pdf = args[++i];
        } else if (a == "--sketches" && hasValue) {
            sketchJob = args[++i];
        } else if (a == "--printer" && hasValue) {
            queue = args[++i];
        } else if (a == "--paper" && hasValue) {
            paperName = args[++i];
        } else if (a == "--tray" && hasValue) {
            trayName = args[++i];
        } else if (a == "--pages" && hasValue) {
            char end = 0;
            if (std::sscanf(args[++i].c_str(), "%d-%d%c", &first, &last, &end) != 2 || first < 0 ||
                last < 0)
                return Usage("--pages takes FROM-TO, two whole numbers");
        } else if (a == "--copies" && hasValue) {
            char end = 0;
            if (std::sscanf(args[++i].c_str(), "%d%c", &copies, &end) != 1 || copies < 1 ||
                copies > 32767)
                return Usage("--copies takes a whole number from 1 to 32767, as the print "
                             "dialog");
        } else if (a == "--landscape") {
            landscape = true;
        } else if (a == "--pdf" || a == "--printer" || a == "--paper" || a == "--tray" ||
                   a == "--pages" || a == "--copies" || a == "--sketches") {
            return Usage(a + " needs a value");
        } else if (a.size() > 1 && a[0] == '-') {
            return Usage("unknown option " + a);
        } else if (report.empty()) {
            report = a;
        } else {
            return Usage("one report at a time: " + report + " and " + a);
        }
    }
    if (list && (!report.empty() || pdf || queue || paperName || trayName || landscape ||
                 first != 0 || last != 0 || copies != 1 || sketchJob))
        return Usage("--list takes nothing else");
    if (report.empty() && !list) return Usage("no report named");
    if (pdf && (queue || trayName)) return Usage("--pdf takes no --printer and no --tray");

    // The spool files in a private folder of this run (mode 0700, a unique name), removed at
    // the end; never at a name others can guess in a shared folder.
    const Result<std::filesystem::path> parent = WorkspaceParent();
    if (!parent) return Fail(parent.error());
    SweepStaleWorkspaces(*parent); // those of killed runs with nothing to recover
    Result<Workspace> workspace = Workspace::Create(*parent);
    if (!workspace) return Fail(workspace.error());
    // Qt wants a runtime folder of the user's own; without one it warns. This run's is one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(workspace->TempDir()));
    // A command needs no display: fonts and PDF work on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CupsPrintSystem system(workspace->File("print.pdf"));
    if (list) return List(system);

    // The report, read once: from the file named, or from standard input for "-".
    std::string text;
    if (report == "-") {
        // No larger than a report file the program reads: a stream without end is refused.
        Result<std::string> read = ReadWholeStream(std::cin, report);
        if (!read) return Fail(read.error());
        text = std::move(*read);
    } else {
        const Result<FileBytes> bytes = ReadWholeFile(report);
        if (!bytes) return Fail(bytes.error());
        text = bytes->view();
    }

    if (const Status range = CheckPageRange(text, first, last); range.failed())
        return Fail(range.error());

    // The job's sketch sheets, drawn as the desktop program's print dialog draws them.
    std::vector<BlockSketch> sketches;
    std::optional<Session> job;
    if (sketchJob) {
        Result<Session> made = Session::Create(*parent);
        if (!made) return Fail(made.error());
        job.emplace(std::move(*made));
        const Result<CardFileRead> read = job->Open(*sketchJob);
        for (const Message& m : read ? read->notices : std::vector{read.error()})
            std::cerr << m.title << ": " << m.text << '\n';
        if (!read) return 2;
        sketches = SketchSheets(job->job(), job->workspace(), text, first, last);
    }

    if (pdf) {
        const std::optional<int> number = NumberNamed(FilePapers(), paperName.value_or("Letter"));
        const PrinterChoice* paper = number ? FindChoice(FilePapers(), *number) : nullptr;
        if (paper == nullptr)
            return Fail("Print Report", "no paper named " + *paperName +
                                            " for a PDF (papers: " + Names(FilePapers()) + ")");
        // Titled with the job's data file when it is given, else with the report's.
        const std::string title = std::filesystem::path(sketchJob ? *sketchJob : report).filename();
        PdfPrinter printer(*pdf, PageSizeOf(*paper),
                           landscape ? QPageLayout::Landscape : QPageLayout::Portrait, {}, title);
        const Status printed = PrintReportPages(text, first, last, printer, copies, sketches);
        return printed.failed() ? Fail(printed.error()) : 0;
    }

    const std::string name = queue ? *queue : system.DefaultPrinterName();
    const auto opened = system.OpenPrinter(name);
    CurrentPrinter printer = SelectPrinter(name, opened);
    const auto* facts = (opened ? &*opened : nullptr);
    if (facts == nullptr) return Fail(opened.error());
    const struct {
        const std::optional<std::string>& wanted;
        const std::vector<PrinterChoice>& list;
        int& setting;
        const char* what;
    } choices[] = {{paperName, facts->papers, printer.paperSize, "paper"},
                   {trayName, facts->bins, printer.paperBin, "tray"}};
    for (const auto& c : choices) {
        if (!c.wanted) continue;
        const std::optional<int> number = NumberNamed(c.list, *c.wanted);
        if (!number)
            return Fail("Printer", "the printer " + name + " has no " + c.what + " named " +
                                       *c.wanted + " (" + c.what + "s: " + Names(c.list) + ")");
        c.setting = *number;
    }
    printer.orientation = landscape ? Orientation::Landscape : Orientation::Portrait;
    const std::string title =
        std::filesystem::path(report == "-" ? "report" : report).filename().string();
    const Status printed =
        PrintReportCopies(system, printer, title, text, first, last, copies, sketches);
    return printed.failed() ? Fail(printed.error()) : 0;
}

} // namespace

int main(int argc, char** argv) {
    // A file size limit makes a write fail (EFBIG, told as any write error) rather than kill the
    // run half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail("Critical Error", "There is not enough memory for this report. Nothing was "
                                      "printed.");
    }
}
