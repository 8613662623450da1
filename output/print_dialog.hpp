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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compute/block_sketch.hpp"
#include "print/report_printing.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui {

class Prtbox : public QDialog {
    Q_OBJECT
  public:
    // report: the report's text as the run made it; selection: the viewer's selection, as its
    // selection file holds it, when there is one.
    Prtbox(Services& services, ShellState& state, std::string_view report,
           std::optional<std::string> selection, QWidget* parent = nullptr);

    void Range_Click(int index);
    void Prtfile_Check_Click();
    void Cmd_Print_Click();
    void Cmd_Setup_Click();

  private:
    void ShowPrinter();
    std::string JobTitle() const;
    // The sketch sheets to print after the report's pages from..to (0, 0: all of them).
    std::vector<BlockSketch> Sketches(int from, int to) const;
    // A progress window for one printing, with Cancel, shown when it takes a while.
    PrintProgress Progress();
    void PrintCopies(std::string_view text, int from, int to, int copies);
    Services& services_;
    ShellState& state_;
    std::string_view report_;
    std::optional<std::string> selection_;
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
