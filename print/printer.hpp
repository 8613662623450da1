// What the report printing needs of a printer: a font, lines, new pages and the end of a
// document. The real printer over the print system and a printer in memory for tests both
// give it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compute/block_sketch.hpp"
#include "data/message.hpp"

namespace sidewalk::ui {

class Printer {
  public:
    virtual ~Printer() = default;
    virtual void SetFont(std::string_view name, int points) = 0;
    // The widest line of the document to come, in characters: a printer that can narrows its
    // pitch so that such a line stays on one printed line rather than going on in the next.
    virtual void FitLineWidth(int /*characters*/) {}
    virtual void PrintLine(std::string_view line) = 0;
    virtual void NewPage() = 0;
    // A block's plan sketch on a sheet of its own; what follows starts a new sheet.
    virtual void PrintSketch(const BlockSketch& sketch) = 0;
    // The lines since the last end form one document, which goes to the spooler now.
    virtual Status EndDocument() = 0;
};

// A printer that keeps its documents: each a list of sheets, each a list of lines.
class MemoryPrinter : public Printer {
  public:
    using Sheet = std::vector<std::string>;
    using Document = std::vector<Sheet>;

    void SetFont(std::string_view name, int points) override {
        fontName = name;
        fontPoints = points;
    }
    void PrintLine(std::string_view line) override { Current().back().emplace_back(line); }
    void NewPage() override { Current().emplace_back(); }
    // A sketch's sheet holds one line: "[sketch] " and its title.
    void PrintSketch(const BlockSketch& sketch) override {
        if (!Current().back().empty()) NewPage();
        Current().back().push_back("[sketch] " + sketch.title);
    }
    Status EndDocument() override {
        documents.push_back(open_.value_or(Document{Sheet{}}));
        open_.reset();
        return {};
    }

    std::vector<Document> documents;
    std::string fontName;
    int fontPoints = 0;

  private:
    Document& Current() {
        if (!open_) open_ = Document{Sheet{}};
        return *open_;
    }
    std::optional<Document> open_;
};

} // namespace sidewalk::ui
