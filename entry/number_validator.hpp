// A validator for a number field or grid cell: accepts only the field's kind and range, as the
// core's field checks say, so nothing typed can shift the columns of the data file.
#pragma once

#include <QValidator>

#include "data/field_ranges.hpp"

namespace sidewalk::ui {

class NumberValidator : public QValidator {
    Q_OBJECT
  public:
    NumberValidator(const NumberRange& range, QObject* parent)
        : QValidator(parent), range_(range) {}
    State validate(QString& input, int& pos) const override;

    // "0 to 99.999", as the field's tool tip shows it.
    static QString RangeText(const NumberRange& range);

  private:
    NumberRange range_;
};

// A validator for a text field of a card: at most `bytes` bytes as the card holds them (UTF-8),
// so that a text of accented letters is never cut when the card is read back.
class CardTextValidator : public QValidator {
    Q_OBJECT
  public:
    CardTextValidator(int bytes, QObject* parent) : QValidator(parent), bytes_(bytes) {}
    State validate(QString& input, int&) const override {
        return input.toUtf8().size() <= bytes_ ? Acceptable : Invalid;
    }

  private:
    int bytes_;
};

} // namespace sidewalk::ui
