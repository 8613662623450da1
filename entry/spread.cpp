// The steering grid.
#include "entry/spread.hpp"

#include <QKeyEvent>
#include <algorithm>
#include <utility>

#include "entry/grid_steering.hpp"

namespace sidewalk::ui {

Spread::Spread(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
}

QModelIndex Spread::Steered(const QModelIndex& from, const QModelIndex& to) const {
    if (!from.isValid() || !to.isValid() || from == to) return to;
    const QTableWidgetItem* type = item(from.row(), 0);
    const auto steered =
        SteerCursor({from.row() + 1, from.column() + 1}, {to.row() + 1, to.column() + 1},
                    type != nullptr ? type->text().toStdString() : std::string());
    return steered ? model()->index(steered->row - 1, steered->column - 1) : to;
}

QModelIndex Spread::Landed(const QModelIndex& clicked) const {
    if (!clicked.isValid()) return clicked;
    const QTableWidgetItem* type = item(clicked.row(), 0);
    const GridCell landed = LandClick({clicked.row() + 1, clicked.column() + 1},
                                      type != nullptr ? type->text().toStdString() : std::string());
    return model()->index(landed.row - 1, landed.column - 1);
}

QModelIndex Spread::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex to = Steered(currentIndex(), QTableWidget::moveCursor(action, modifiers));
    movedByKey_ = to != currentIndex();
    return to;
}

void Spread::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (std::exchange(movedByKey_, false)) return; // already steered by the row left
    // The mouse or the program: the cursor stays in the row chosen, on a cell its type uses.
    const QModelIndex landed = Landed(current);
    if (landed != current)
        QMetaObject::invokeMethod(
            this, [this, landed] { setCurrentIndex(landed); }, Qt::QueuedConnection);
}

void Spread::mousePressEvent(QMouseEvent* event) {
    movedByKey_ = false;
    QTableWidget::mousePressEvent(event);
}

void Spread::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ControlModifier)) {
        emit tabOut();
        event->accept();
        return;
    }
    // Enter moves on as Tab does (an open edit is committed by its editor first).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != EditingState) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QTableWidget::keyPressEvent(&tab);
        event->accept();
        return;
    }
    // Shift+Space selects the current row whole, as a click on its header does, for the row
    // menu (the menu key or Shift+F10).
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ShiftModifier &&
        state() != EditingState) {
        rowAnchor_ = currentRow();
        clearSelection();
        setRangeSelected(
            QTableWidgetSelectionRange(currentRow(), 0, currentRow(), columnCount() - 1), true);
        event->accept();
        return;
    }
    // Shift+Up and Shift+Down then extend the selection by whole rows.
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
        event->modifiers() == Qt::ShiftModifier && state() != EditingState && rowAnchor_ >= 0 &&
        ranges.size() == 1 && ranges.front().columnCount() == columnCount()) {
        const int row =
            std::clamp(currentRow() + (event->key() == Qt::Key_Down ? 1 : -1), 0, rowCount() - 1);
        setCurrentCell(row, currentColumn(), QItemSelectionModel::NoUpdate);
        clearSelection();
        setRangeSelected(QTableWidgetSelectionRange(std::min(rowAnchor_, row), 0,
                                                    std::max(rowAnchor_, row), columnCount() - 1),
                         true);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        // Delete alone clears the active cell; with Shift, Ctrl or Alt it does nothing.
        if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
            0) {
            QTableWidgetItem* cell = currentItem();
            if (cell != nullptr && (cell->flags() & Qt::ItemIsEditable)) cell->setText(QString());
        }
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace sidewalk::ui
