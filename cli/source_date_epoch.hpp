// SOURCE_DATE_EPOCH: the instant a reproducible run is stamped with, as a whole number of
// seconds since 1970 in UTC.
#pragma once

#include <ctime>
#include <optional>

namespace sidewalk {

// The instant text names when it is a whole number no later than the last second of 9999,
// else nothing (also for a null or empty text).
inline std::optional<std::time_t> ParseSourceDateEpoch(const char* text) {
    if (text == nullptr || *text == '\0') return std::nullopt;
    long long value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return std::nullopt;
        if (value > (253402300799LL - (*p - '0')) / 10) return std::nullopt;
        value = value * 10 + (*p - '0');
    }
    return static_cast<std::time_t>(value);
}

} // namespace sidewalk
