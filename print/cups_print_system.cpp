// Printing through CUPS.
#include "print/cups_print_system.hpp"

#include <cstdlib>

#include <QPageSize>
#include <algorithm>
#include <cups/cups.h>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "data/file_text.hpp"
#include "data/text.hpp"
#include "print/pdf_printer.hpp"
#include "print/printer_setup.hpp"

// The PPD calls are deprecated in CUPS, yet they are still how a queue's input trays are read.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>

namespace sidewalk::ui {

namespace {

// Frees what the CUPS library hands over, however the caller leaves.
struct DestDeleter {
    void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};
using Dest = std::unique_ptr<cups_dest_t, DestDeleter>;
struct InfoDeleter {
    void operator()(cups_dinfo_t* i) const { cupsFreeDestInfo(i); }
};
struct PpdDeleter {
    void operator()(ppd_file_t* p) const { ppdClose(p); }
};

// Why a look-up found no printer: no spooler answers, or it knows no printer of that name (CUPS
// reports both as "not found", so the spooler is asked whether it is there at all).
Message CannotOpen(const std::string& name) {
    const bool answers = CupsPrintSystem::SpoolerReached();
    const std::string why =
        answers ? "the print system knows no printer of that name."
                : "no print spooler answers at " + CupsPrintSystem::SpoolerName() + ".";
    if (name.empty())
        return {answers ? "There is no default printer." : "No printer can be used: " + why,
                "Printer", MessageKind::Error};
    return {"The printer " + name + " cannot be opened: " + why, "Printer", MessageKind::Error};
}

// Looks up the queue (no name: the default one); nothing when CUPS does not know it or cannot
// be reached (CannotOpen then says which).
Dest FindDest(const std::string& name) {
    return Dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.empty() ? nullptr : name.c_str(), nullptr));
}

// The queue's papers and bins from its PPD; none for a queue without one.
void ReadPpd(const std::string& name, PrinterFacts& facts) {
    const char* file = cupsGetPPD2(CUPS_HTTP_DEFAULT, name.c_str());
    if (file == nullptr) return;
    const std::string path = file;
    std::unique_ptr<ppd_file_t, PpdDeleter> ppd(ppdOpenFile(path.c_str()));
    ::unlink(path.c_str());
    if (!ppd) return;
    if (const ppd_option_t* sizes = ppdFindOption(ppd.get(), "PageSize")) {
        for (int i = 0; i < sizes->num_choices; ++i) {
            const ppd_choice_t& c = sizes->choices[i];
            const ppd_size_t* size = ppdPageSize(ppd.get(), c.choice);
            const QSizeF points = size ? QSizeF(size->width, size->length) : QSizeF();
            // The ImageableArea: what lies outside it on each side of the upright sheet.
            const QMarginsF unprintable = size ? QMarginsF(size->left, size->length - size->top,
                                                           size->width - size->right, size->bottom)
                                               : QMarginsF();
            facts.papers.push_back(
                {PaperNumber(points, i + 1), c.text, c.choice, points, unprintable});
        }
        MakeNumbersUnique(facts.papers);
        for (const PrinterChoice& paper : facts.papers)
            if (paper.keyword == sizes->defchoice) facts.defaultPaper = paper.number;
    }
    if (const ppd_option_t* trays = ppdFindOption(ppd.get(), "InputSlot")) {
        for (int i = 0; i < trays->num_choices; ++i) {
            const ppd_choice_t& c = trays->choices[i];
            facts.bins.push_back({BinNumber(c.choice, i + 1), c.text, c.choice, {}, {}});
        }
        MakeNumbersUnique(facts.bins);
        for (const PrinterChoice& bin : facts.bins)
            if (bin.keyword == trays->defchoice) facts.defaultBin = bin.number;
    }
}

// A document for a queue: painted into a PDF, submitted as one print job when it ends.
class CupsDocument : public Printer {
  public:
    CupsDocument(std::string spoolFile, std::string queue, std::string title, QPageSize paper,
                 QMarginsF unprintable, bool landscape,
                 std::vector<std::pair<std::string, std::string>> options)
        : spoolFile_(spoolFile), queue_(std::move(queue)), title_(std::move(title)),
          options_(std::move(options)),
          pdf_(std::move(spoolFile), std::move(paper),
               landscape ? QPageLayout::Landscape : QPageLayout::Portrait, unprintable) {}
    ~CupsDocument() override {
        std::error_code ec;
        std::filesystem::remove(spoolFile_, ec);
    }

    void SetFont(std::string_view name, int points) override { pdf_.SetFont(name, points); }
    void FitLineWidth(int characters) override { pdf_.FitLineWidth(characters); }
    void PrintLine(std::string_view line) override { pdf_.PrintLine(line); }
    void NewPage() override { pdf_.NewPage(); }
    void PrintSketch(const BlockSketch& sketch) override { pdf_.PrintSketch(sketch); }
    Status EndDocument() override {
        if (Status ended = pdf_.EndDocument(); ended.failed()) return ended;
        return Submit();
    }

  private:
    Status Refused() const {
        return Failure(
            {"The printer " + queue_ + " did not take the report: " + cupsLastErrorString(),
             "Print Report", MessageKind::Error});
    }

