// A validator for a number field or grid cell: acceptable only within the field's kind and range,
// as the core's field checks say, so nothing typed can shift the columns of the data file. A key
// is never dropped: a text that does not fit stays as typed, marked, until it is corrected.
#pragma once

#include <QLineEdit>
#include <QValidator>

#include "data/field_ranges.hpp"

namespace sidewalk::ui {

class NumberValidator : public QValidator {
    Q_OBJECT
  public:
    NumberValidator(const NumberRange& range, QObject* parent)
        : QValidator(parent), range_(range) {}
    // A comma typed as the decimal point becomes a point; a text that does not fit is
    // Intermediate, never Invalid, so that no key is dropped from the middle of a number.
    State validate(QString& input, int& pos) const override;

    // "A number from 0.000 to 99.999", as the field's tool tip shows it.
    static QString RangeText(const NumberRange& range);
    // The short message that keeps the cursor in a field whose value does not fit.
    static QString NotFitText(const NumberRange& range);
    const NumberRange& range() const { return range_; }

  private:
    NumberRange range_;
};

// Whether a text fits the range, as the data file will hold it.
bool FitsRange(const NumberRange& range, const QString& text);

// The colour that marks a field or cell whose value does not fit.
QColor NotFitColour();

// A number field of a window: the validator, the range in the tool tip, and the field marked
// (colour and tool tip) while its text does not fit.
void MakeNumberField(QLineEdit& edit, const NumberRange& range);

// A validator for a text field of a card, whose edit is its parent: at most `length` characters
// of Windows-1252, each one byte on the card. A character it cannot hold is refused as it is
// typed, with the reason shown at the field; one the field showed when the validator was set
// (a text of an earlier version, in UTF-8) may stay.
class CardTextValidator : public QValidator {
    Q_OBJECT
  public:
    // edit shows its stored text already: the characters of that text may stay.
    CardTextValidator(int length, QLineEdit* edit)
        : QValidator(edit), length_(length), shown_(edit != nullptr ? edit->text() : QString()) {}
    State validate(QString& input, int&) const override;

  private:
    int length_;
    QString shown_;
};

} // namespace sidewalk::ui
