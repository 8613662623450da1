// The report as it is written: its lines, the page header with its form-feed page break, the
// asterisk boxes, and the line count the pagination rules go by. Nothing else writes report text.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace sidewalk {

// What every page header shows.
struct PageHeading {
    std::string versionLine, dateProc, timeProc, refNo, projectNo, engineer;
    bool metric = false;
    bool operator==(const PageHeading&) const = default;
};

class ReportWriter {
  public:
    PageHeading heading;

    void Reserve(std::size_t bytes) { text_.reserve(bytes); }

    // Where the text goes as it is written, when it is not kept whole: GiveOut hands it the
    // lines written so far, once they come to atLeast bytes.
    using Sink = std::function<void(std::string_view)>;
    void SetSink(Sink sink) { sink_ = std::move(sink); }
    void GiveOut(std::size_t atLeast = 0) {
        if (sink_ && !text_.empty() && text_.size() >= atLeast) {
            sink_(text_);
            text_.clear();
        }
    }

    // One line, ended by CR LF; it is not counted (the run counts a line for each card).
    void Line(std::string_view line);
    void Line(std::initializer_list<std::string_view> pieces);
    // A line built in place: append to the text, then end it with EndLine.
    std::string& Text() { return text_; }
    void EndLine();

    // Starts a page: a form-feed line from the second page on, then the header; the page then
    // holds 6 lines.
    void NewPage();
    // A new page when the page holds more than this many lines.
    void NewPageIfPast(int lines) {
        if (lineNo_ > lines) NewPage();
    }
    // " ", 70 asterisks, the message lines, 70 asterisks, " "; the page counts that as
    // countsAs lines, however many it wrote.
    void Box(std::initializer_list<std::string_view> lines, int countsAs);

    // The page holds this many lines more, or exactly this many.
    void Count(int lines) { lineNo_ += lines; }
    void SetLines(int lines) { lineNo_ = lines; }
    // The next check for room starts a page.
    void PageFull() { lineNo_ = 60; }

    int lines() const { return lineNo_; }
    // The text not given out (all of it, without a sink).
    std::string Take() {
        GiveOut();
        return std::move(text_);
    }

  private:
    std::string text_; // lines ended by CR LF
    Sink sink_;
    // The page header made for headerOf_: the text before the page number and after it.
    std::optional<PageHeading> headerOf_;
    std::string headerToPageNo_, headerAfterPageNo_;
    int pageNo_ = 0;
    int lineNo_ = 0;
};

} // namespace sidewalk
