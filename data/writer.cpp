// The data file writer.
#include "data/writer.hpp"

#include <cerrno>
#include <cstring>

#include "data/block_file.hpp"
#include "data/cards.hpp"
#include "data/file_text.hpp"
#include "data/text.hpp"

namespace sidewalk {

Result<std::string> CardFileText(const Job& job, const Workspace& ws) {
    std::string out;
    out.reserve(kMaxBlocks * (kMaxRows + 1) * 36);
    out += HeaderCard(job);
    FileBytes rows;
    out += kLineEnd;
    for (int n = 1; n <= kMaxBlocks; ++n) {
        if (!job.blockInUse(n)) continue;
        const Result<std::string> card = BlockCard(job, n);
        if (!card) return Failure(card.error());
        out += *card;
        out += kLineEnd;

        // The rows are copied as they stand: from the data file as read, or from the grid.
        const std::string name = ws.BlockFileName(n);
        const Result<FileBytes> rows = ws.Read(name);
        if (!rows) {
            Message why = RowsUnreadable(n, name, rows.error().systemError);
            why.text += ". Nothing was written.";
            return Failure(why);
        }
        const std::string_view file = rows->view();
        const auto lines = SplitLines(file);
        std::size_t bytes = 0;
        for (std::string_view line : lines)
            bytes += line.size() + kLineEnd.size();
        if (bytes == file.size() && lines.size() <= kMaxRows) {
            out += file; // every line already ends in CR LF: the file as it stands
            continue;
        }
        for (std::size_t r = 0; r < lines.size() && r < kMaxRows; ++r) {
            out += lines[r];
            out += kLineEnd;
        }
    }
    return out;
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
