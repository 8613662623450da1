// The About window: the program's title, version and date.
#pragma once

#include <QDialog>

#include "ui/shell.hpp"

namespace sidewalk::ui {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(Shell& shell, QWidget* parent = nullptr);
};

} // namespace sidewalk::ui
