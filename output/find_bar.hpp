// The report viewer's find bar: a text, Next, Previous and Match case under the report. A match
// is selected and scrolled into view; "not found" and going on past the end are said in the
// bar, never in a message box.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace sidewalk::ui {

class FindBar : public QWidget {
    Q_OBJECT
  public:
    FindBar(QPlainTextEdit& display, QWidget* parent);

    // Shows the bar with its text selected, ready to type over.
    void Open();
    // The next match after the selection (the previous one, backward), going on from the other
    // end when there is none; false when the text is nowhere in the report.
    bool Find(bool backward);

  private:
    QPlainTextEdit& display_;
    QLineEdit* text_;
    QCheckBox* matchCase_;
    QLabel* note_;
};

} // namespace sidewalk::ui
