// The main window MainForm1: New, Open, Help, About and Exit; closing it cleans up the
// workspace.
#pragma once

#include <QLabel>
#include <QWidget>
#include <filesystem>

#include "session/stale_workspaces.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui {

class MainForm1 : public QWidget {
    Q_OBJECT
  public:
    explicit MainForm1(Services& services, ShellState& state, QWidget* parent = nullptr);

    // Centres the window at a quarter of the free screen height and sets FormTop from it.
    void PlaceAndShow();

    void Cmd_New_Click();
    void Cmd_Open_Click();
    // Opens the data file as Open does, with the same checks and messages, then shows Process
    // Options: for a file named on the command line or dropped on the window.
    void OpenFile(const std::string& fileName);

    // Offers back, newest first, the unsaved jobs of ended runs whose workspaces are in parent,
    // saying what is at stake: Recover makes one the current job, unsaved, and opens Process
    // Options as after Open; Discard, asked once more, removes that workspace; Later, Escape and
    // the close box keep it for the next start.
    void OfferRecovery(const std::filesystem::path& parent,
                       Workspaces holds = Workspaces::Recovery);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // A data file (.V41) dragged from a file manager opens as with Open.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Status(const QString& text);
    Services& services_;
    ShellState& state_;
    QLabel* status_;
};

} // namespace sidewalk::ui
