// Printer description and the setup lists' texts.
#include "output/printer_setup.hpp"

#include <charconv>

#include "app/shell.hpp"
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

CurrentPrinter SelectPrinter(const std::string& name,
                             const std::variant<PrinterFacts, Message>& opened) {
    CurrentPrinter printer{name, {}, 1, 0, 0};
    if (const auto* facts = std::get_if<PrinterFacts>(&opened)) {
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

PrinterDescription DescribePrinter(PrintSystem& system, const CurrentPrinter& printer) {
    WaitCursor wait;
    PrinterDescription d;
    if (printer.orientation == 2) d.orientationName = "Landscape";
    const auto opened = system.OpenPrinter(printer.deviceName);
    if (const auto* facts = std::get_if<PrinterFacts>(&opened)) {
        d.binName = NameOf(facts->bins, printer.paperBin);
        d.paperName = NameOf(facts->papers, printer.paperSize);
    }
    return d;
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
        return std::nullopt;
    return n;
}

std::string PrinterLine(const CurrentPrinter& printer) {
    return " Printer: " + printer.deviceName + "   [" + printer.port + "] ";
}

std::string PaperLine(const PrinterDescription& d) {
    return " Paper: " + d.paperName + "   [" + d.orientationName + "] ";
}

std::string BinLine(const PrinterDescription& d) {
    return " Bin: " + d.binName + " ";
}

} // namespace sidewalk::ui
