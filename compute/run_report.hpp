// The report run: reads the version record and the work file of a workspace as a stream of
// cards, checks their order, has each block's quantities computed and passes them to the
// report writer, and writes the report PRINT.SPL.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compute/quantities.hpp"
#include "data/message.hpp"
#include "data/workspace.hpp"
#include "report/block_figures.hpp"

namespace sidewalk {

struct RunOptions {
    // The run's date and time, in UTC; when empty, the system clock as local time.
    std::optional<std::time_t> utcTime;
    // When set, the report text goes here in pieces of whole lines as the run writes it, and
    // the outcome's report stays empty: a report is written out without being held whole.
    std::function<void(std::string_view)> reportSink = {};
    // Whether the outcome lists each block's cards as taken (for sketches).
    bool listCards = true;
};

// How the run took a card of a block, which the block's sketch shows the same way.
enum class CardTaken {
    Return,            // a return it computed
    ReturnNotComputed, // a return it listed but could not compute (or a block it gave up)
    Item,              // an item it listed
    Invalid,           // "ERROR-CARD TYPE NOT VALID"
    BeforeFirstReturn, // "ERROR-1ST CARD NOT TYPE 1 OR 4": left out
};

struct TakenCard {
    int type = 0; // -1 for a card without a type
    double areaOrLength = 0, station = 0, radius = 0;
    CardTaken taken = CardTaken::Item;
};

struct RunOutcome {
    std::string report; // the report text, written to PRINT.SPL
    std::vector<BlockSummary> blocks;
    JobFigures grand;
    bool metric = false;
    std::vector<std::vector<TakenCard>> cards; // for each block card met, the cards after it
    std::vector<BlockShape> shapes;            // and its header, as the run took it
};

// Runs the cards of a work file (lines without their line ends) against a version line.
RunOutcome RunCards(const std::string& versionLine, const std::vector<std::string_view>& cards,
                    const RunOptions& options);
RunOutcome RunCards(const std::string& versionLine, const std::vector<std::string>& cards,
                    const RunOptions& options);

// Runs the text of a work file against a version line, in memory: what RunWorkText writes to
// the report file, without a workspace.
RunOutcome RunCardText(const std::string& versionLine, std::string_view workText,
                       const RunOptions& options = {});

// The same for a work text in pieces, each but the last ending a line.
RunOutcome RunCardPieces(const std::string& versionLine,
                         const std::vector<std::string_view>& pieces, const RunOptions& options);

// Reads VERSION.TMP and WORK.TMP of the workspace and writes PRINT.SPL. A file that cannot be
// read or written gives an error naming it; the report is then not written at all.
Result<RunOutcome> RunReport(const Workspace& ws, const RunOptions& options = {});

// The same for the text the work file was just written with: the run reads exactly those bytes
// without reading the file back.
Result<RunOutcome> RunWorkText(const Workspace& ws, std::string_view workText,
                               const RunOptions& options = {});

} // namespace sidewalk
