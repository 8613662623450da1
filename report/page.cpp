// The pieces of report lines.
#include "report/page.hpp"

#include <string>

#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "data/text.hpp"

namespace sidewalk {

std::string Stars() {
    return std::string(kStarWidth, '*');
}

void StampDateTime(PageHeading& p, std::optional<std::time_t> utcTime) {
    std::tm tm{};
    if (utcTime) {
        gmtime_r(&*utcTime, &tm);
    } else {
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &tm);
    }
    p.dateProc = Format(tm.tm_mon + 1, "00") + "/" + Format(tm.tm_mday, "00") + "/" +
                 Format(tm.tm_year + 1900, "0000");
    p.timeProc =
        Format(tm.tm_hour, "00") + ":" + Format(tm.tm_min, "00") + ":" + Format(tm.tm_sec, "00");
}

std::string FormatStation(double value) {
    // The figure right-justified in 11, its first 5 characters, "+", its last 6, then the
    // leading blanks trimmed: the hundreds, "+", the plus with its three decimals.
    static constexpr FormatPattern kStation = ParsePattern("###000.000");
    const FigureText figure(value, kStation);
    const std::string_view text = figure.view();
    const std::size_t n = text.size();
    if (n < 6) { // "NaN": all of the rule, blanks and all
        const std::string padded = PadField(text, 11, "L");
        std::string out = padded.substr(0, 5) + "+" + padded.substr(5);
        return out.substr(out.find_first_not_of(' '));
    }
    const std::size_t hundreds = n <= 11 ? n - 6 : 5;
    std::string out;
    out.reserve(hundreds + 7);
    out.append(text.substr(0, hundreds));
    out += '+';
    out.append(text.substr(n - 6));
    return out;
}

std::string StationField(std::string_view stationText) {
    return PadField(stationText, 11, "L");
}

void AppendRightJustified(std::string& line, std::string_view text, int width) {
    if (static_cast<int>(text.size()) < width)
        line.append(static_cast<std::size_t>(width) - text.size(), ' ');
    line += text;
}

void AppendFigure(std::string& line, double value, std::string_view pattern, int width) {
    AppendFigure(line, value, ParsePattern(pattern), width);
}

void AppendFigure(std::string& line, double value, const FormatPattern& pattern, int width) {
    AppendFormat(line, value, pattern, width);
}

std::string Figure(double value, std::string_view pattern, int width) {
    std::string figure;
    AppendFigure(figure, value, pattern, width);
    return figure;
}

std::vector<std::string_view> SplitPages(std::string_view report) {
    std::vector<std::string_view> pages;
    std::size_t pageStart = 0;
    std::size_t lineStart = 0;
    while (lineStart < report.size()) {
        const std::size_t lf = report.find('\n', lineStart);
        const std::size_t next = lf == std::string_view::npos ? report.size() : lf + 1;
        const std::string_view line = report.substr(lineStart, next - lineStart);
        if (line == "\f\r\n" || line == "\f\n" || line == "\f") {
            pages.push_back(report.substr(pageStart, lineStart - pageStart));
            pageStart = next;
        }
        lineStart = next;
    }
    if (pageStart < report.size()) pages.push_back(report.substr(pageStart));
    return pages;
}

} // namespace sidewalk
