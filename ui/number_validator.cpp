// Number validation through the core's field checks.
#include "ui/number_validator.hpp"

#include <QToolTip>

#include "print/report_text.hpp"

#include "data/number.hpp"

namespace sidewalk::ui {

bool FitsRange(const NumberRange& range, const QString& text) {
    return CheckNumberText(range, text.toStdString()) == TextCheck::Acceptable;
}

QValidator::State NumberValidator::validate(QString& input, int&) const {
    input.replace(',', '.');
    return FitsRange(range_, input) ? Acceptable : Intermediate;
}

QColor NotFitColour() {
    return {255, 190, 190};
}

QString NumberValidator::NotFitText(const NumberRange& range) {
    return "This value does not fit: " + RangeText(range).replace(0, 1, 'a') +
           ". Correct it or clear it.";
}

void MakeNumberField(QLineEdit& edit, const NumberRange& range) {
    edit.setValidator(new NumberValidator(range, &edit));
    edit.setToolTip(NumberValidator::RangeText(range));
    const QPalette normal = edit.palette();
    QObject::connect(&edit, &QLineEdit::textChanged, &edit, [&edit, range, normal] {
        const bool fits = edit.hasAcceptableInput();
        QPalette palette = normal;
        if (!fits) palette.setColor(QPalette::Base, NotFitColour());
        edit.setPalette(palette);
        edit.setToolTip(fits ? NumberValidator::RangeText(range)
                             : NumberValidator::NotFitText(range));
    });
}

QString NumberValidator::RangeText(const NumberRange& range) {
    std::string pattern = "0";
    if (range.decimals > 0)
        pattern += "." + std::string(static_cast<std::size_t>(range.decimals), '0');
    const std::string kind = range.decimals == 0 ? "A whole number" : "A number";
    return QString::fromStdString(kind + " from " + Format(range.min, pattern) + " to " +
                                  Format(range.max, pattern));
}

QValidator::State CardTextValidator::validate(QString& input, int&) const {
    if (input.size() > length_) return Invalid;
    const auto* edit = qobject_cast<const QLineEdit*>(parent());
    for (const QChar c : input) {
        if (CardBytes(QString(c)) || shown_.contains(c)) continue;
        if (edit != nullptr)
            QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                               "\"" + QString(c) +
                                   "\" cannot be kept in a card file, which holds the letters of "
                                   "Western European languages (Windows-1252).",
                               const_cast<QLineEdit*>(edit));
        return Invalid;
    }
    return Acceptable;
}

} // namespace sidewalk::ui
