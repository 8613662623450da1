// The View Report window ViewForm: the report file in a read-only fixed-pitch display.
#pragma once

#include <QDialog>

#include "app/shell.hpp"

namespace sidewalk::ui {

class ViewForm : public QDialog {
    Q_OBJECT
  public:
    explicit ViewForm(Shell& shell, QWidget* parent = nullptr);
};

} // namespace sidewalk::ui
