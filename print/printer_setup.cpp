// Printer description and the setup lists' texts.
#include "print/printer_setup.hpp"

#include <charconv>

#include "data/text.hpp"

namespace sidewalk::ui {

namespace {

std::string NameOf(const std::vector<PrinterChoice>& list, int number) {
    const PrinterChoice* choice = FindChoice(list, number);
    return choice ? Trim(choice->name) : "Not Defined";
}

} // namespace

CurrentPrinter SelectPrinter(PrintSystem& system, const std::string& name) {
    return SelectPrinter(name, system.OpenPrinter(name));
}

CurrentPrinter SelectPrinter(const std::string& name, const Result<PrinterFacts>& opened) {
    // One that cannot be opened prints only to a file: on the first of the papers for a file.
    CurrentPrinter printer{name, {}, Orientation::Portrait, FilePapers().front().number, 0};
    if (const auto* facts = (opened ? &*opened : nullptr)) {
        printer.port = facts->port;
        printer.paperSize = facts->defaultPaper;
        printer.paperBin = facts->defaultBin;
    }
    return printer;
}

const PrinterChoice* FindChoice(const std::vector<PrinterChoice>& list, int number) {
    for (const PrinterChoice& choice : list)
        if (choice.number == number) return &choice;
    return nullptr;
}

void MakeNumbersUnique(std::vector<PrinterChoice>& list) {
    for (std::size_t i = 0; i < list.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (list[j].number == list[i].number) {
                list[i].number = 256 + static_cast<int>(i) + 1;
                break;
            }
}

const std::vector<PrinterChoice>& FilePapers() {
    static const std::vector<PrinterChoice> papers = {
        {1, "US Letter", "Letter", QSizeF(612, 792), {}},
        {5, "US Legal", "Legal", QSizeF(612, 1008), {}},
        {9, "A4", "A4", QSizeF(595, 842), {}},
    };
    return papers;
}

const std::vector<PrinterChoice>& PapersOf(const Result<PrinterFacts>& opened) {
    const auto* facts = (opened ? &*opened : nullptr);
    return facts != nullptr ? facts->papers : FilePapers();
}

CurrentPrinter SwitchPrinter(const CurrentPrinter& from, const Result<PrinterFacts>& fromOpened,
                             const std::string& name, const Result<PrinterFacts>& opened) {
    CurrentPrinter printer = SelectPrinter(name, opened);
    printer.orientation = from.orientation;
    auto sameName = [](const std::vector<PrinterChoice>& oldList, int oldNumber,
                       const std::vector<PrinterChoice>& newList, int& number) {
        const PrinterChoice* old = FindChoice(oldList, oldNumber);
        if (old == nullptr) return;
        for (const PrinterChoice& choice : newList)
            if (Trim(choice.name) == Trim(old->name)) {
                number = choice.number;
                return;
            }
    };
    const auto* oldFacts = (fromOpened ? &*fromOpened : nullptr);
    sameName(PapersOf(fromOpened), from.paperSize, PapersOf(opened), printer.paperSize);
    if (const auto* facts = (opened ? &*opened : nullptr); facts && oldFacts)
        sameName(oldFacts->bins, from.paperBin, facts->bins, printer.paperBin);
    return printer;
}

PrinterDescription DescribePrinter(PrintSystem& system, const CurrentPrinter& printer) {
    PrinterDescription d;
    if (printer.orientation == Orientation::Landscape) d.orientationName = "Landscape";
    const auto opened = system.OpenPrinter(printer.deviceName);
    d.paperName = NameOf(PapersOf(opened), printer.paperSize);
    if (const auto* facts = (opened ? &*opened : nullptr))
        d.binName = NameOf(facts->bins, printer.paperBin);
    return d;
}

QPageSize PageSizeOf(const PrinterChoice& paper) {
    if (!paper.points.isValid()) return QPageSize(QPageSize::Letter);
    return QPageSize(paper.points, QPageSize::Point, QString::fromStdString(paper.name),
                     QPageSize::FuzzyMatch);
}

std::string ChoiceEntryText(const PrinterChoice& choice) {
    return Trim(StrInt(choice.number) + "  " + choice.name);
}

std::optional<int> ChoiceNumber(std::string_view entry) {
    const std::string trimmed = Trim(entry);
    const std::string_view number = std::string_view(trimmed).substr(0, trimmed.find(' '));
    int n = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
    if (number.empty() || ec != std::errc() || end != number.data() + number.size() || n < -32768 ||
        n > 32767)
        return {};
    return n;
}

std::string PrinterLine(const CurrentPrinter& printer) {
    return " Printer: " + printer.deviceName + "   [" + printer.port + "] ";
}

std::string NoPrinterLine(bool spoolerAnswers) {
    return spoolerAnswers ? " Printer: none - no printer is set up on this computer; print to a "
                            "file "
                          : " Printer: none - no print spooler answers on this computer; print "
                            "to a file ";
}

std::string PaperLine(const PrinterDescription& d) {
    return " Paper: " + d.paperName + "   [" + d.orientationName + "] ";
}

std::string BinLine(const PrinterDescription& d) {
    return " Bin: " + d.binName + " ";
}

} // namespace sidewalk::ui
