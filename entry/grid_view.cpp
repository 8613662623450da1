// The steering grid.
#include "entry/grid_view.hpp"

#include <QKeyEvent>
#include <algorithm>
#include <utility>

#include "grid/grid_steering.hpp"

namespace sidewalk::ui {

Spread::Spread(QWidget* parent) : QTableView(parent) {
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
}

QString Spread::TypeOf(int row) const {
    return model()->index(row, 0).data().toString();
}

void Spread::SelectRows(int first, int last) {
    const int right = model()->columnCount() - 1;
    selectionModel()->select(QItemSelection(model()->index(first, 0), model()->index(last, right)),
                             QItemSelectionModel::ClearAndSelect);
}

QModelIndex Spread::Steered(const QModelIndex& from, const QModelIndex& to) const {
    if (!from.isValid() || !to.isValid() || from == to) return to;
    const auto steered =
        SteerCursor({from.row() + 1, from.column() + 1}, {to.row() + 1, to.column() + 1},
                    TypeOf(from.row()).toStdString());
    return steered ? model()->index(steered->row - 1, steered->column - 1) : to;
}

QModelIndex Spread::Landed(const QModelIndex& clicked) const {
    if (!clicked.isValid()) return clicked;
    const GridCell landed =
        LandClick({clicked.row() + 1, clicked.column() + 1}, TypeOf(clicked.row()).toStdString());
    return model()->index(landed.row - 1, landed.column - 1);
}

QModelIndex Spread::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex to = Steered(currentIndex(), QTableView::moveCursor(action, modifiers));
    movedByKey_ = to != currentIndex();
    return to;
}

void Spread::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (std::exchange(movedByKey_, false)) return; // already steered by the row left
    // The mouse or the program: the cursor stays in the row chosen, on a cell its type uses.
    const QModelIndex landed = Landed(current);
    if (landed != current)
        QMetaObject::invokeMethod(
            this, [this, landed] { setCurrentIndex(landed); }, Qt::QueuedConnection);
}

void Spread::mousePressEvent(QMouseEvent* event) {
    movedByKey_ = false;
    QTableView::mousePressEvent(event);
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
        QTableView::keyPressEvent(&tab);
        event->accept();
        return;
    }
    // Shift+Space selects the current row whole, as a click on its header does, for the row
    // menu (the menu key or Shift+F10).
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ShiftModifier &&
        state() != EditingState) {
        rowAnchor_ = currentIndex().row();
        SelectRows(rowAnchor_, rowAnchor_);
        event->accept();
        return;
    }
    // Shift+Up and Shift+Down then extend the selection by whole rows.
    const QItemSelection selected = selectionModel()->selection();
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
        event->modifiers() == Qt::ShiftModifier && state() != EditingState && rowAnchor_ >= 0 &&
        selected.size() == 1 && selected.front().width() == model()->columnCount()) {
        const int row = std::clamp(currentIndex().row() + (event->key() == Qt::Key_Down ? 1 : -1),
                                   0, model()->rowCount() - 1);
        // The rows stay selected: the cursor is not steered off a cell the row does not use.
        movedByKey_ = row != currentIndex().row();
        selectionModel()->setCurrentIndex(model()->index(row, currentIndex().column()),
                                          QItemSelectionModel::NoUpdate);
        SelectRows(std::min(rowAnchor_, row), std::max(rowAnchor_, row));
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        // Delete alone clears the active cell; with Shift, Ctrl or Alt it does nothing.
        if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
            0) {
            const QModelIndex cell = currentIndex();
            if (cell.flags() & Qt::ItemIsEditable) { // the "+" column holds no value
                if (clearCell)
                    clearCell(cell);
                else
                    model()->setData(cell, QString());
            }
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace sidewalk::ui
