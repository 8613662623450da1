// Writes the whole job as a card file in the current layout: the header card, then for each
// slot in use its block card and the row cards of its workspace file.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "data/atomic_file.hpp"
#include "data/job.hpp"
#include "data/message.hpp"
#include "data/reader.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

// The card file as one text; an error when a block card's value does not fit its field or a
// block file of a slot in use cannot be read.
Result<std::string> CardFileText(const Job& job, const Workspace& ws);

// The same from the row cards held in memory, by slot.
Result<std::string> CardFileText(const Job& job, const BlockRowTexts& rows);

// That text in pieces, in order, each ending a line: the cards, and each block's rows where they
// are held when they stand as written (else rewritten). For reading the text without making it.
class CardFilePieces {
  public:
    // Valid while this and the rows it was made from live unchanged.
    std::vector<std::string_view> Pieces() const;

  private:
    friend Result<CardFilePieces> CardFileInPieces(const Job&, const BlockRowTexts&);
    enum class Source { Cards, Held, Rewritten };
    struct Piece {
        Source source;
        std::size_t from = 0, size = 0; // in cards_, or the index in rewritten_
        std::string_view held;
    };
    std::string cards_; // the header and block cards
    std::vector<std::string> rewritten_;
    std::vector<Piece> pieces_;
};
Result<CardFilePieces> CardFileInPieces(const Job& job, const BlockRowTexts& rows);

// Writes the card file to a stream; an error when the stream fails.
Status WriteDataFile(const Job& job, const Workspace& ws, std::ostream& out);

// Replaces fileName with the card file only once every byte was written and flushed; on any
// failure the old file stays as it was.
Status WriteDataFile(const Job& job, const Workspace& ws, const std::filesystem::path& fileName,
                     Replace replace = Replace::Unasked);

// Writes the card file to the workspace's work file, which the report run reads; returns what
// was written.
Result<std::string> WriteWorkFile(const Job& job, const Workspace& ws);

} // namespace sidewalk
