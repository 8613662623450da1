// Message boxes with prepared answers for tests.
#include "app/message_boxes.hpp"

namespace sidewalk::ui {

QMessageBox::StandardButton MessageBoxes::Ask(QWidget* parent, const QString& title,
                                              const QString& text, QMessageBox::Icon icon,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) {
    shown_.push_back({title, text, icon});
    if (!prepared_.empty()) {
        const QMessageBox::StandardButton answer = prepared_.front();
        prepared_.pop_front();
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBoxes::Tell(QWidget* parent, const Message& message) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (message.kind) {
    case MessageKind::Plain:
        break;
    case MessageKind::Critical:
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    }
    Ask(parent, QString::fromStdString(message.title), QString::fromStdString(message.text), icon,
        QMessageBox::Ok);
}

} // namespace sidewalk::ui
