// The print dialog Prtbox: shows the current printer, paper and bin, and prints the whole report,
// a range of its pages or the viewer's selection in a number of copies, or saves the report to a
// file; Setup leads to the printer setup window.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <array>
#include <string>
#include <vector>

#include "compute/block_sketch.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui {

class Prtbox : public QDialog {
    Q_OBJECT
  public:
    // selectionFile names the viewer's selection file; selTextSaved says it was written.
    Prtbox(Services& services, ShellState& state, bool selTextSaved, std::string selectionFile,
           QWidget* parent = nullptr);

    void Range_Click(int index);
    void Prtfile_Check_Click();
    void Cmd_Print_Click();
    void Cmd_Setup_Click();

  private:
    void ShowPrinter();
    std::string JobTitle() const;
    // The sketch sheets to print after the report's pages from..to (0, 0: all of them).
    std::vector<BlockSketch> Sketches(int from, int to) const;
    void PrintCopies(const std::string& file, int from, int to, int copies);
    Services& services_;
    ShellState& state_;
    std::string selectionFile_;
    std::array<QLabel*, 3> status_{};
    QGroupBox* range_;
    std::array<QRadioButton*, 3> ranges_{};
    QWidget* pageBoxes_;
    QSpinBox* pageFrom_;
    QSpinBox* pageTo_;
    QCheckBox* toFile_;
    QCheckBox* sketches_;
    QLabel* copiesLabel_;
    QLineEdit* copies_;
    QPushButton* setup_;
};

} // namespace sidewalk::ui
