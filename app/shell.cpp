// Modal windows, window placement and the hourglass pointer.
#include "app/shell.hpp"

#include <QApplication>
#include <QLabel>
#include <QScreen>

namespace sidewalk::ui {

int ExecModal(Shell& shell, QDialog& window) {
    PlaceWindow(window, shell);
    if (shell.onModal) shell.onModal(window);
    return window.exec();
}

void PlaceWindow(QWidget& window, const Shell& shell) {
    if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize(); // a size it chose stays
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect free = screen->availableGeometry();
    const int left = free.left() + (free.width() - window.frameGeometry().width()) / 2;
    window.move(left, shell.formTop);
}

WaitCursor::WaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    QApplication::restoreOverrideCursor();
}

QLabel* CaptionFor(QWidget* field, const QString& text, QWidget* owner) {
    auto* caption = new QLabel(text, owner);
    caption->setBuddy(field);
    field->setAccessibleName(QString(text).remove('&').remove(':'));
    return caption;
}

} // namespace sidewalk::ui
