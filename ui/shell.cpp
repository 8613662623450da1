// Modal windows, window placement and the hourglass pointer.
#include "ui/shell.hpp"

#include "ui/dialog_frame.hpp"
#include "ui/message_boxes.hpp"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <algorithm>

namespace sidewalk::ui {

int DesktopModal::Run(QDialog& window) {
    // The viewer, which a user may want larger, keeps its maximise button.
    SetDialogFrame(window, window.isSizeGripEnabled());
    PlaceWindow(window, state_.formTop);
    // Modal to the window that opened it, not to the whole program: help stays usable.
    window.setWindowModality(Qt::WindowModal);
    return window.exec();
}

QAction* DesktopModal::PopUp(QMenu& menu, const QPoint& at) {
    return menu.exec(at);
}

int TitleWidth(const QWidget& window) {
    // The frame's title font is usually a little larger and bolder than the window's own; the
    // frame's buttons and margins take about 120 pixels more.
    QFont title = window.font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.15);
    return QFontMetrics(title).horizontalAdvance(window.windowTitle()) + 120;
}

void PlaceWindow(QWidget& window, int formTop) {
    // Wide enough for its whole title in a window manager's frame.
    window.setMinimumWidth(std::max(window.minimumWidth(), TitleWidth(window)));
    if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize(); // a size it chose stays
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect free = screen->availableGeometry();
    const int left = free.left() + (free.width() - window.frameGeometry().width()) / 2;
    window.move(left, formTop);
}

WaitCursor::WaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    QApplication::restoreOverrideCursor();
}

std::optional<RunOutcome> RunReportWaiting(Services& services, QWidget* parent) {
    Result<RunOutcome> run = [&] {
        WaitCursor wait;
        return services.session.Report();
    }();
    if (!run) {
        services.messages.Tell(parent, run.error());
        return std::nullopt;
    }
    return std::move(*run);
}

QLabel* CaptionFor(QWidget* field, const QString& text, QWidget* owner) {
    auto* caption = new QLabel(text, owner);
    caption->setBuddy(field);
    field->setAccessibleName(QString(text).remove('&').remove(':'));
    return caption;
}

} // namespace sidewalk::ui
