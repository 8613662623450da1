// The run driver: card stream, card-order checks and block assembly.
#include "compute/run_report.hpp"

#include <cerrno>
#include <cstring>

#include "compute/block_header.hpp"
#include "compute/geometry.hpp"
#include "compute/items.hpp"
#include "data/atomic_file.hpp"
#include "data/card_layout.hpp"
#include "data/file_text.hpp"
#include "data/number.hpp"
#include "data/text.hpp"
#include "report/page.hpp"
#include "report/totals.hpp"

namespace sidewalk {

namespace {

void TakeHeaderCard(RunState& s, const std::string& card, const std::string& tag) {
    using namespace header_card;
    s.refNo = Trim(ColumnsView(card, kRefNo));
    s.projectNo = Trim(ColumnsView(card, kProject));
    if (tag == kOlderTag) {
        s.engineer = Trim(ColumnsView(card, kOlderEngineer));
        s.unitsCode = Trim(ColumnsView(card, kOlderUnits));
    } else {
        s.unitsCode = Trim(ColumnsView(card, kUnits));
        // The run reads the engineer to the end of the card.
        const auto from = static_cast<std::size_t>(kEngineer.first - 1);
        s.engineer = card.size() > from ? Trim(std::string_view(card).substr(from)) : std::string();
    }
    if (s.metric()) {
        s.lengthUnit = " M  ";
        s.curbWidth = 0.15;
        s.drivewayFlare = 3.0;
        s.dropCurbTaperWide = 2.1;
        s.dropCurbTaperNarrow = 1.2;
        s.narrowGrassLimit = 3.0;
    }
}

void DecodeFields(RunState& s, std::string_view card) {
    using namespace row_card;
    s.areaOrLength = Val(ColumnsView(card, kRunArea));
    s.stationValue = Val(ColumnsView(card, kRunStation)) * 100 + Val(ColumnsView(card, kRunPlus));
    s.stationText = FormatStation(s.stationValue);
    s.radiusBackCurb = Val(ColumnsView(card, kRunRadius));
}

void InvalidCard(RunState& s) {
    WriteLine(s, " XXXX " + Format(s.cardType, "00") + std::string(9, ' ') +
                     "LENGTH = " + Figure(s.areaOrLength, "###0.000", 9) + std::string(8, ' ') +
                     "APPROX STA. = " + StationField(s.stationText));
    WriteLine(s, " ");
    WriteLine(s, Stars());
    WriteLine(s, " ***  ERROR-CARD TYPE NOT VALID");
    WriteLine(s, " ");
    s.lineNo += 5;
    PrintPageHeader(s);
}

void FirstCardError(RunState& s) {
    if (s.lineNo > 55) PrintPageHeader(s);
    StarBox(s, {" ***  ERROR-1ST CARD NOT TYPE 1 OR 4"});
    PrintPageHeader(s);
}

// Card type from columns 1-2: Val, rounded half to even, kept within a 16-bit range.
int CardTypeOf(std::string_view columns) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (columns.size() == 2 && digit(columns[0]) && digit(columns[1])) // the usual "01".."11"
        return (columns[0] - '0') * 10 + (columns[1] - '0');
    const double v = RoundHalfEven(Val(columns));
    if (v > 32767) return 32767;
    if (v < -32768) return -32768;
    return static_cast<int>(v);
}

// The run over a stream of cards: nextCard(card) gives the next line of the work file, false
// after the last. reportSize is the room to make for the report text.
template <typename NextCard>
RunState RunCardStream(const std::string& versionLine, NextCard nextCard, std::size_t reportSize,
                       const RunOptions& options) {
    RunState s;
    s.report.reserve(reportSize);
    s.versionLine = Trim(versionLine);
    StampDateTime(s, options.utcTime);

    std::string_view line;
    const std::string first = nextCard(line) ? UpperCase(line) : std::string();
    const std::string tag = Columns(first, kTagColumns);
    if (tag != kCurrentTag && tag != kOlderTag) {
        WriteLine(s, std::string(45, '*'));
        WriteLine(s, "    DATA MUST BE CONVERTED TO NEW FORMAT");
        WriteLine(s, "    USE THE DATA ENTRY PROGRAM TO");
        WriteLine(s, "    CONVERT THE DATA TO THE NEW FORMAT");
        WriteLine(s, std::string(45, '*'));
        return s;
    }
    TakeHeaderCard(s, first, tag);

    std::string card; // the current card, upper-cased
    bool atEnd = false;
    while (!atEnd) {
        // Start of a block: every block begins on a new page.
        s.clearBlockAccumulators();
        s.lineNo = 60;
        bool blockEnded = false;
        while (!blockEnded) {
            if (s.lineNo > 55) PrintPageHeader(s);
            s.lineNo += 1;
            if (!nextCard(line)) {
                atEnd = true;
                break;
            }
            card.assign(line);
            UpperCaseInPlace(card);
            const std::string_view typeColumns = ColumnsView(card, kCardTypeColumns);
            if (typeColumns.find_first_not_of(' ') == std::string_view::npos) { // blank type
                InvalidCard(s);
                continue;
            }
            s.cardType = CardTypeOf(typeColumns);
            if (s.cardType == 11) {
                PrintBlockIdent(s, card);
                continue;
            }
            DecodeFields(s, card);
            if (s.cardType == 1 || s.cardType == 4) {
                blockEnded = ReturnBranch(s);
            } else if (s.returnCount == 0) {
                FirstCardError(s);
            } else if (!HandleItem(s)) {
                InvalidCard(s);
            }
        }
    }

    if (s.returnCount == 1) {
        StarBox(s, {" ***  ERROR: LAST CARD NOT TYPE 1 OR 4"});
        PrintPageHeader(s);
    }
    PrintGrandTotals(s, s.grand);
    return s;
}

} // namespace

