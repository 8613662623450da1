// The printer setup window NTSetup: the installed printers, the chosen printer's papers and bins
// as its driver lists them (Letter, Legal and A4 for a file when there is no printer), and
// Portrait or Landscape; OK sets paper, bin, then orientation; Cancel, Escape and the close box
// put back the printer, paper, bin and orientation that were current when it opened.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QRadioButton>

#include "print/print_system.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui {

class NTSetup : public QDialog {
    Q_OBJECT
  public:
    NTSetup(HelpLink& help, PrintSystem& system, CurrentPrinter& printer,
            QWidget* parent = nullptr);

    void combo1_Click();
    void Cmd_OK_Click();
    void Cmd_Cancel_Click();
    bool setupCancelled() const { return setupCancelled_; }

  public slots:
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FillPaperAndBinLists(const Result<PrinterFacts>& opened);
    void SelectOrientation();
    PrintSystem& system_;
    CurrentPrinter& printer_;
    const CurrentPrinter before_; // what Cancel puts back
    Result<PrinterFacts> opened_; // the current printer's lists
    QComboBox* printers_;
    QComboBox* papers_;
    QComboBox* bins_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
    bool setupCancelled_ = false;
};

} // namespace sidewalk::ui
