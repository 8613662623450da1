// The link to the help file KALVRZ41.html beside the program: its contents from the main
// window, a window's topic (an anchor named by its context id) from its Help menu or F1.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <filesystem>

class QLayout;
class QMenuBar;
class QWidget;

namespace sidewalk::ui {

class MessageBoxes;

// The context ids of the windows' help topics.
namespace help_topic {
inline constexpr int kBlockList = 650;
inline constexpr int kDataEntry = 660;
inline constexpr int kProcessOptions = 770;
inline constexpr int kBlockIdentification = 800;
inline constexpr int kSaveData = 1810;
inline constexpr int kIndexRecord = 1820;
inline constexpr int kPrintReport = 1830;
inline constexpr int kViewReport = 1850;
inline constexpr int kPrinterSetup = 1870;
} // namespace help_topic

class HelpLink {
  public:
    explicit HelpLink(MessageBoxes& messages) : messages_(messages) {}
    ~HelpLink();
    HelpLink(const HelpLink&) = delete;
    HelpLink& operator=(const HelpLink&) = delete;

    // Names the help file: KALVRZ41.html in programFolder.
    void InitHelp(QWidget* owner, const std::filesystem::path& programFolder);
    void ShowHelpContents();
    void ShowHelpTopic(int contextId);
    void CloseHelp();

    // Installs F1 on window to open the topic.
    void BindF1(QWidget& window, int contextId);

    const std::filesystem::path& helpFile() const { return helpFile_; }
    int lastTopic() const { return lastTopic_; } // 0 for the contents
    QTextBrowser* browser() const { return browser_; }

  private:
    void Show(int contextId);
    MessageBoxes& messages_;
    QWidget* owner_ = nullptr;
    std::filesystem::path helpFile_;
    QPointer<QTextBrowser> browser_;
    int lastTopic_ = -1;
};

// Moves window beside `beside` on its screen: to its right where there is room, else to its
// left, else to the side with more room; shrunk to fit the screen.
void PlaceBeside(QWidget& window, const QWidget& beside);

// Gives window a menu bar with the item "Help" (Mnu_Help) opening its topic, and F1 the same.
// Returns the menu bar, for windows with more items.
QMenuBar* AddHelpMenu(QWidget& window, QLayout& layout, HelpLink& help, int contextId);

} // namespace sidewalk::ui
