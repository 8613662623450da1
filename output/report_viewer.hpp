// The View Report window ViewForm: the report file in a read-only fixed-pitch display whose
// font size follows the display's width, each page break shown as a line; Print hands a
// selection of more than 10 characters to the print dialog through the selection file.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <optional>
#include <string>

#include "ui/shell.hpp"

namespace sidewalk::ui {

// The font size for a display this many pixels wide: 8, or 10, 12 and 14 points from 713, 816
// and 919 pixels on.
int ViewFontSize(int displayWidth);

// What the selection file holds for a selection of the display: nothing for 10 characters or
// fewer; else the text with CR LF line ends, a page break as its form-feed line, and a line end.
std::optional<std::string> SelectionFileText(const QString& selected);

class ViewForm : public QDialog {
    Q_OBJECT
  public:
    explicit ViewForm(Services& services, ShellState& state, QWidget* parent = nullptr);

    void Mnu_Print_Click();

    // The selection file the print dialog reads: TempDir + "seltext.txt".
    std::string SelectionFile() const;
    bool selTextSaved() const { return selTextSaved_; }
    // Why the report could not be read, when it could not: the viewer is then not shown.
    const std::optional<Message>& loadError() const { return loadError_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FitScrollRange();
    Services& services_;
    ShellState& state_;
    QPlainTextEdit* display_;
    bool selTextSaved_ = false;
    std::optional<Message> loadError_;
};

} // namespace sidewalk::ui
