// What every window of the desktop program receives: the job session and the shell's state
// (LastDir, FormTop, ReportFile, the current printer), with the message boxes, file dialogs, help
// link and print system.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "print/print_system.hpp"
#include "session/session.hpp"

class QLabel;
class QMenu;

namespace sidewalk::ui {

class FileDialogs;
class HelpLink;
class MessageBoxes;

struct Shell {
    Session& session;
    MessageBoxes& messages;
    FileDialogs& dialogs;
    HelpLink& help;
    PrintSystem& printers;
    std::string lastDir;    // the folder the data file dialogs open in
    int formTop = 0;        // the common top of every window, in pixels
    std::string reportFile; // the report the viewer and the printing show
    CurrentPrinter printer; // the printer reports print on: the system's default at start
    // For tests: called with each window just before it runs modally.
    std::function<void(QDialog&)> onModal;
    // For tests: called with the grid's row menu just before it pops up.
    std::function<void(QMenu&)> onRowMenu;
};

// Runs a window modally over the one that opened it (window modality: the help window, which
// has no parent, stays usable).
int ExecModal(Shell& shell, QDialog& window);

// The width a window needs to show its whole title in a window manager's frame.
int TitleWidth(const QWidget& window);

// Centres a window across its screen with its top at FormTop, at least as wide as its title.
void PlaceWindow(QWidget& window, const Shell& shell);

// The caption of a field: a label whose mnemonic moves to the field, and whose text, without
// "&" and ":", is the field's name for a screen reader.
QLabel* CaptionFor(QWidget* field, const QString& text, QWidget* owner);

// Shows the hourglass pointer while it lives; restores the previous one however it ends.
class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace sidewalk::ui
