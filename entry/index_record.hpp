// The Index Record window Indexform: Ref No., Date, Project No. and Engineer of the job.
#pragma once

#include <QDialog>
#include <QLineEdit>

#include "ui/shell.hpp"

namespace sidewalk::ui {

class Indexform : public QDialog {
    Q_OBJECT
  public:
    explicit Indexform(Services& services, QWidget* parent = nullptr);

  public slots:
    void done(int result) override; // OK and the window frame both store the fields

  private:
    Services& services_;
    QLineEdit* refNum_;
    QLineEdit* date_;
    QLineEdit* project_;
    QLineEdit* engineer_;
};

} // namespace sidewalk::ui
