// Help in a browser window of the program.
#include "app/help_link.hpp"

#include <QAction>
#include <QKeySequence>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "app/message_boxes.hpp"

namespace sidewalk::ui {

HelpLink::~HelpLink() {
    CloseHelp();
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
    if (browser_ == nullptr) {
        // A window of its own, owned by the main window (and deleted by CloseHelp or on close).
        browser_ = new QTextBrowser(owner_);
        browser_->setWindowFlag(Qt::Window);
        browser_->setObjectName("HelpWindow");
        browser_->setWindowTitle("Sidewalk, Curb and Grassing Areas Help");
        browser_->setAttribute(Qt::WA_DeleteOnClose);
        browser_->resize(720, 600);
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(helpFile_.string()));
    if (contextId != 0) url.setFragment(QString::number(contextId));
    browser_->setSource(url);
    if (contextId != 0) browser_->scrollToAnchor(QString::number(contextId));
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

} // namespace sidewalk::ui
