// The grid of the Data Entry window: a view of the block's 100 rows that steers the cursor
// past the cells a row's type does not use, however the cursor leaves a cell, clears a cell
// with the Delete key, and selects whole rows with Shift+Space and then Shift+Up/Down. A move by
// keys is steered by the row left; a click lands in the row clicked.
#pragma once

#include <QTableView>
#include <functional>

namespace sidewalk::ui {

class Spread : public QTableView {
    Q_OBJECT
  public:
    explicit Spread(QWidget* parent);
    bool editing() const { return state() == EditingState; } // a cell's editor is open
    // What the Delete key does to the active cell: empties it, as one action of the window's.
    std::function<void(const QModelIndex&)> clearCell;

  signals:
    void tabOut(); // Ctrl+Tab: the focus leaves the grid, which uses Tab itself

  protected:
    // Keys and Tab, also when they end an edit, move through here.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    // Any other move (the mouse, the program) is steered here.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QString TypeOf(int row) const; // the Type cell's text of a row counted from 0
    void SelectRows(int first, int last);
    QModelIndex Steered(const QModelIndex& from, const QModelIndex& to) const;
    QModelIndex Landed(const QModelIndex& clicked) const;
    int rowAnchor_ = -1;      // the row Shift+Space selected, from which Shift+Up/Down extend
    bool movedByKey_ = false; // the next change of cell was steered by moveCursor
};

} // namespace sidewalk::ui
