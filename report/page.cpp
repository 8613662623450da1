// Page form of the report.
#include "report/page.hpp"

#include <string>

#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "data/text.hpp"

namespace sidewalk {

void WriteLine(RunState& s, std::string_view line) {
    s.report += line;
    s.report += kLineEnd;
}

void WriteLine(RunState& s, std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces)
        s.report += piece;
    s.report += kLineEnd;
}

std::string Stars() {
    return std::string(kStarWidth, '*');
}

void PrintPageHeader(RunState& s) {
    s.pageNo += 1;
    if (s.pageNo >= 2) WriteLine(s, "\f");
    // The title stands in column 31; a longer version text pushes it to the next line.
    const std::string title = "SIDEWALK CURB & GRASSING QUANTITIES";
    const std::string version = " " + s.versionLine;
    if (version.size() <= 30) {
        WriteLine(s, PadField(version, 30, "R") + title);
    } else {
        WriteLine(s, version);
        WriteLine(s, std::string(30, ' ') + title);
    }
    WriteLine(s, " PROGRAM  TOVRZ41     DATE PROC " + s.dateProc + "    TIME PROC " + s.timeProc +
                     "   " + "PAGE " + PadField(Format(s.pageNo, "##0"), 5, "L"));
    WriteLine(s, " REF. # - " + PadField(s.refNo, 7, "R") + "     PROJECT NO.  " + s.projectNo);
    WriteLine(s, " SUBM ENGINEER: " + s.engineer);
    WriteLine(s, std::string(" INPUT DATA IS IN ") + (s.metric() ? "METRIC" : "ENGLISH"));
    WriteLine(s, " ");
    s.lineNo = 6;
}

void StampDateTime(RunState& s, std::optional<std::time_t> utcTime) {
    std::tm tm{};
    if (utcTime) {
        gmtime_r(&*utcTime, &tm);
    } else {
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &tm);
    }
    s.dateProc = Format(tm.tm_mon + 1, "00") + "/" + Format(tm.tm_mday, "00") + "/" +
                 Format(tm.tm_year + 1900, "0000");
    s.timeProc =
        Format(tm.tm_hour, "00") + ":" + Format(tm.tm_min, "00") + ":" + Format(tm.tm_sec, "00");
}

std::string FormatStation(double value) {
    const std::string text = PadField(Format(value, "###000.000"), 11, "L");
    // The first 5 characters, "+", the last 6; then the blanks trimmed.
    std::string out;
    out.reserve(12);
    out.append(text, 0, 5);
    out.push_back('+');
    out.append(text, text.size() - 6, 6);
    const auto first = out.find_first_not_of(' ');
    if (first != 0) out.erase(0, first);
    return out;
}

void StarBox(RunState& s, std::initializer_list<std::string_view> lines) {
    WriteLine(s, " ");
    WriteLine(s, Stars());
    for (std::string_view line : lines)
        WriteLine(s, line);
    WriteLine(s, Stars());
    WriteLine(s, " ");
}

} // namespace sidewalk
