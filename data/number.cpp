// Val, Format patterns and rounding; locale-independent (std::from_chars / std::to_chars).
#include "data/number.hpp"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>

namespace sidewalk {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Reads a number too long or too large for the exact fast path; number holds the mantissa
// digits with their point and an "e" exponent, without sign or blanks.
double SlowMagnitude(const std::string& number) {
    double magnitude = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    (void)end;
    if (ec != std::errc::result_out_of_range) return magnitude;
    // Too large or too small for a double: decide which by the position of the mantissa's
    // first significant digit against the exponent.
    const auto ePos = number.find('e');
    const std::string_view mantissa(number.data(),
                                    ePos == std::string::npos ? number.size() : ePos);
    long long exponent = 0;
    if (ePos != std::string::npos) {
        const char* from = number.data() + ePos + 1;
        if (*from == '+') ++from;
        const auto r = std::from_chars(from, number.data() + number.size(), exponent);
        if (r.ec == std::errc::result_out_of_range)
            exponent = (*from == '-') ? std::numeric_limits<long long>::min() / 2
                                      : std::numeric_limits<long long>::max() / 2;
    }
    const auto point = mantissa.find('.');
    const long long intDigits =
        static_cast<long long>(point == std::string_view::npos ? mantissa.size() : point);
    const auto firstSig = mantissa.find_first_of("123456789");
    long long order = std::numeric_limits<long long>::min() / 2;
    if (firstSig != std::string_view::npos) {
        const long long pos = static_cast<long long>(firstSig);
        order = (pos < intDigits) ? intDigits - pos : intDigits - pos + 1;
    }
    return order + exponent > 0 ? std::numeric_limits<double>::max() : 0.0;
}

} // namespace

// The texts of cards and fields: blanks, an optional sign, at most 15 digits with an optional
// point, blanks, and nothing else. Read exactly as the general rule below reads them.
[[gnu::always_inline]] inline std::optional<double> ValQuick(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && *p == ' ')
        ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    std::uint64_t m = 0;
    auto digitsUntilOther = [&] {
        const char* const from = p;
        for (unsigned d; p < end && (d = static_cast<unsigned>(static_cast<unsigned char>(*p)) -
                                         unsigned{'0'}) < 10;
             ++p)
            m = m * 10 + d;
        return p - from;
    };
    auto digits = digitsUntilOther();
    std::ptrdiff_t decimals = 0;
    if (p < end && *p == '.') {
        ++p;
        decimals = digitsUntilOther();
        digits += decimals;
    }
    while (p < end && *p == ' ')
        ++p;
    if (p != end || digits == 0 || digits > 15) return std::nullopt;
    const double magnitude = static_cast<double>(m) / kPow10[decimals];
    return negative ? -magnitude : magnitude;
}

