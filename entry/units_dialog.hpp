// The units window EngMet_Form: a new job's data is English or metric, chosen once.
#pragma once

#include <QDialog>

#include "session/session.hpp"

namespace sidewalk::ui {

class EngMet_Form : public QDialog {
    Q_OBJECT
  public:
    explicit EngMet_Form(Session& session, QWidget* parent = nullptr);
};

} // namespace sidewalk::ui
