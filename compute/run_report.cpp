// The run driver: card stream, card-order checks and block assembly.
#include "compute/run_report.hpp"

#include <cerrno>
#include <cstring>

#include <cmath>

#include "compute/card_fields.hpp"
#include "compute/quantities.hpp"
#include "data/atomic_file.hpp"
#include "data/card_layout.hpp"
#include "data/file_text.hpp"
#include "data/number.hpp"
#include "data/text.hpp"
#include "data/units.hpp"
#include "report/block_ident.hpp"
#include "report/page.hpp"
#include "report/run_lines.hpp"
#include "report/totals.hpp"

namespace sidewalk {

namespace {

// One run: the report being written, the unit rules, the open block and the job so far.
struct Run {
    ReportWriter w;
    UnitRules rules;
    // The current card.
    int cardType = 0;
    double areaOrLength = 0, stationValue = 0, radius = 0;
    std::string stationText;
    // The open block.
    BlockShape shape;
    std::string description;
    BlockSums sums;
    int returnCount = 0; // 3 for a rejected block; 5 once its first return could not be computed
    double returnStation = 0, firstReturnStation = 0;
    // The job.
    JobFigures grand;
    std::vector<BlockSummary> blocks;          // the blocks met so far, for the totals file
    std::vector<std::vector<TakenCard>> taken; // each block card's cards, as taken
    std::vector<BlockShape> shapes;            // each block card's header, as taken
    CardTaken returnTaken = CardTaken::Return; // how the last return card was taken

    bool listCards = true;

    void Took(CardTaken how, int type) {
        if (listCards && !taken.empty())
            taken.back().push_back({type, areaOrLength, stationValue, radius, how});
    }

