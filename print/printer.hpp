// What the report printing needs of a printer: a font, lines, new pages, sketch sheets and the
// end of a document. The real printer over the print system gives it; tests have one in memory.
#pragma once

#include <string>
#include <string_view>

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

} // namespace sidewalk::ui
