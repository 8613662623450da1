// The report's page form: report lines, the six-line page header with its form-feed page break,
// the run date and time, station texts and the asterisk message box.
#pragma once

#include <ctime>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "compute/run_state.hpp"

namespace sidewalk {

inline constexpr int kStarWidth = 70;

// Appends one report line, ended by CR LF.
void WriteLine(RunState& s, std::string_view line);

// Appends one report line made of these pieces, ended by CR LF.
void WriteLine(RunState& s, std::initializer_list<std::string_view> pieces);

// A line of 70 asterisks.
std::string Stars();

// Starts a page: a form-feed line from the second page on, then the header; LineNo = 6.
void PrintPageHeader(RunState& s);

// Fills DateProc ("mm/dd/yyyy") and TimeProc ("hh:mm:ss"): from utcTime in UTC when given,
// else from the system clock as local time.
void StampDateTime(RunState& s, std::optional<std::time_t> utcTime);

// Station text: 1234.5 gives "12+34.500".
std::string FormatStation(double value);

// " ", 70 asterisks, the message lines, 70 asterisks, " ".
void StarBox(RunState& s, std::initializer_list<std::string_view> lines);

} // namespace sidewalk
