// The units code of a job, decoded once for the reader, the report and the windows: metric only
// for "M", English for anything else, as the report has always computed.
#pragma once

#include <string_view>

namespace sidewalk {

enum class Units { English, Metric };

inline Units DecodeUnits(std::string_view code) {
    return code == "M" ? Units::Metric : Units::English;
}

inline bool IsMetric(std::string_view code) {
    return DecodeUnits(code) == Units::Metric;
}

} // namespace sidewalk
