// The data file writer.
#include "data/writer.hpp"

#include <cerrno>
#include <cstring>

#include "data/block_file.hpp"
#include "data/cards.hpp"
#include "data/file_text.hpp"
#include "data/text.hpp"

namespace sidewalk {

namespace {

// A block's rows as they stand (from the data file as read, or from the grid) when every row
// ends with its CR LF and there are at most a hundred: then they are written as they are.
bool RowsStandAsWritten(std::string_view rows) {
    std::size_t lines = 0;
    for (std::size_t at = 0; at < rows.size();) {
        const std::size_t end = at + FirstLineEnd(rows.data() + at, rows.size() - at);
        if (end + 1 >= rows.size() || rows[end] != '\r' || rows[end + 1] != '\n') return false;
        ++lines;
        at = end + 2;
    }
    return lines <= kMaxRows;
}

// Appends a block's rows: a row without its CR LF gets one, and rows past the hundredth are
// left out.
void AppendRows(std::string& out, std::string_view rows) {
    if (RowsStandAsWritten(rows)) {
        out += rows;
        return;
    }
    const auto split = SplitLines(rows);
    for (std::size_t r = 0; r < split.size() && r < kMaxRows; ++r) {
        out += split[r];
        out += kLineEnd;
    }
}

// The card file, piece after piece: card(text) for the header card and for each block card in
// use, rows(n) for the rows of block n after its card.
template <typename Card, typename Rows> Status CardPieces(const Job& job, Card card, Rows rows) {
    card(HeaderCard(job));
    for (int n = 1; n <= kMaxBlocks; ++n) {
        if (!job.blockInUse(n)) continue;
        const Result<std::string> blockCard = BlockCard(job, n);
        if (!blockCard) return Failure(blockCard.error());
        card(*blockCard);
        if (const Status appended = rows(n); appended.failed()) return appended;
    }
    return {};
}

// The card file as one text, each block's rows appended by rowsOf(out, n).
template <typename RowsOf> Result<std::string> CardText(const Job& job, RowsOf rowsOf) {
    std::string out;
    out.reserve(kMaxBlocks * (kMaxRows + 1) * 36);
    const Status made = CardPieces(
        job,
        [&out](const std::string& card) {
            out += card;
            out += kLineEnd;
        },
        [&](int n) { return rowsOf(out, n); });
    if (made.failed()) return Failure(made.error());
    return out;
}

} // namespace

Result<std::string> CardFileText(const Job& job, const Workspace& ws) {
    return CardText(job, [&ws](std::string& out, int n) -> Status {
        const std::string name = ws.BlockFileName(n);
        const Result<FileBytes> rows = ws.Read(name);
        if (!rows) {
            Message why = RowsUnreadable(n, name, rows.error().systemError);
            why.text += ". Nothing was written.";
            return Failure(why);
        }
        AppendRows(out, rows->view());
        return {};
    });
}

Result<CardFilePieces> CardFileInPieces(const Job& job, const BlockRowTexts& rows) {
    using Source = CardFilePieces::Source;
    CardFilePieces made;
    const Status walked = CardPieces(
        job,
        [&made](const std::string& card) {
            made.pieces_.push_back(
                {Source::Cards, made.cards_.size(), card.size() + kLineEnd.size(), {}});
            made.cards_ += card;
            made.cards_ += kLineEnd;
        },
        [&](int n) -> Status {
            const std::string_view blockRows = rows.at(static_cast<std::size_t>(n)).view();
            if (RowsStandAsWritten(blockRows)) {
                made.pieces_.push_back({Source::Held, 0, 0, blockRows});
            } else {
                made.pieces_.push_back({Source::Rewritten, made.rewritten_.size(), 0, {}});
                AppendRows(made.rewritten_.emplace_back(), blockRows);
            }
            return {};
        });
    if (walked.failed()) return Failure(walked.error());
    return made;
}

std::vector<std::string_view> CardFilePieces::Pieces() const {
    std::vector<std::string_view> pieces;
    pieces.reserve(pieces_.size());
    for (const Piece& p : pieces_)
        pieces.push_back(p.source == Source::Cards ? std::string_view(cards_).substr(p.from, p.size)
                         : p.source == Source::Held ? p.held
                                                    : std::string_view(rewritten_[p.from]));
    return pieces;
}

Result<std::string> CardFileText(const Job& job, const BlockRowTexts& rows) {
    const Result<CardFilePieces> made = CardFileInPieces(job, rows);
    if (!made) return Failure(made.error());
    std::string text;
    for (const std::string_view piece : made->Pieces())
        text += piece;
    return text;
}

Status WriteDataFile(const Job& job, const Workspace& ws, std::ostream& out) {
    const Result<std::string> text = CardFileText(job, ws);
    if (!text) return StatusOf(text);
    out.write(text->data(), static_cast<std::streamsize>(text->size()));
    out.flush();
    if (!out)
        return Failure({"Cannot write the card file: the output reported a failure.",
                        "File Output Error", MessageKind::Error});
    return {};
}

Status WriteDataFile(const Job& job, const Workspace& ws, const std::filesystem::path& fileName,
                     Replace replace) {
    const Result<std::string> text = CardFileText(job, ws);
    if (!text) return StatusOf(text);
    return WriteFileAtomically(fileName, *text, replace);
}

Result<std::string> WriteWorkFile(const Job& job, const Workspace& ws) {
    Result<std::string> text = CardFileText(job, ws);
    if (!text) return text;
    if (const Status written = ws.Write(ws.WorkFile(), *text); written.failed())
        return Failure(written.error());
    return text;
}

} // namespace sidewalk
