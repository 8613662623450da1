// Grid cell editing.
#include "entry/cell_delegate.hpp"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/number_validator.hpp"

namespace sidewalk::ui {

std::optional<NumberRange> GridColumnRange(int column) {
    if (column < 0 || column > 5 || column == 3) return std::nullopt;
    return GridCellRange(static_cast<GridColumn>(column + 1));
}

bool CellFits(int column, const QString& text) {
    const auto range = GridColumnRange(column);
    return !range || FitsRange(*range, text);
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    auto* editor =
        qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    const auto range = GridColumnRange(index.column());
    if (editor != nullptr && range) MakeNumberField(*editor, *range);
    return editor;
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor == nullptr) return QStyledItemDelegate::eventFilter(object, event);
    auto* view = qobject_cast<QAbstractItemView*>(parent());
    const QModelIndex index = view != nullptr ? view->currentIndex() : QModelIndex();
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (!enter && !tab) return QStyledItemDelegate::eventFilter(object, event);
        if (!editor->hasAcceptableInput()) {
            if (onRefused) onRefused(index);
            return true;
        }
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            if (onTabOut) onTabOut();
            return true;
        }
        if (enter) { // as Tab: commit, and on to the next cell the row uses
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }
    if (event->type() == QEvent::FocusOut && !editor->hasAcceptableInput()) {
        // Another window came up (the message that says the value does not fit): the edit
        // stays open as it is, and Escape still puts back what the cell held.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return true;
        // Leaving by the mouse: the text stays in the cell as typed, marked.
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace sidewalk::ui
