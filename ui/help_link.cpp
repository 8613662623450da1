// Help in a browser window of the program.
#include "ui/help_link.hpp"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>

#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

HelpLink::~HelpLink() {
    CloseHelp();
}

void PlaceBeside(QWidget& window, const QWidget& beside) {
    const QScreen* screen = beside.screen() ? beside.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect free = screen->availableGeometry();
    const QRect other = beside.frameGeometry();
    // The frame adds to the size asked for; the window never grows past the screen.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const int spaceRight = free.right() - other.right();
    const int spaceLeft = other.left() - free.left();
    // Narrower, down to a readable width, to fit beside; past that it goes over the edge.
    constexpr int kReadable = 360;
    const int room = std::max(spaceRight, spaceLeft) - frame.width();
    int width = std::min(window.width(), free.width() - frame.width());
    if (width > room && room >= kReadable) width = room;
    const int height = std::min(window.height(), free.height() - frame.height());
    const int full = width + frame.width();
    int left = 0;
    if (spaceRight >= full)
        left = other.right() + 1;
    else if (spaceLeft >= full)
        left = other.left() - full;
    else // neither side has room: the side with more, over the window's edge
        left = spaceRight >= spaceLeft ? free.right() + 1 - full : free.left();
    const int top =
        std::clamp(other.top(), free.top(), free.bottom() + 1 - height - frame.height());
    window.resize(width, height);
    window.move(left, top);
}

void HelpLink::InitHelp(QWidget* owner, const std::filesystem::path& programFolder) {
    owner_ = owner;
    helpFile_ = programFolder / "KALVRZ41.html";
}

void HelpLink::ShowHelpContents() {
    Show(0);
}

void HelpLink::ShowHelpTopic(int contextId) {
    Show(contextId);
}

void HelpLink::CloseHelp() {
    delete browser_.data();
}

void HelpLink::BindF1(QWidget& window, int contextId) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, &window, [this, contextId] { Show(contextId); });
}

QMenuBar* AddHelpMenu(QWidget& window, QLayout& layout, HelpLink& help, int contextId) {
    auto* bar = new QMenuBar(&window);
    QAction* item = bar->addAction("&Help");
    item->setObjectName("Mnu_Help");
    QObject::connect(item, &QAction::triggered, &window,
                     [&help, contextId] { help.ShowHelpTopic(contextId); });
    layout.setMenuBar(bar);
    help.BindF1(window, contextId);
    return bar;
}

void HelpLink::Show(int contextId) {
    lastTopic_ = contextId;
    std::error_code ec;
    if (helpFile_.empty() || !std::filesystem::is_regular_file(helpFile_, ec)) {
        messages_.Ask(owner_, "Help",
                      "The help file " + QString::fromStdString(helpFile_.string()) +
                          " cannot be found.",
                      QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    // The window help was asked from: help goes beside it, never under it.
    QWidget* asking = QApplication::activeModalWidget();
    if (asking == nullptr) asking = QApplication::activeWindow();
    if (asking == browser_) asking = nullptr;
    if (browser_ == nullptr) {
        // A window of its own with no parent, so that no working window (each modal to the
        // window that opened it) blocks it; deleted by CloseHelp, at the end, or on close.
        browser_ = new QTextBrowser(nullptr);
        browser_->setObjectName("HelpWindow");
        browser_->setWindowTitle("Sidewalk, Curb and Grassing Areas Help");
        browser_->setAttribute(Qt::WA_DeleteOnClose);
        browser_->resize(720, 600);
    }
    if (asking != nullptr) PlaceBeside(*browser_, *asking);
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(helpFile_.string()));
    if (contextId != 0) url.setFragment(QString::number(contextId));
    browser_->setSource(url);
    if (contextId != 0) browser_->scrollToAnchor(QString::number(contextId));
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

} // namespace sidewalk::ui