    Status Submit() {
        const Result<FileBytes> bytes = ReadWholeFile(spoolFile_);
        if (!bytes) return StatusOf(bytes);
        const Dest dest = FindDest(queue_);
        if (!dest) return Failure(CannotOpen(queue_));
        const std::unique_ptr<cups_dinfo_t, InfoDeleter> info(
            cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
        cups_option_t* options = nullptr;
        int count = 0;
        for (const auto& [key, value] : options_)
            count = cupsAddOption(key.c_str(), value.c_str(), count, &options);
        int job = 0;
        const ipp_status_t created = cupsCreateDestJob(CUPS_HTTP_DEFAULT, dest.get(), info.get(),
                                                       &job, title_.c_str(), count, options);
        cupsFreeOptions(count, options);
        if (created > IPP_STATUS_OK_EVENTS_COMPLETE || job <= 0) return Refused();
        // A job the spooler took but could not be given the whole document is cancelled, so
        // that nothing half is printed.
        auto cancel = [&] {
            Status refused = Refused();
            cupsCancelDestJob(CUPS_HTTP_DEFAULT, dest.get(), job);
            return refused;
        };
        if (cupsStartDestDocument(CUPS_HTTP_DEFAULT, dest.get(), info.get(), job, title_.c_str(),
                                  CUPS_FORMAT_PDF, 0, nullptr, 1) != HTTP_STATUS_CONTINUE)
            return cancel();
        const std::string_view pdf = bytes->view();
        bool sent = true;
        for (std::size_t at = 0; sent && at < pdf.size(); at += 65536) {
            const std::size_t n = std::min<std::size_t>(65536, pdf.size() - at);
            sent =
                cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.data() + at, n) == HTTP_STATUS_CONTINUE;
        }
        const ipp_status_t finished =
            cupsFinishDestDocument(CUPS_HTTP_DEFAULT, dest.get(), info.get());
        if (!sent || finished > IPP_STATUS_OK_EVENTS_COMPLETE) return cancel();
        return {};
    }

    std::string spoolFile_;
    std::string queue_;
    std::string title_;
    std::vector<std::pair<std::string, std::string>> options_;
    PdfPrinter pdf_;
};

} // namespace

int PaperNumber(QSizeF points, int place) {
    const QPageSize::PageSizeId id =
        points.isValid() ? QPageSize::id(points, QPageSize::Point, QPageSize::FuzzyMatch)
                         : QPageSize::Custom;
    const int windows = id == QPageSize::Custom ? 0 : QPageSize::windowsId(id);
    return windows > 0 && windows < 256 ? windows : 256 + place;
}

int BinNumber(const std::string& keyword, int place) {
    static const std::map<std::string, int> kBins = {
        {"UPPER", 1},          {"TOP", 1},       {"ONLYONE", 1},     {"LOWER", 2},
        {"BOTTOM", 2},         {"MIDDLE", 3},    {"MANUAL", 4},      {"MANUALFEED", 4},
        {"ENVELOPE", 5},       {"ENVMANUAL", 6}, {"AUTO", 7},        {"AUTOSELECT", 7},
        {"DEFAULT", 7},        {"TRACTOR", 8},   {"SMALLFORMAT", 9}, {"LARGEFORMAT", 10},
        {"LARGECAPACITY", 11}, {"CASSETTE", 14}, {"FORMSOURCE", 15},
    };
    const auto it = kBins.find(UpperCase(keyword));
    return it != kBins.end() ? it->second : 256 + place;
}

bool CupsPrintSystem::SpoolerReached() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                5000, nullptr);
    if (http == nullptr) return false;
    httpClose(http);
    return true;
}

std::string CupsPrintSystem::SpoolerName() {
    // As the user gave it, port included; else where CUPS goes, with the port.
    if (const char* given = std::getenv("CUPS_SERVER"); given != nullptr && *given != '\0')
        return given;
    const std::string server = cupsServer();
    return server.starts_with('/') ? server : server + ":" + std::to_string(ippPort());
}

std::vector<std::string> CupsPrintSystem::PrinterNames() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        if (dests[i].instance == nullptr) names.emplace_back(dests[i].name);
    cupsFreeDests(count, dests);
    return names;
}

std::string CupsPrintSystem::DefaultPrinterName() {
    const Dest dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    return dest ? dest->name : "";
}

Result<PrinterFacts> CupsPrintSystem::OpenPrinter(const std::string& name) {
    const Dest dest = FindDest(name);
    if (!dest) return Failure(CannotOpen(name));
    PrinterFacts facts;
    if (const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options))
        facts.port = uri;
    ReadPpd(name, facts);
    return facts;
}

std::unique_ptr<Printer> CupsPrintSystem::StartDocument(const CurrentPrinter& printer,
                                                        const std::string& title, int copies) {
    QPageSize paper(QPageSize::Letter);
    QMarginsF unprintable;
    std::vector<std::pair<std::string, std::string>> options;
    const auto opened = OpenPrinter(printer.deviceName);
    if (const auto* facts = (opened ? &*opened : nullptr)) {
        if (const PrinterChoice* p = FindChoice(facts->papers, printer.paperSize)) {
            paper = PageSizeOf(*p);
            unprintable = p->unprintable;
            options.emplace_back("media", p->keyword);
        }
        if (const PrinterChoice* b = FindChoice(facts->bins, printer.paperBin))
            options.emplace_back("InputSlot", b->keyword);
    }
    const bool landscape = printer.orientation == Orientation::Landscape;
    options.emplace_back("orientation-requested", landscape ? "4" : "3");
    if (copies > 1) options.emplace_back("copies", std::to_string(copies));
    return std::make_unique<CupsDocument>(spoolFile_, printer.deviceName, title, paper, unprintable,
                                          landscape, std::move(options));
}

} // namespace sidewalk::ui

#pragma GCC diagnostic pop
