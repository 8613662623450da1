// The report writer: lines, page headers and boxes.
#include "report/report_writer.hpp"

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
    // The title stands in column 31; a longer version text pushes it to the next line.
    const std::string title = "SIDEWALK CURB & GRASSING QUANTITIES";
    const std::string version = " " + h.versionLine;
    if (version.size() <= 30) {
        Line(PadField(version, 30, "R") + title);
    } else {
        Line(version);
        Line(std::string(30, ' ') + title);
    }
    Line(" PROGRAM  TOVRZ41     DATE PROC " + h.dateProc + "    TIME PROC " + h.timeProc + "   " +
         "PAGE " + Figure(pageNo_, "##0", 5));
    Line(" REF. # - " + PadField(h.refNo, 7, "R") + "     PROJECT NO.  " + h.projectNo);
    Line(" SUBM ENGINEER: " + h.engineer);
    Line(std::string(" INPUT DATA IS IN ") + (h.metric ? "METRIC" : "ENGLISH"));
    Line(" ");
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
