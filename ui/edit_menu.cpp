// Undo and Redo in a window's menu bar.
#include "ui/edit_menu.hpp"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/message_boxes.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui {

namespace {

// The item's text for a step: "Undo Paste", or "Undo" greyed when there is none.
void Name(QAction& item, const char* verb, const JobStep* step) {
    item.setText(QString("&") + verb + (step ? " " + QString::fromStdString(step->what) : ""));
    item.setEnabled(step != nullptr);
}

} // namespace

void AddEditMenu(QWidget& window, QMenuBar& bar, Services& services, std::function<void()> shown) {
    auto* menu = new QMenu("&Edit", &bar);
    menu->setObjectName("Mnu_Edit");
    QAction* help = bar.actions().isEmpty() ? nullptr : bar.actions().constFirst();
    bar.insertMenu(help, menu);
    QAction* undo = menu->addAction("&Undo");
    undo->setObjectName("Mnu_Undo");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = menu->addAction("&Redo");
    redo->setObjectName("Mnu_Redo");
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // The items say what they would take while the menu is open; the keys always act.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&services, undo, redo] {
        Name(*undo, "Undo", services.session.ToUndo());
        Name(*redo, "Redo", services.session.ToRedo());
    });
    QObject::connect(menu, &QMenu::aboutToHide, menu, [undo, redo] {
        undo->setEnabled(true);
        redo->setEnabled(true);
    });
    auto act = [&window, &services, shown](bool back) {
        Session& session = services.session;
        if ((back ? session.ToUndo() : session.ToRedo()) == nullptr) return;
        services.messages.Done(&window, back ? session.Undo() : session.Redo());
        if (shown) shown();
    };
    QObject::connect(undo, &QAction::triggered, &window, [act] { act(true); });
    QObject::connect(redo, &QAction::triggered, &window, [act] { act(false); });
}

} // namespace sidewalk::ui
