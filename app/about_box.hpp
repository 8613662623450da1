// The About window: the program's title, version and date.
#pragma once

#include <QDialog>

namespace sidewalk::ui {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace sidewalk::ui
