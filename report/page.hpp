// What the report's lines are made of: the run date and time, station texts, figures padded to
// their columns; and the report's text split into pages.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/number.hpp"
#include "report/report_writer.hpp"

namespace sidewalk {

inline constexpr int kStarWidth = 70;

// The length unit after a figure: " FT." or " M  ".
inline std::string_view LengthUnit(bool metric) {
    return metric ? " M  " : " FT.";
}

// A line of 70 asterisks.
std::string Stars();

// Fills DateProc ("mm/dd/yyyy") and TimeProc ("hh:mm:ss"): from utcTime in UTC when given,
// else from the system clock as local time.
void StampDateTime(PageHeading& h, std::optional<std::time_t> utcTime);

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

// The pages of a report text: split at its form-feed lines, which belong to no page. Each page
// keeps its lines with their CR LF ends.
std::vector<std::string_view> SplitPages(std::string_view report);

} // namespace sidewalk
