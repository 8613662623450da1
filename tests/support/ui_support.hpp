// A desktop program for one test: a job session in a private folder, the shell state, and
// message boxes, file dialogs and windows that the test answers in advance.
#pragma once

#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>
#include <map>

#include "files.hpp"
#include "memory_print_system.hpp"
#include "session_access.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui::test {

using sidewalk::test::kEnglish;
using sidewalk::test::ReadText;
using Folder = sidewalk::test::Scratch; // for saved files

// Runs each window as the program does, once it has noted it and queued what the test does in
// it; the grid's row menu is shown to the test before it pops up.
class AnsweringModal : public DesktopModal {
  public:
    using DesktopModal::DesktopModal;
    int Run(QDialog& window) override {
        seen << window.objectName();
        if (auto act = onWindow.find(window.objectName()); act != onWindow.end()) {
            // Runs inside the window's own modal loop, once it has started.
            QMetaObject::invokeMethod(
                &window, [fn = act->second, &window] { fn(window); }, Qt::QueuedConnection);
        }
        return DesktopModal::Run(window);
    }
    QAction* PopUp(QMenu& menu, const QPoint& at) override {
        if (onMenu) onMenu(menu);
        return DesktopModal::PopUp(menu, at);
    }
    QStringList seen; // the windows run, in order
    // What to do in a window once it runs, by its objectName.
    std::map<QString, std::function<void(QDialog&)>> onWindow;
    std::function<void(QMenu&)> onMenu;
};

class Program {
    static Session Make() {
        auto s = Session::Create();
        if (!s) qFatal("%s", s.error().text.c_str());
        return std::move(*s);
    }
    Session session_;

  public:
    MessageBoxes messages;

  private:
    HelpLink help_;

  public:
    Program() : session_(Make()), help_(messages) {
        help_.InitHelp(nullptr, SIDEWALK_BUILD_DIR);
        messages.FailUnanswered();
    }
    // An answer prepared for a message box or a file dialog that none took is a test that did
    // not go as it says.
    ~Program() {
        if (messages.unusedAnswers() + dialogs.unusedAnswers() != 0)
            qFatal("%zu message box and %zu file dialog answers prepared were not used",
                   messages.unusedAnswers(), dialogs.unusedAnswers());
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Session& session() { return session_; }
    Job& job() { return SessionTestAccess::JobOf(session_); } // to set a job up directly
    HelpLink& help() { return help_; }

    FileDialogs dialogs;
    MemoryPrintSystem printers;
    ShellState state{"/", 0, {}, {}}; // the data file dialogs open in /
    AnsweringModal modal{state};
    Services services{.session = session_,
                      .messages = messages,
                      .dialogs = dialogs,
                      .help = help_,
                      .printers = printers,
                      .modal = modal};
    QStringList& seen = modal.seen;
    std::map<QString, std::function<void(QDialog&)>>& onWindow = modal.onWindow;
};

// Clicks the button or triggers the menu item of that name in window.
inline void Press(QWidget& window, const char* name) {
    if (auto* button = window.findChild<QPushButton*>(name)) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    auto* action = window.findChild<QAction*>(name);
    QVERIFY2(action != nullptr, name);
    action->trigger();
}

// The grid's cells, counted from 0.
inline QString Cell(QAbstractItemView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}
inline void SetCell(QAbstractItemView* grid, int row, int column, const QString& text) {
    grid->model()->setData(grid->model()->index(row, column), text);
}
// Selects the cells of rows first..last, columns 0..lastColumn, alone.
inline void SelectCells(QAbstractItemView* grid, int first, int last, int lastColumn) {
    grid->selectionModel()->select(
        QItemSelection(grid->model()->index(first, 0), grid->model()->index(last, lastColumn)),
        QItemSelectionModel::ClearAndSelect);
}

} // namespace sidewalk::ui::test
