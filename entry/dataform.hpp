// The Data Entry window Dataform: the rows of one block in a grid of 100 rows, loaded from the
// block's workspace file and stored back whichever way the window closes.
#pragma once

#include <QDialog>
#include <QTableWidget>

#include "app/shell.hpp"
#include "data/block_file.hpp"

namespace sidewalk::ui {

class Dataform : public QDialog {
    Q_OBJECT
  public:
    Dataform(Shell& shell, int blockNo, QWidget* parent = nullptr);

    // The grid's texts, rows 1..100.
    GridTexts Texts() const;

  public slots:
    void done(int result) override; // Exit and the window frame both store the rows

  private:
    Shell& shell_;
    int blockNo_;
    BlockRowsLoad loaded_;
    QTableWidget* grid_;
};

} // namespace sidewalk::ui
