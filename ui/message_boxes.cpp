// Message boxes with prepared answers for tests.
#include "ui/message_boxes.hpp"

#include <QAbstractButton>

#include "ui/dialog_frame.hpp"

namespace sidewalk::ui {

QMessageBox::StandardButton MessageBoxes::Ask(QWidget* parent, const QString& title,
                                              const QString& text, QMessageBox::Icon icon,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton,
                                              QMessageBox::StandardButton escapeButton,
                                              const Captions& captions) {
    const QString shownText = QString(text).remove('\r');
    shown_.push_back({title, shownText, icon});
    if (!prepared_.empty()) {
        QMessageBox::StandardButton answer = prepared_.front();
        prepared_.pop_front();
        if (answer != QMessageBox::Escape) return answer;
        if (escapeButton != QMessageBox::NoButton) return escapeButton;
        for (auto button : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
            if (buttons.testFlag(button)) return button;
        return QMessageBox::NoButton;
    }
    if (failUnanswered_)
        qFatal("A message box no test answered: %s: %s", qPrintable(title), qPrintable(shownText));
    QMessageBox box(icon, title, shownText, buttons, parent);
    SetDialogFrame(box);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    if (escapeButton != QMessageBox::NoButton) box.setEscapeButton(escapeButton);
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* b = box.button(button)) b->setText(caption);
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
