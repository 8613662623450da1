// The Save Data window EnddataForm: Save to the job's file, or Save As another.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "data/atomic_file.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui {

class EnddataForm : public QDialog {
    Q_OBJECT
  public:
    explicit EnddataForm(Services& services, ShellState& state, QWidget* parent = nullptr);

    void Endsave_Click();
    void Endsaveas_Click();

  private:
    // Asks before writing over a file that needs it (read-only, hard links); false to leave it.
    bool MayReplace(const std::string& path, Replace& replace);
    Services& services_;
    ShellState& state_;
    QLabel* saved_;   // Image1, beside Save
    QLabel* savedAs_; // Image2, beside Save As
};

} // namespace sidewalk::ui
