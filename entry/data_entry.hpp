// The Data Entry window Dataform: the rows of one block in a grid of 100 rows, loaded from the
// block's workspace file, stored back at every committed change and whichever way it closes.
#pragma once

#include <QDialog>
#include <QSplitter>
#include <optional>

#include "data/block_file.hpp"
#include "entry/sketch_pane.hpp"
#include "grid/grid_rows.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui {

class Dataform : public QDialog {
    Q_OBJECT
  public:
    Dataform(Services& services, int blockNo, QWidget* parent = nullptr);

    // The grid's texts, rows 1..100.
    GridTexts Texts() const;

    // The row menu over whole rows (any but the last) selected on the row headers; it opens
    // at the pointer. Returns without a menu for any other selection.
    void ShowRowMenu(const QPoint& at);

    // The row menu's items over the grid's rows first..last, counted from 0 as the model counts
    // them: the model does the work, these ask and tell.
    void Mnu_OptsInsert_Click(int first, int last);
    void Mnu_OptsCut_Click(int first, int last);
    void Mnu_OptsCopy_Click(int first, int last);
    void Mnu_OptsPaste_Click(int first);
    void Mnu_OptsClipInsert_Click(int first);

    // Shows the block's sketch in a pane beside the grid (below it where the screen is too
    // narrow for both), the grid keeping the keyboard, or hides it; it follows the rows.
    void SketchCmd_Click();
    SketchForm* sketchPane() const { return sketch_; }

  public slots:
    void done(int result) override; // Exit and the window frame both store the rows

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Says that the cell's value does not fit and puts the cursor back in it, editing.
    void RefuseCell(int row, int column);
    // Paste Row(s) or, with insert, Insert Row(s) from Clipboard at row first.
    void PasteFromClipboard(int first, bool insert);
    void Activate(int row); // the first cell of row becomes the active cell, ending the selection
    void HideSketch();
    Services& services_;
    int blockNo_;
    class BlockRowsModel* rows_;
    class RowsKeeper* keeper_; // stores each committed change
    class Spread* grid_;
    QWidget* exit_;
    QSplitter* splitter_; // the grid and the sketch
    QWidget* gridPane_;
    SketchForm* sketch_;
    QSize bare_; // the window's size before the sketch was shown
};

} // namespace sidewalk::ui
