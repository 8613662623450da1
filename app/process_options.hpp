// The Process Options window ProcForm, the hub of a job: index record, blocks, report, saving,
// and the question to save when the job is left unsaved.
#pragma once

#include <QDialog>

#include "ui/shell.hpp"

namespace sidewalk::ui {

class ProcForm : public QDialog {
    Q_OBJECT
  public:
    explicit ProcForm(Services& services, ShellState& state, QWidget* parent = nullptr);

    void ReportCmd_Click();

  public slots:
    void done(int result) override; // every way of closing passes the closing rule

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool MayClose();
    Services& services_;
    ShellState& state_;
};

} // namespace sidewalk::ui
