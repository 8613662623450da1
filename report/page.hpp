// The report's page form: the page's header fields and counters, report lines, the six-line page
// header with its form-feed page break, the run date and time, station texts, figures padded to
// their columns and the asterisk message box.
#pragma once

#include <ctime>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/number.hpp"
#include "data/units.hpp"

namespace sidewalk {

inline constexpr int kStarWidth = 70;

// The report as written so far, with what every page header shows.
struct ReportPage {
    std::string versionLine, dateProc, timeProc, refNo, projectNo, engineer, unitsCode;
    std::string lengthUnit = " FT.";
    int pageNo = 0;
    int lineNo = 0;
    std::string report; // lines ended by CR LF

    bool metric() const { return IsMetric(unitsCode); }
};

// Appends one report line, ended by CR LF.
void WriteLine(ReportPage& p, std::string_view line);

// Appends one report line made of these pieces, ended by CR LF.
void WriteLine(ReportPage& p, std::initializer_list<std::string_view> pieces);

// A line of 70 asterisks.
std::string Stars();

// Starts a page: a form-feed line from the second page on, then the header; LineNo = 6.
void PrintPageHeader(ReportPage& p);

// Fills DateProc ("mm/dd/yyyy") and TimeProc ("hh:mm:ss"): from utcTime in UTC when given,
// else from the system clock as local time.
void StampDateTime(ReportPage& p, std::optional<std::time_t> utcTime);

// Station text: 1234.5 gives "12+34.500".
std::string FormatStation(double value);

// A station text right-justified in the 11 columns every report line gives it.
std::string StationField(std::string_view stationText);

// A figure of the report: value written with the Format pattern, right-justified in width.
std::string Figure(double value, std::string_view pattern, int width);

// The same, appended to a line being built.
void AppendFigure(std::string& line, double value, std::string_view pattern, int width);
void AppendFigure(std::string& line, double value, const FormatPattern& pattern, int width);

// Appends text right-justified in width; a longer text is appended whole.
void AppendRightJustified(std::string& line, std::string_view text, int width);

// " ", 70 asterisks, the message lines, 70 asterisks, " ".
void StarBox(ReportPage& p, std::initializer_list<std::string_view> lines);

// The pages of a report text: split at its form-feed lines, which belong to no page. Each page
// keeps its lines with their CR LF ends.
std::vector<std::string_view> SplitPages(std::string_view report);

} // namespace sidewalk
