// Report copying and page-range printing.
#include "print/report_printing.hpp"

#include "data/atomic_file.hpp"
#include "data/text.hpp"
#include "print/report_text.hpp"
#include "report/page.hpp"
#include "session/job_sketches.hpp"

#include <algorithm>

namespace sidewalk::ui {

Status CopyReportToFile(std::string_view report, const std::string& dest) {
    std::string copy;
    copy.reserve(report.size() + 2);
    LineCursor lines(report);
    for (std::string_view line; lines.Next(line);) {
        copy += line;
        copy += kLineEnd;
    }
    return WriteFileAtomically(dest, copy);
}

Status CheckPageRange(std::string_view report, int first, int last) {
    const int pages = static_cast<int>(SplitPages(report).size());
    if (first <= pages && last <= pages && (first == 0 || last == 0 || first <= last)) return {};
    return Failure({"The report has " + std::to_string(pages) + (pages == 1 ? " page" : " pages") +
                        ": From and To are pages 1 to " + std::to_string(pages) +
                        " (0 for the first and the last page), From not after To. Nothing was "
                        "printed.",
                    "Print Report", MessageKind::Error});
}

Status PrintReportPages(std::string_view report, int first, int last, Printer& printer, int copies,
                        std::span<const BlockSketch> sketches, const PrintProgress& going) {
    if (first == 0) first = 1;
    if (last == 0) last = 9999;
    printer.SetFont(kReportFont, kReportPoints);
    // Walks the pages in range: the widest line first, so the printer can fit it, then each.
    auto walk = [&](auto&& onLine, auto&& onNewPage) {
        int page = 1;
        LineCursor lines(report);
        for (std::string_view line; lines.Next(line);) {
            if (line.find('\f') == std::string_view::npos) {
                if (first <= page && page <= last) onLine(line);
                continue;
            }
            page += 1;
            if (first < page && page <= last) onNewPage();
        }
    };
    std::size_t widest = 0;
    int pages = 1;
    walk(
        [&](std::string_view line) {
            widest = std::max(widest, static_cast<std::size_t>(ReportText(line).size()));
        },
        [&] { ++pages; });
    printer.FitLineWidth(static_cast<int>(widest));
    const int sheets = std::max(copies, 1) * (pages + static_cast<int>(sketches.size()));
    int begun = 0;
    bool stopped = false;
    auto sheet = [&] { stopped = stopped || (going && !going(begun++, sheets)); };
    for (int copy = 1; copy <= std::max(copies, 1) && !stopped; ++copy) {
        if (copy > 1) printer.NewPage();
        sheet();
        // Once stopped, the rest of the report is only walked through, not painted.
        walk(
            [&](std::string_view line) {
                if (!stopped) printer.PrintLine(line);
            },
            [&] {
                if (stopped) return;
                printer.NewPage();
                sheet();
            });
        for (const BlockSketch& sketch : sketches) {
            sheet();
            if (!stopped) printer.PrintSketch(sketch);
        }
    }
    if (stopped)
        return Failure(
            {"Printing was cancelled: nothing was printed.", "Print Report", MessageKind::Plain});
    return printer.EndDocument(); // always, as a document of its own
}

std::vector<std::pair<int, int>> BlockSectionPages(std::string_view report) {
    // Each section begins a page, below the page's heading: the one before ends a page earlier.
    std::vector<std::pair<int, int>> sections;
    int page = 1;
    LineCursor lines(report);
    for (std::string_view line; lines.Next(line);) {
        if (line.find('\f') != std::string_view::npos) ++page;
        if (line.starts_with("BLOCK IDENTIFICATION - ")) {
            if (!sections.empty())
                sections.back().second = std::max(sections.back().first, page - 1);
            sections.emplace_back(page, page);
        } else if (!sections.empty()) {
            sections.back().second = page;
        }
    }
    return sections;
}

std::vector<BlockSketch> SketchSheets(const Job& job, const Workspace& ws, std::string_view report,
                                      int from, int to) {
    std::vector<std::pair<int, int>> pages(kMaxBlocks + 1, {0, 0}); // by slot
    if (from > 0) {
        const auto sections = BlockSectionPages(report);
        std::size_t k = 0; // the report holds the blocks in use, in slot order
        for (int n = 1; n <= kMaxBlocks && k < sections.size(); ++n)
            if (job.blockInUse(n)) pages[static_cast<std::size_t>(n)] = sections[k++];
    }
    std::vector<NumberedSketch> chosen;
    for (NumberedSketch& s : SketchJob(job, ws)) {
        const auto [first, last] = pages[static_cast<std::size_t>(s.block)];
        if (from <= 0 || (first > 0 && first <= to && last >= from)) chosen.push_back(std::move(s));
    }
    std::vector<BlockSketch> sheets;
    for (NumberedSketch& s : chosen) {
        s.sketch.sheet = "REF. # " + job.idxRefNum + "   BLOCK " + std::to_string(s.block) + "   " +
                         s.sketch.title + "   SKETCH " + std::to_string(sheets.size() + 1) +
                         " OF " + std::to_string(chosen.size());
        sheets.push_back(std::move(s.sketch));
    }
    return sheets;
}

Status PrintReportCopies(PrintSystem& system, const CurrentPrinter& printer,
                         const std::string& title, std::string_view report, int first, int last,
                         int copies, std::span<const BlockSketch> sketches,
                         const PrintProgress& going) {
    // One job, whatever the count: 300 copies are the spooler's work, not 300 documents made.
    const auto document = system.StartDocument(printer, title, copies);
    return PrintReportPages(report, first, last, *document, 1, sketches, going);
}

} // namespace sidewalk::ui
