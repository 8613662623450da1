// The data file writer.
#include "data/writer.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "data/cards.hpp"
#include "data/text.hpp"

namespace sidewalk {

std::optional<Message> CardFileText(const Job& job, const Workspace& ws, std::string& text) {
    std::string out = HeaderCard(job);
    out += kLineEnd;
    for (int n = 1; n <= kMaxBlocks; ++n) {
        if (!job.blockInUse(n)) continue;
        std::string card;
        if (auto error = BlockCard(job, n, card)) return error;
        out += card;
        out += kLineEnd;

        // The rows are copied as they stand: from the data file as read, or from the grid.
        const std::string name = ws.BlockFileName(n);
        std::ifstream in(name, std::ios::binary);
        if (!in)
            return Message{"Cannot read the rows of block " + std::to_string(n) + " from " + name +
                               ": " + std::strerror(errno) + ". Nothing was written.",
                           "File Input Error", MessageKind::Error};
        std::string line;
        for (int r = 1; r <= kMaxRows && ReadLine(in, line); ++r) {
            out += line;
            out += kLineEnd;
        }
        if (in.bad())
            return Message{"Cannot read the rows of block " + std::to_string(n) + " from " + name +
                               ". Nothing was written.",
                           "File Input Error", MessageKind::Error};
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
                                     const std::filesystem::path& fileName, Durability durability) {
    std::string text;
    if (auto error = CardFileText(job, ws, text)) return error;
    return WriteFileAtomically(fileName, text, durability);
}

} // namespace sidewalk
