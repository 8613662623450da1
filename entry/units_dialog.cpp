// Units window: sets JobUnits to "E" or "M", or leaves it "" on Cancel or the window frame.
#include "entry/units_dialog.hpp"

#include <QPushButton>
#include <QVBoxLayout>

namespace sidewalk::ui {

EngMet_Form::EngMet_Form(Session& session, QWidget* parent) : QDialog(parent) {
    setObjectName("EngMet_Form");
    setWindowTitle("Creating A New Data File");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 20);
    const struct {
        const char* name;
        const char* caption;
        const char* units;
    } choices[] = {{"Cmd_English", "Data Is English", "E"},
                   {"Cmd_Metric", "Data Is Metric", "M"},
                   {"Cmd_Cancel", "Cancel", ""}};
    for (const auto& c : choices) {
        auto* button = new QPushButton(c.caption, this);
        button->setObjectName(c.name);
        button->setMinimumWidth(200);
        layout->addWidget(button);
        const std::string units = c.units;
        connect(button, &QPushButton::clicked, this, [this, &session, units] {
            session.SetUnits(units);
            accept();
        });
    }
}

} // namespace sidewalk::ui
