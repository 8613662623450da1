// sidewalk-print: prints a report file (PRINT.SPL, a saved .PRN, or - for standard input)
// through the desktop program's own printing code, for batch work. For now it writes PDF.
#include <QGuiApplication>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "output/pdf_printer.hpp"
#include "output/report_printing.hpp"

namespace {

constexpr const char* kUsage =
    "usage: sidewalk-print --pdf FILE [--pages FROM-TO] [--landscape] [--paper NAME] REPORT\n"
    "\n"
    "Prints the report file REPORT (- for standard input) as the desktop program prints it:\n"
    "Courier New at 12 points, six lines an inch, a new sheet at each page break.\n"
    "\n"
    "  --pdf FILE       write the printed sheets to FILE as a PDF\n"
    "  --pages FROM-TO  print only these pages (0 for FROM: the first; 0 for TO: the last)\n"
    "  --landscape      print across the sheet\n"
    "  --paper NAME     Letter (the default), Legal or A4\n"
    "\n"
    "Printing to a printer queue is not available yet. Exit status: 0 printed; 2 not.\n";

int Fail(const std::string& text) {
    std::cerr << text << '\n';
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<std::string> pdf;
    std::string report;
    int first = 0;
    int last = 0;
    bool landscape = false;
    QPageSize paper(QPageSize::Letter);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (a == "--pdf" && hasValue) {
            pdf = args[++i];
        } else if (a == "--pages" && hasValue) {
            if (std::sscanf(args[++i].c_str(), "%d-%d", &first, &last) != 2 || first < 0 ||
                last < 0)
                return Fail("sidewalk-print: --pages takes FROM-TO, two whole numbers");
        } else if (a == "--landscape") {
            landscape = true;
        } else if (a == "--paper" && hasValue) {
            const std::string name = args[++i];
            if (name == "Letter")
                paper = QPageSize(QPageSize::Letter);
            else if (name == "Legal")
                paper = QPageSize(QPageSize::Legal);
            else if (name == "A4")
                paper = QPageSize(QPageSize::A4);
            else
                return Fail("sidewalk-print: no paper named " + name + " (Letter, Legal or A4)");
        } else if (report.empty() && (a == "-" || a.rfind("--", 0) != 0)) {
            report = a == "-" ? "/dev/stdin" : a;
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    if (report.empty() || !pdf) {
        std::cerr << kUsage;
        return 2;
    }
    // A command needs no display: fonts and PDF work on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    sidewalk::ui::PdfPrinter printer(*pdf, paper,
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (auto error = sidewalk::ui::PrintReportPages(report, first, last, printer))
        return Fail(error->title + ": " + error->text);
    return 0;
}
