// Val, Format patterns and rounding; locale-independent (std::from_chars / std::to_chars).
#include "data/number.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace sidewalk {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

double Val(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ') s.push_back(c);

    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    // Mantissa: digits, at most one point, digits; at least one digit in all.
    std::string number;
    bool anyDigit = false;
    while (i < s.size() && IsDigit(s[i])) {
        number.push_back(s[i++]);
        anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && IsDigit(s[i])) {
            number.push_back(s[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0.0;

    // Exponent: taken only when at least one digit follows the E and its sign.
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
        const std::size_t digitsFrom = j;
        while (j < s.size() && IsDigit(s[j])) exponent.push_back(s[j++]);
        if (j > digitsFrom) number += exponent;
    }

    double magnitude = 0.0;
    const auto [end, ec] =
        std::from_chars(number.data(), number.data() + number.size(), magnitude);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: decide which by the mantissa's first
        // significant digit against the exponent.
        const auto ePos = number.find('e');
        const std::string_view mantissa(number.data(), ePos == std::string::npos ? number.size()
                                                                                 : ePos);
        long long exponent = 0;
        if (ePos != std::string::npos) {
            const char* from = number.data() + ePos + 1;
            if (*from == '+') ++from;
            const auto r = std::from_chars(from, number.data() + number.size(), exponent);
            if (r.ec == std::errc::result_out_of_range)
                exponent = (*from == '-') ? std::numeric_limits<long long>::min() / 2
                                          : std::numeric_limits<long long>::max() / 2;
        }
        // Position of the first significant digit relative to the point.
        const auto point = mantissa.find('.');
        const long long intDigits =
            static_cast<long long>(point == std::string_view::npos ? mantissa.size() : point);
        const auto firstSig = mantissa.find_first_of("123456789");
        long long magnitudeOrder = 0;
        if (firstSig == std::string_view::npos) {
            magnitudeOrder = std::numeric_limits<long long>::min() / 2;
        } else {
            const long long pos = static_cast<long long>(firstSig);
            magnitudeOrder = (pos < intDigits) ? intDigits - pos : intDigits - pos + 1;
        }
        const bool overflow = magnitudeOrder + exponent > 0;
        magnitude = overflow ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

std::string Format(double value, std::string_view pattern) {
    const auto point = pattern.find('.');
    const std::string_view intPart = pattern.substr(0, point);
    int decimals = 0;
    if (point != std::string_view::npos)
        for (char c : pattern.substr(point + 1))
            if (c == '0' || c == '#') ++decimals;
    int minIntDigits = 0;
    for (char c : intPart)
        if (c == '0') ++minIntDigits;

    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";

    // An exact tie at this number of decimals is m / 2^(decimals+1) with m odd; nudging the
    // value one step away from zero makes the correctly rounding formatter round away too.
    double v = value;
    const double scaled = std::ldexp(value, decimals + 1);
    if (std::abs(scaled) < 9007199254740992.0 && scaled == std::trunc(scaled) &&
        std::fmod(std::abs(scaled), 2.0) == 1.0)
        v = std::nextafter(value, value < 0 ? -std::numeric_limits<double>::infinity()
                                            : std::numeric_limits<double>::infinity());

    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "?";
    std::string digits(buffer.data(), end);

    bool negative = false;
    if (!digits.empty() && digits.front() == '-') {
        negative = true;
        digits.erase(0, 1);
    }
    if (digits.find_first_not_of("0.") == std::string::npos) negative = false;

    // Integer digits: drop leading zeros down to the pattern's forced digits.
    const auto dot = digits.find('.');
    std::string integer = digits.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? std::string() : digits.substr(dot);
    std::size_t strip = 0;
    while (strip < integer.size() && integer[strip] == '0' &&
           static_cast<int>(integer.size() - strip) > minIntDigits)
        ++strip;
    integer.erase(0, strip);
    if (static_cast<int>(integer.size()) < minIntDigits)
        integer = std::string(static_cast<std::size_t>(minIntDigits) - integer.size(), '0') +
                  integer;

    return (negative ? "-" : "") + integer + fraction;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

} // namespace sidewalk
