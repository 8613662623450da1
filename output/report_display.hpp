// The report viewer's display: the report read-only in a fixed-pitch font, each page break a
// line of its own; what is copied from it has a form feed where a page breaks, as the report.
#pragma once

#include <QPlainTextEdit>
#include <vector>

namespace sidewalk::ui {

// How a form-feed line, which separates two pages, shows in the display.
QString PageBreakLine();

class ReportDisplay : public QPlainTextEdit {
    Q_OBJECT
  public:
    using QPlainTextEdit::QPlainTextEdit;

    // The display's line where each page begins, counted from 0.
    std::vector<int> PageLines() const;
    // The page the cursor is on, counted from 1, of the pages PageLines gave.
    int CurrentPage(const std::vector<int>& pageLines) const;
    // Puts line at the top of the view, with the cursor at its start.
    void GoToLine(int line);

  protected:
    QMimeData* createMimeDataFromSelection() const override;
};

} // namespace sidewalk::ui
