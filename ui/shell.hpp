// What the windows of the desktop program share: the services (job session, message boxes, file
// dialogs, help link, print system and the runner of modal windows) and the shell's state
// (LastDir, FormTop, ReportFile, the current printer); and how a window is placed and run.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "print/print_system.hpp"
#include "session/session.hpp"

class QAction;
class QLabel;
class QMenu;

namespace sidewalk::ui {

class FileDialogs;
class HelpLink;
class MessageBoxes;

// Runs the windows modally and pops up menus. The program's is DesktopModal; tests give one
// that answers each window as it runs.
class ModalRunner {
  public:
    virtual ~ModalRunner() = default;
    // Runs the window modally over the one that opened it; returns its result.
    virtual int Run(QDialog& window) = 0;
    // Pops the menu up at a point of the screen; returns the item chosen, or none.
    virtual QAction* PopUp(QMenu& menu, const QPoint& at) = 0;
};

// What the shell remembers from one window to the next.
struct ShellState {
    std::string lastDir;    // the folder the data file dialogs open in
    int formTop = 0;        // the common top of every window, in pixels
    std::string reportFile; // the report the viewer and the printing show
    CurrentPrinter printer; // the printer reports print on: the system's default at start
};

// The services the windows use; each window takes what it needs of these and of the state.
struct Services {
    Session& session;
    MessageBoxes& messages;
    FileDialogs& dialogs;
    HelpLink& help;
    PrintSystem& printers;
    ModalRunner& modal;
};

// Frames each window as a dialog, places it with its top at FormTop and runs it modally to the
// window that opened it, not to the whole program (window modality: the help window, which has
// no parent, stays usable).
class DesktopModal : public ModalRunner {
  public:
    explicit DesktopModal(const ShellState& state) : state_(state) {}
    int Run(QDialog& window) override;
    QAction* PopUp(QMenu& menu, const QPoint& at) override;

  private:
    const ShellState& state_;
};

// The width a window needs to show its whole title in a window manager's frame.
int TitleWidth(const QWidget& window);

// Centres a window across its screen with its top at formTop, at least as wide as its title.
void PlaceWindow(QWidget& window, int formTop);

// The caption of a field: a label whose mnemonic moves to the field, and whose text, without
// "&" and ":", is the field's name for a screen reader.
QLabel* CaptionFor(QWidget* field, const QString& text, QWidget* owner);

// Runs the job's report under the hourglass pointer; none, its problem told over parent, when it
// cannot be run.
std::optional<RunOutcome> RunReportWaiting(Services& services, QWidget* parent);

// Shows the hourglass pointer while it lives; restores the previous one however it ends.
class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace sidewalk::ui
