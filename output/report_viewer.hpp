// The View Report window ViewForm: the report the run made, in a read-only fixed-pitch display
// whose font size follows the display's width, each page break shown as a line; Print hands the
// report and a selection of more than 10 characters to the print dialog (the selection is also
// written to the selection file while the dialog is open). Ctrl+F finds a text (F3 and
// Shift+F3 go on), Ctrl+G goes to a page or a block.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "output/report_display.hpp"

#include "ui/shell.hpp"

class QMenuBar;

namespace sidewalk::ui {

// The font size for a display this many pixels wide: 8, or 10, 12 and 14 points from 713, 816
// and 919 pixels on.
int ViewFontSize(int displayWidth);

// What the selection file holds for a selection of the display: nothing for 10 characters or
// fewer; else the text with CR LF line ends, a page break as its form-feed line, and a line end.
std::optional<std::string> SelectionFileText(const QString& selected);

class FindBar;
struct ReportPlace;

class ViewForm : public QDialog {
    Q_OBJECT
  public:
    // report: the report's text as the run made it (PRINT.SPL's bytes).
    ViewForm(Services& services, ShellState& state, std::string report, QWidget* parent = nullptr);

    void Mnu_Print_Click();

    // The selection file the print dialog reads: TempDir + "seltext.txt".
    std::string SelectionFile() const;
    bool selTextSaved() const { return selTextSaved_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FitScrollRange();
    void AddSearchMenu(QMenuBar& bar);       // Find, Find Next and Previous, Go To
    std::vector<ReportPlace> Blocks() const; // the report's blocks, where their sections open
    void GoTo();
    Services& services_;
    ShellState& state_;
    std::string report_;
    ReportDisplay* display_;
    FindBar* find_;
    bool selTextSaved_ = false;
};

} // namespace sidewalk::ui