RunState RunCards(const std::string& versionLine, const std::vector<std::string_view>& cards,
                  const RunOptions& options) {
    std::size_t next = 0;
    auto nextCard = [&](std::string_view& card) {
        if (next >= cards.size()) return false;
        card = cards[next++];
        return true;
    };
    return RunCardStream(versionLine, nextCard, 4096 + cards.size() * 96, options);
}

RunState RunCards(const std::string& versionLine, const std::vector<std::string>& cards,
                  const RunOptions& options) {
    return RunCards(versionLine, std::vector<std::string_view>(cards.begin(), cards.end()),
                    options);
}

RunOutcome RunWorkText(const Workspace& ws, std::string_view workText, const RunOptions& options) {
    RunOutcome outcome;
    FileBytes version;
    if (const int error = ReadWholeFile(ws.VersionFile(), version); error != 0) {
        outcome.error = Message{"Cannot read the file " + ws.VersionFile() + ": " +
                                    ReadErrorText(error) + ". No report was written.",
                                "File Input Error", MessageKind::Error};
        return outcome;
    }
    std::string_view versionLine;
    LineCursor(version.view()).Next(versionLine);

    LineCursor cards(workText);
    auto nextCard = [&](std::string_view& card) { return cards.Next(card); };
    // About one report line and a half, of some 64 characters, for each card of some 34.
    RunState s =
        RunCardStream(std::string(versionLine), nextCard, 4096 + workText.size() * 3, options);
    if (auto error = ReplaceWorkspaceFile(ws.ReportFile(), s.report)) {
        outcome.error = error;
        return outcome;
    }
    outcome.report = std::move(s.report);
    outcome.blocks = std::move(s.blocks);
    outcome.grand = s.grand;
    outcome.metric = s.metric();
    return outcome;
}

RunOutcome RunReport(const Workspace& ws, const RunOptions& options) {
    FileBytes work;
    if (const int error = ReadWholeFile(ws.WorkFile(), work); error != 0) {
        RunOutcome outcome;
        outcome.error = Message{"Cannot read the file " + ws.WorkFile() + ": " +
                                    ReadErrorText(error) + ". No report was written.",
                                "File Input Error", MessageKind::Error};
        return outcome;
    }
    return RunWorkText(ws, work.view(), options);
}

} // namespace sidewalk
