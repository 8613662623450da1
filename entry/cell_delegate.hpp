// The grid cells' editor: each column's kind and range, a value that does not fit kept as typed
// and marked, Enter committing and moving on as Tab does, and no way on by the keyboard while
// the value does not fit.
#pragma once

#include <QStyledItemDelegate>
#include <functional>

#include "data/field_ranges.hpp"

namespace sidewalk::ui {

// The range of a grid column counted from 0; the "+" column (3) has none.
std::optional<NumberRange> GridColumnRange(int column);

// Whether a cell's text fits its column (the "+" column always does).
bool CellFits(int column, const QString& text);

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // Called when Tab, Enter or Exit would leave a cell whose value does not fit.
    std::function<void(const QModelIndex&)> onRefused;
    // Called with Ctrl+Tab, once an edit is committed: the grid gives the focus away.
    std::function<void()> onTabOut;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

} // namespace sidewalk::ui
