// Kinds and ranges of the edited fields.
#include "data/field_ranges.hpp"

#include "data/number.hpp"

namespace sidewalk {

NumberRange GridCellRange(GridColumn column) {
    switch (column) {
    case GridColumn::Type:
        return {0, 9, 0, 1};
    case GridColumn::Area:
        return {0, 9999.999, 3};
    case GridColumn::Station:
        return {0, 9999, 0};
    case GridColumn::Plus:
        return {0, 99.999, 3};
    case GridColumn::Radius:
        break;
    }
    return {0, 9999.999, 3};
}

NumberRange HeaderNumberRange(HeaderNumber field) {
    switch (field) {
    case HeaderNumber::Bcbsw:
        return {-999.999, 9999.999, 3};
    case HeaderNumber::Widsw:
        return {0, 99.999, 3};
    case HeaderNumber::W1:
    case HeaderNumber::W2:
        return {-99.999, 999.999, 3};
    case HeaderNumber::RadiusBl:
        break;
    }
    return {0, 999999.9999, 4};
}

TextCheck CheckNumberText(const NumberRange& range, std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty()) return TextCheck::Acceptable;
    if (range.maxLength > 0 && static_cast<int>(text.size()) > range.maxLength)
        return TextCheck::Invalid;

    std::string_view body = text;
    if (body.front() == '-') {
        if (range.min >= 0) return TextCheck::Invalid;
        body.remove_prefix(1);
    }
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (char c : body) {
        if (c == '.') {
            if (point || range.decimals == 0) return TextCheck::Invalid;
            point = true;
        } else if (c >= '0' && c <= '9') {
            ++digits;
            if (point && ++decimals > range.decimals) return TextCheck::Invalid;
        } else {
            return TextCheck::Invalid;
        }
    }
    if (digits == 0) return TextCheck::Intermediate;
    // More digits only move the value further from zero, so out of range stays out of range.
    const double value = Val(text);
    if (value < range.min || value > range.max) return TextCheck::Invalid;
    return TextCheck::Acceptable;
}

} // namespace sidewalk
