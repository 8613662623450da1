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

// Appends a block's rows as they stand: from the data file as read, or from the grid; a row
// without its CR LF gets one, and rows past the hundredth are left out.
void AppendRows(std::string& out, std::string_view rows) {
    std::size_t lines = 0;
    bool crLf = true;
    for (std::size_t at = 0; at < rows.size();) {
        const std::size_t end = rows.find('\n', at);
        if (end == std::string_view::npos || end == at || rows[end - 1] != '\r' ||
            rows.substr(at, end - 1 - at).find('\r') != std::string_view::npos) {
            crLf = false;
            break;
        }
        ++lines;
        at = end + 1;
    }
    if (crLf && lines <= kMaxRows) {
        out += rows; // every line already ends in CR LF: the rows as they stand
        return;
    }
    const auto split = SplitLines(rows);
    for (std::size_t r = 0; r < split.size() && r < kMaxRows; ++r) {
        out += split[r];
        out += kLineEnd;
    }
}

// The card file, each block's rows appended by rowsOf(out, n).
template <typename RowsOf> Result<std::string> CardText(const Job& job, RowsOf rowsOf) {
    std::string out;
    out.reserve(kMaxBlocks * (kMaxRows + 1) * 36);
    out += HeaderCard(job);
    out += kLineEnd;
    for (int n = 1; n <= kMaxBlocks; ++n) {
        if (!job.blockInUse(n)) continue;
        const Result<std::string> card = BlockCard(job, n);
        if (!card) return Failure(card.error());
        out += *card;
        out += kLineEnd;
        if (const Status appended = rowsOf(out, n); appended.failed()) return Failure(appended.error());
    }
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

Result<std::string> CardFileText(const Job& job, const BlockRowTexts& rows) {
    return CardText(job, [&rows](std::string& out, int n) -> Status {
        AppendRows(out, rows.at(static_cast<std::size_t>(n)));
        return {};
    });
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