    void HeaderCard(const std::string& card, const std::string& tag);
    void DecodeFields(std::string_view card);
    void BlockCard(std::string_view card);
    bool ReturnCard();
    void ItemCard();
    void StartBlock() {
        sums = BlockSums{};
        returnCount = 0;
    }
    void MarkOpenBlock(BlockStatus status);
    void CloseBlock(const BlockFigures& figures);
};

void Run::HeaderCard(const std::string& card, const std::string& tag) {
    using namespace header_card;
    PageHeading& h = w.heading;
    h.refNo = Trim(ColumnsView(card, kRefNo));
    h.projectNo = Trim(ColumnsView(card, kProject));
    std::string units;
    if (tag == kOlderTag) {
        h.engineer = Trim(ColumnsView(card, kOlderEngineer));
        units = Trim(ColumnsView(card, kOlderUnits));
    } else {
        units = Trim(ColumnsView(card, kUnits));
        // The run reads the engineer to the end of the card.
        const auto from = static_cast<std::size_t>(kEngineer.first - 1);
        h.engineer = card.size() > from ? Trim(std::string_view(card).substr(from)) : std::string();
    }
    h.metric = IsMetric(units);
    rules = RulesFor(h.metric);
}

void Run::DecodeFields(std::string_view card) {
    // An item's radius is only listed with the cards taken, never computed with.
    const RowFields fields = ReadRowFields(card, cardType == 1 || cardType == 4 || listCards);
    areaOrLength = fields.areaOrLength;
    stationValue = fields.station;
    stationText = FormatStation(stationValue);
    radius = fields.radius;
}

// A block card (upper-cased): the block identification section, then the header's checks.
void Run::BlockCard(std::string_view card) {
    shape = ReadBlockShape(card);
    description = ReadBlockDescription(card);

    // A block still open (or left in a skip state) never got its closing return.
    if (returnCount != 0) WriteLastCardError(w, true);
    StartBlock();

    const std::string directionText = shape.curveDir == "T"   ? " TANGENT"
                                      : shape.curveDir == "L" ? "    LEFT"
                                                              : "   RIGHT";

    BlockSummary opened;
    opened.number = static_cast<int>(blocks.size()) + 1;
    opened.description = description;
    blocks.push_back(opened);
    WriteBlockIdent(w, BlockIdentSection{description, directionText,
                                         shape.side == "R" ? "   RIGHT" : "    LEFT", shape.d,
                                         shape.sw, shape.w2, shape.w1, shape.radius});

    const HeaderCheck check = CheckHeader(shape, rules);
    if (check.rejected) {
        WriteHeaderNotice(w, HeaderNotice::SidewalkWider);
        returnCount = 3;
        MarkOpenBlock(BlockStatus::Rejected);
        return;
    }
    if (check.widthUnreasonable) WriteHeaderNotice(w, HeaderNotice::WidthUnreasonable);
    if (check.distanceUnreasonable) WriteHeaderNotice(w, HeaderNotice::DistanceUnreasonable);
    if (check.radiusNotCoded) {
        WriteHeaderNotice(w, HeaderNotice::RadiusNotCoded);
        shape.curveDir = "T";
    }
}

// A return card (type 1 or 4). Returns true when it closed the block.
bool Run::ReturnCard() {
    returnStation = stationValue;
    WriteReturnLine(w, cardType, stationText, radius);
    returnCount += 1;
    if (shape.curveDir != "T" && returnCount != 2) firstReturnStation = returnStation;
    returnTaken = CardTaken::ReturnNotComputed; // until its figures are in
    if (returnCount == 4) return false;         // a rejected block's return
    if (returnCount >= 5) {                     // the block was given up at its first return
        w.PageFull();
        return false;
    }

    const auto q = ReturnQuantities(shape, rules, cardType, radius);
    if (!q) {
        WriteCannotCompute(w, q.error());
        MarkOpenBlock(BlockStatus::CannotCompute);
        if (returnCount == 1) { // the rest of the block is listed, not computed
            returnCount = 5;
            w.Count(7);
        } else {
            w.PageFull();
        }
        return false;
    }
    returnTaken = CardTaken::Return;
    sums.totalCurb += q->curb;
    sums.sw4Area += q->sw4;
    sums.grassArea += q->grass;
    if (returnCount == 1) {
        sums.return1Curb = q->curb;
        if (shape.curveDir == "T") firstReturnStation = returnStation;
        return false;
    }
    if (returnCount != 2) return false;

    sums.return2Curb += q->curb;
    const auto end =
        EndOfBlock(shape, rules, sums, std::abs(returnStation - firstReturnStation), radius, grand);
    if (!end) {
        WriteCannotCompute(w, end.error());
        w.PageFull();
        MarkOpenBlock(BlockStatus::CannotCompute);
        return true;
    }
    if (end->impossible) WriteImpossibleLengths(w);
    CloseBlock(end->figures);
    return true;
}

void Run::ItemCard() {
    AddItem(sums, shape, rules, cardType, areaOrLength);
    WriteItemLine(w, cardType, areaOrLength, stationText, sums.extraCurbNo);
    if (OverDrivewayLimit(rules, cardType, areaOrLength)) WriteDrivewayOverLimit(w);
}

// Sets the status of the block open since the last block card, if it is still open.
void Run::MarkOpenBlock(BlockStatus status) {
    if (!blocks.empty() && blocks.back().status == BlockStatus::NotClosed)
        blocks.back().status = status;
}

// A block ends with its totals: adds it to the job totals, records its figures and writes its
// totals lines.
void Run::CloseBlock(const BlockFigures& figures) {
    grand.grand4Area += figures.sw4Area;
    grand.grand6Area += figures.sw6Area;
    grand.grandCurb += figures.totalCurb;
    grand.grandGrassArea += figures.grassArea;

    if (blocks.empty() || blocks.back().status != BlockStatus::NotClosed) {
        // Returns after a finished block without a block card of their own: a block again.
        BlockSummary again;
        if (!blocks.empty()) {
            again.number = blocks.back().number;
            again.description = blocks.back().description;
        }
        blocks.push_back(again);
    }
    BlockSummary& b = blocks.back();
    static_cast<BlockFigures&>(b) = figures;
    b.status = BlockStatus::Computed;
    WriteBlockTotals(w, figures);
}

// The run over a stream of cards: nextCard(card) gives the next line of the work file, false
// after the last. reportSize is the room to make for the report text.
template <typename NextCard>
RunOutcome RunCardStream(const std::string& versionLine, NextCard nextCard, std::size_t reportSize,
                         const RunOptions& options) {
    Run run;
    run.listCards = options.listCards;
    ReportWriter& w = run.w;
    // Given out in pieces, the report's text never takes more than a piece and a card's lines.
    constexpr std::size_t kPiece = 64 << 10;
    if (options.reportSink) {
        w.SetSink(options.reportSink);
        reportSize = kPiece + (16 << 10);
    }
    w.Reserve(reportSize);
    w.heading.versionLine = Trim(versionLine);
    StampDateTime(w.heading, options.utcTime);

    std::string_view line;
    const std::string first = nextCard(line) ? UpperCase(line) : std::string();
    const std::string tag = Columns(first, kTagColumns);
    if (tag != kCurrentTag && tag != kOlderTag) {
        WriteConversionNotice(w);
        RunOutcome notice;
        notice.report = w.Take();
        return notice;
    }
    run.HeaderCard(first, tag);

    std::string capitals;  // the current card upper-cased, when that changes it
    std::string_view card; // the current card, upper-cased
    bool atEnd = false;
    while (!atEnd) {
        // Start of a block: every block begins on a new page.
        run.StartBlock();
        w.PageFull();
        bool blockEnded = false;
        while (!blockEnded) {
            w.GiveOut(kPiece);
            w.NewPageIfPast(55);
            w.Count(1);
            if (!nextCard(line)) {
                atEnd = true;
                break;
            }
            card = line;
            if (ChangesInCapitals(line)) {
                capitals.assign(line);
                UpperCaseInPlace(capitals);
                card = capitals;
            }
            const std::string_view typeColumns = ColumnsView(card, kCardTypeColumns);
            if (typeColumns.find_first_not_of(' ') == std::string_view::npos) { // blank type
                WriteInvalidCard(w, run.cardType, run.areaOrLength, run.stationText);
                run.Took(CardTaken::Invalid, -1);
                continue;
            }
            run.cardType = CardTypeOf(typeColumns);
            if (run.cardType == 11) {
                run.BlockCard(card);
                run.taken.emplace_back();
                run.shapes.push_back(run.shape);
                continue;
            }
            run.DecodeFields(card);
            if (run.cardType == 1 || run.cardType == 4) {
                blockEnded = run.ReturnCard();
                run.Took(run.returnTaken, run.cardType);
            } else if (run.returnCount == 0) {
                WriteFirstCardError(w);
                run.Took(CardTaken::BeforeFirstReturn, run.cardType);
            } else if (IsItemType(run.cardType)) {
                run.ItemCard();
                run.Took(CardTaken::Item, run.cardType);
            } else {
                WriteInvalidCard(w, run.cardType, run.areaOrLength, run.stationText);
                run.Took(CardTaken::Invalid, run.cardType);
            }
        }
    }

    if (run.returnCount == 1) WriteLastCardError(w, false);
    WriteGrandTotals(w, run.grand);
    RunOutcome outcome;
    outcome.report = w.Take();
    outcome.blocks = std::move(run.blocks);
    outcome.grand = run.grand;
    outcome.metric = run.rules.metric;
    outcome.cards = std::move(run.taken);
    outcome.shapes = std::move(run.shapes);
    return outcome;
}

} // namespace

RunOutcome RunCards(const std::string& versionLine, const std::vector<std::string_view>& cards,
                    const RunOptions& options) {
    std::size_t next = 0;
    auto nextCard = [&](std::string_view& card) {
        if (next >= cards.size()) return false;
        card = cards[next++];
        return true;
    };
    return RunCardStream(versionLine, nextCard, 4096 + cards.size() * 96, options);
}

RunOutcome RunCards(const std::string& versionLine, const std::vector<std::string>& cards,
                    const RunOptions& options) {
    return RunCards(versionLine, std::vector<std::string_view>(cards.begin(), cards.end()),
                    options);
}

RunOutcome RunCardPieces(const std::string& versionLine,
                         const std::vector<std::string_view>& pieces, const RunOptions& options) {
    std::size_t next = 0;
    LineCursor cards({});
    auto nextCard = [&](std::string_view& card) {
        while (!cards.Next(card)) {
            if (next >= pieces.size()) return false;
            cards = LineCursor(pieces[next++]);
        }
        return true;
    };
    std::size_t size = 0;
    for (const std::string_view piece : pieces)
        size += piece.size();
    // About one report line and a half, of some 64 characters, for each card of some 34.
    return RunCardStream(versionLine, nextCard, 4096 + size * 3, options);
}

RunOutcome RunCardText(const std::string& versionLine, std::string_view workText,
                       const RunOptions& options) {
    return RunCardPieces(versionLine, {workText}, options);
}

namespace {

// A workspace file the run could not read, and what that means for the report.
Unexpected<Message> NoReportWritten(Message why) {
    why.text += ". No report was written.";
    return Failure(std::move(why));
}

} // namespace

Result<RunOutcome> RunWorkText(const Workspace& ws, std::string_view workText,
                               const RunOptions& options) {
    const Result<FileBytes> version = ws.Read(ws.VersionFile());
    if (!version) return NoReportWritten(version.error());
    std::string_view versionLine;
    LineCursor(version->view()).Next(versionLine);

    RunOutcome outcome = RunCardText(std::string(versionLine), workText, options);
    if (const Status written = ws.Write(ws.ReportFile(), outcome.report); written.failed())
        return Failure(written.error());
    return outcome;
}

Result<RunOutcome> RunReport(const Workspace& ws, const RunOptions& options) {
    const Result<FileBytes> work = ws.Read(ws.WorkFile());
    if (!work) return NoReportWritten(work.error());
    return RunWorkText(ws, work->view(), options);
}

} // namespace sidewalk
