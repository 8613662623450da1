// The report viewer's Go To window: a page number, or one of the report's blocks, listed by
// their place in the report and description as its "BLOCK IDENTIFICATION" lines give them.
#pragma once

#include <QDialog>
#include <vector>

class QListWidget;
class QSpinBox;

namespace sidewalk::ui {

// A place to go to: what the list shows, and its line of the display (counted from 0).
struct ReportPlace {
    QString name;
    int line = 0;
};

class GoToDialog : public QDialog {
    Q_OBJECT
  public:
    // pages: each page's first line; page: the page in view, counted from 1.
    GoToDialog(const std::vector<int>& pages, int page, const std::vector<ReportPlace>& blocks,
               QWidget* parent = nullptr);

    // The line to go to: the block selected in the list, else the page's first.
    int line() const;

  private:
    const std::vector<int>& pages_;
    const std::vector<ReportPlace>& blocks_;
    QSpinBox* page_;
    QListWidget* list_;
};

} // namespace sidewalk::ui
