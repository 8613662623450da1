// The data file writer.
#include "data/writer.hpp"

#include <cerrno>
#include <cstring>

#include "data/cards.hpp"
#include "data/file_text.hpp"
#include "data/text.hpp"

namespace sidewalk {

std::optional<Message> CardFileText(const Job& job, const Workspace& ws, std::string& text) {
    std::string out;
    out.reserve(kMaxBlocks * (kMaxRows + 1) * 36);
    out += HeaderCard(job);
    std::string rows;
    out += kLineEnd;
    for (int n = 1; n <= kMaxBlocks; ++n) {
        if (!job.blockInUse(n)) continue;
        std::string card;
        if (auto error = BlockCard(job, n, card)) return error;
        out += card;
        out += kLineEnd;

        // The rows are copied as they stand: from the data file as read, or from the grid.
        const std::string name = ws.BlockFileName(n);
        if (const int error = ReadWholeFile(name, rows); error != 0)
            return Message{"Cannot read the rows of block " + std::to_string(n) + " from " + name +
                               ": " + ReadErrorText(error) + ". Nothing was written.",
                           "File Input Error", MessageKind::Error};
        const auto lines = SplitLines(rows);
        for (std::size_t r = 0; r < lines.size() && r < kMaxRows; ++r) {
            out += lines[r];
            out += kLineEnd;
        }
    }
    text = std::move(out);
    return std::nullopt;
}

std::optional<Message> WriteDataFile(const Job& job, const Workspace& ws, std::ostream& out) {
    std::string text;
    if (auto error = CardFileText(job, ws, text)) return error;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out)
        return Message{"Cannot write the card file: the output reported a failure.",
                       "File Output Error", MessageKind::Error};
    return std::nullopt;
}

std::optional<Message> WriteDataFile(const Job& job, const Workspace& ws,
                                     const std::filesystem::path& fileName) {
    std::string text;
    if (auto error = CardFileText(job, ws, text)) return error;
    return WriteFileAtomically(fileName, text);
}

std::optional<Message> WriteWorkFile(const Job& job, const Workspace& ws) {
    std::string text;
    if (auto error = CardFileText(job, ws, text)) return error;
    return ReplaceWorkspaceFile(ws.WorkFile(), text);
}

} // namespace sidewalk