double Val(std::string_view text) {
    if (const auto quick = ValQuick(text)) return *quick;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // Mantissa: digits, at most one point, digits; at least one digit in all. Blanks anywhere
    // are skipped. Up to 15 significant digits are kept as a whole number for the fast path.
    const std::size_t mantissaFrom = i;
    unsigned long long digits = 0;
    int significant = 0;
    int scale = 0; // decimal exponent of the kept digits
    bool anyDigit = false;
    bool exact = true;
    bool seenPoint = false;
    for (;; ++i) {
        skipBlanks();
        if (i >= text.size()) break;
        const char c = text[i];
        if (IsDigit(c)) {
            anyDigit = true;
            if (significant == 0 && c == '0') {
                if (seenPoint) --scale;
            } else if (significant < 15) {
                digits = digits * 10 + static_cast<unsigned>(c - '0');
                ++significant;
                if (seenPoint) --scale;
            } else {
                exact = false;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0.0;
    const std::size_t mantissaTo = i;

    // Exponent: taken only when at least one digit follows the E and its sign.
    std::size_t exponentFrom = 0;
    std::size_t exponentTo = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        auto skip = [&] {
            while (j < text.size() && text[j] == ' ')
                ++j;
        };
        skip();
        const std::size_t from = j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        bool expDigit = false;
        for (;; ++j) {
            skip();
            if (j >= text.size() || !IsDigit(text[j])) break;
            expDigit = true;
        }
        if (expDigit) {
            exponentFrom = from;
            exponentTo = j;
            exact = false;
        }
    }

    double magnitude = 0.0;
    // A whole number of at most 15 digits and a power of ten up to 22 are both exact doubles,
    // so one multiplication or division rounds correctly.
    if (exact && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(digits);
        magnitude = scale >= 0 ? m * kPow10[scale] : m / kPow10[-scale];
    } else {
        std::string number;
        for (std::size_t k = mantissaFrom; k < mantissaTo; ++k)
            if (text[k] != ' ') number.push_back(text[k]);
        if (exponentTo > exponentFrom) {
            number.push_back('e');
            for (std::size_t k = exponentFrom; k < exponentTo; ++k)
                if (text[k] != ' ') number.push_back(text[k]);
        }
        magnitude = SlowMagnitude(number);
    }
    return negative ? -magnitude : magnitude;
}

namespace {

using Pattern = FormatPattern;

// Lays out the rounded digits: sign, integer part with its forced digits, point, decimals.
std::string Layout(bool negative, std::string_view integer, std::string_view fraction,
                   const Pattern& p) {
    std::size_t strip = 0;
    while (strip < integer.size() && integer[strip] == '0' &&
           static_cast<int>(integer.size() - strip) > p.minIntDigits)
        ++strip;
    integer.remove_prefix(strip);
    const std::size_t pad = static_cast<int>(integer.size()) < p.minIntDigits
                                ? static_cast<std::size_t>(p.minIntDigits) - integer.size()
                                : 0;
    const bool zero = integer.find_first_not_of('0') == std::string_view::npos &&
                      fraction.find_first_not_of('0') == std::string_view::npos;
    std::string out;
    out.reserve(1 + pad + integer.size() + 1 + fraction.size());
    if (negative && !zero) out.push_back('-');
    out.append(pad, '0');
    out.append(integer);
    if (p.decimals > 0) {
        out.push_back('.');
        out.append(fraction);
    }
    return out;
}

__extension__ typedef unsigned __int128 Wide; // GCC and Clang's 128-bit whole number

// Exact rounding with whole-number arithmetic: value = m * 2^e, so value * 10^d is
// m * 10^d shifted by e, and the bits shifted out decide the rounding (a tie goes up).
// Returns false when the value is too large for 128 bits.
bool FormatExact(double value, const Pattern& p, std::string& out) {
    if (p.decimals > 18) return false;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = 0;
    if (biased == 0) {
        e = -1074; // zero and subnormals
    } else {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    Wide scaled = m;
    for (int i = 0; i < p.decimals; ++i)
        scaled *= 10; // below 2^113
    Wide q = 0;
    if (e >= 0) {
        if (e > 14) return false;
        q = scaled << e;
    } else if (-e >= 127) {
        q = 0; // far below half a unit of the last decimal
    } else {
        const int shift = -e;
        const Wide one = 1;
        q = scaled >> shift;
        const Wide rest = scaled & ((one << shift) - 1);
        if (rest >= (one << (shift - 1))) ++q;
    }
    char digits[48];
    char* end = digits + sizeof digits;
    char* first = end;
    while (q > UINT64_MAX) {
        *--first = static_cast<char>('0' + static_cast<int>(q % 10));
        q /= 10;
    }
    auto small = static_cast<std::uint64_t>(q); // most figures: quick 64-bit division
    do {
        *--first = static_cast<char>('0' + static_cast<int>(small % 10));
        small /= 10;
    } while (small != 0);
    while (end - first <= p.decimals)
        *--first = '0';
    const std::string_view view(first, static_cast<std::size_t>(end - first));
    const std::size_t intLen = view.size() - static_cast<std::size_t>(p.decimals);
    out = Layout(std::signbit(value), view.substr(0, intLen), view.substr(intLen), p);
    return true;
}

constexpr std::uint64_t kPow10Int[] = {1, 10, 100, 1000};

// "00" to "99", for writing two digits at once.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

// The same rounding for the figures of every report line: at most 3 decimals and a value below
// 2^52, so that m * 10^d fits 64 bits. Lays the figure out to end at end (room for
// FigureText's buffer before it) and returns its first character, or nullptr for a value it
// does not take.
char* FormatQuick(double value, const Pattern& p, char* end) {
    if (p.decimals > 3 || p.minIntDigits > 20) return nullptr;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0 || biased == 0x7FF) return nullptr; // zero, subnormals, NaN, infinities
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
    const int shift = 1075 - biased; // value = m / 2^shift
    if (shift <= 0) return nullptr;
    const std::uint64_t scaled = m * kPow10Int[p.decimals]; // below 2^63
    std::uint64_t q = 0;
    if (shift < 64) {
        q = scaled >> shift;
        const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
        if (rest >= std::uint64_t{1} << (shift - 1)) ++q; // a tie goes away from zero
    }
    // Digits from the right: the decimals, then the integer part down to its forced digits.
    char* first = end;
    const bool zero = q == 0;
    int decimals = p.decimals;
    if (decimals == 3) { // the usual figure: its three decimals in two steps
        const auto three = static_cast<unsigned>(q % 1000);
        q /= 1000;
        first -= 3;
        std::memcpy(first + 1, kDigitPairs + 2 * (three % 100), 2);
        first[0] = static_cast<char>('0' + three / 100);
        decimals = 0;
    }
    for (; decimals > 0; --decimals) {
        *--first = static_cast<char>('0' + q % 10);
        q /= 10;
    }
    if (p.decimals > 0) *--first = '.';
    int forced = p.minIntDigits;
    while (q >= 100) { // the integer part two digits at a time
        first -= 2;
        std::memcpy(first, kDigitPairs + 2 * (q % 100), 2);
        q /= 100;
        forced -= 2;
    }
    if (q >= 10) { // the last two digits, or the last one
        first -= 2;
        std::memcpy(first, kDigitPairs + 2 * q, 2);
        forced -= 2;
    } else if (q != 0) {
        *--first = static_cast<char>('0' + q);
        --forced;
    }
    for (; forced > 0; --forced)
        *--first = '0';
    if (!zero && std::signbit(value)) *--first = '-';
    return first;
}

} // namespace

FigureText::FigureText(double value, const FormatPattern& pattern) {
    char* const end = buffer_ + sizeof buffer_;
    if (const char* first = FormatQuick(value, pattern, end); first != nullptr) {
        view_ = std::string_view(first, static_cast<std::size_t>(end - first));
    } else {
        slow_ = Format(value, pattern);
        view_ = slow_;
    }
}

void AppendFormat(std::string& out, double value, const FormatPattern& p) {
    out += FigureText(value, p).view();
}

void AppendFormat(std::string& out, double value, const FormatPattern& p, int width) {
    const FigureText figure(value, p);
    const std::string_view text = figure.view();
    if (static_cast<int>(text.size()) < width)
        out.append(static_cast<std::size_t>(width) - text.size(), ' ');
    out += text;
}

std::string Format(double value, std::string_view pattern) {
    return Format(value, ParsePattern(pattern));
}

std::string Format(double value, const FormatPattern& p) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    char quick[FigureText::kRoom];
    char* const quickEnd = quick + sizeof quick;
    if (const char* first = FormatQuick(value, p, quickEnd); first != nullptr)
        return std::string(first, static_cast<std::size_t>(quickEnd - first));
    std::string out;
    if (FormatExact(value, p, out)) return out;

    // Very large values: the correctly rounding formatter, nudged one step away from zero at
    // an exact tie (one of m / 2^(decimals+1) with m odd) so that the tie goes away from zero.
    double v = value;
    const double scaled = std::ldexp(value, p.decimals + 1);
    if (std::abs(scaled) < 9007199254740992.0 && scaled == std::trunc(scaled) &&
        std::fmod(std::abs(scaled), 2.0) == 1.0)
        v = std::nextafter(value, value < 0 ? -std::numeric_limits<double>::infinity()
                                            : std::numeric_limits<double>::infinity());
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                         std::chars_format::fixed, p.decimals);
    if (ec != std::errc()) return "?";
    std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    const auto dot = digits.find('.');
    const std::string_view integer = digits.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : digits.substr(dot + 1);
    return Layout(negative, integer, fraction, p);
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
