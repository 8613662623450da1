// The report writer: lines, page headers and boxes.
#include "report/report_writer.hpp"

#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "data/text.hpp"
#include "report/page.hpp"

namespace sidewalk {

void ReportWriter::Line(std::string_view line) {
    text_ += line;
    text_ += kLineEnd;
}

void ReportWriter::Line(std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces)
        text_ += piece;
    text_ += kLineEnd;
}

void ReportWriter::EndLine() {
    text_ += kLineEnd;
}

void ReportWriter::NewPage() {
    pageNo_ += 1;
    if (pageNo_ >= 2) Line("\f");
    const PageHeading& h = heading;
    if (headerOf_ != h) { // made once for the run: only the page number changes
        // The title stands in column 31; a longer version text pushes it to the next line.
        const std::string title = "SIDEWALK CURB & GRASSING QUANTITIES";
        const std::string version = " " + h.versionLine;
        std::string& head = headerToPageNo_;
        head = version.size() <= 30
                   ? PadField(version, 30, "R") + title
                   : version + std::string(kLineEnd) + std::string(30, ' ') + title;
        head += kLineEnd;
        head += " PROGRAM  TOVRZ41     DATE PROC " + h.dateProc + "    TIME PROC " + h.timeProc +
                "   " + "PAGE ";
        headerAfterPageNo_ = std::string(kLineEnd) + " REF. # - " + PadField(h.refNo, 7, "R") +
                             "     PROJECT NO.  " + h.projectNo + std::string(kLineEnd) +
                             " SUBM ENGINEER: " + h.engineer + std::string(kLineEnd) +
                             " INPUT DATA IS IN " + (h.metric ? "METRIC" : "ENGLISH") +
                             std::string(kLineEnd) + " " + std::string(kLineEnd);
        headerOf_ = h;
    }
    static constexpr FormatPattern kPageNo = ParsePattern("##0");
    text_ += headerToPageNo_;
    AppendFigure(text_, pageNo_, kPageNo, 5);
    text_ += headerAfterPageNo_;
    lineNo_ = 6;
}

void ReportWriter::Box(std::initializer_list<std::string_view> lines, int countsAs) {
    Line(" ");
    Line(Stars());
    for (std::string_view line : lines)
        Line(line);
    Line(Stars());
    Line(" ");
    lineNo_ += countsAs;
}

} // namespace sidewalk
