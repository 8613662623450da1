// Number validation through the core's field checks.
#include "entry/number_validator.hpp"

#include "data/number.hpp"

namespace sidewalk::ui {

QValidator::State NumberValidator::validate(QString& input, int&) const {
    switch (CheckNumberText(range_, input.toStdString())) {
    case TextCheck::Acceptable:
        return Acceptable;
    case TextCheck::Intermediate:
        return Intermediate;
    case TextCheck::Invalid:
        break;
    }
    return Invalid;
}

QString NumberValidator::RangeText(const NumberRange& range) {
    std::string pattern = "0";
    if (range.decimals > 0)
        pattern += "." + std::string(static_cast<std::size_t>(range.decimals), '0');
    const std::string kind = range.decimals == 0 ? "A whole number" : "A number";
    return QString::fromStdString(kind + " from " + Format(range.min, pattern) + " to " +
                                  Format(range.max, pattern));
}

} // namespace sidewalk::ui
