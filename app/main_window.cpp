// Main window.
#include "app/main_window.hpp"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/about_box.hpp"
#include "app/process_options.hpp"
#include "entry/units_dialog.hpp"
#include "print/report_text.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

namespace {

QPushButton* AddButton(QVBoxLayout* layout, QWidget* parent, const char* name,
                       const char* caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(true);
    button->setMinimumWidth(220);
    layout->addWidget(button);
    return button;
}

} // namespace

MainForm1::MainForm1(Services& services, ShellState& state, QWidget* parent)
    : QWidget(parent), services_(services), state_(state) {
    setObjectName("MainForm1");
    setWindowTitle("Sidewalk, Curb and Grassing Areas");
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(8);
    QPushButton* newButton = AddButton(layout, this, "Cmd_New", "Start a New File");
    QPushButton* open = AddButton(layout, this, "Cmd_Open", "Open an Existing File");
    QPushButton* help = AddButton(layout, this, "Cmd_Help", "Help");
    QPushButton* about = AddButton(layout, this, "Cmd_About", "About");
    QPushButton* exit = AddButton(layout, this, "Cmd_Exit", "Exit");
    status_ = new QLabel(this);
    status_->setObjectName("Label1");
    status_->setAccessibleName("Status");
    status_->setAlignment(Qt::AlignCenter);
    status_->setMinimumHeight(status_->fontMetrics().height() + 4);
    layout->addWidget(status_);

    connect(newButton, &QPushButton::clicked, this, &MainForm1::Cmd_New_Click);
    connect(open, &QPushButton::clicked, this, &MainForm1::Cmd_Open_Click);
    connect(help, &QPushButton::clicked, this, [this] { services_.help.ShowHelpContents(); });
    connect(about, &QPushButton::clicked, this, [this] {
        AboutBox box(this);
        services_.modal.Run(box);
    });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    services_.help.BindF1(*this, 0); // F1 here: the contents
    newButton->setFocus();
}

void MainForm1::PlaceAndShow() {
    setMinimumWidth(std::max(minimumWidth(), TitleWidth(*this)));
    adjustSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect free = screen->availableGeometry();
        const int left = free.left() + (free.width() - frameGeometry().width()) / 2;
        const int top = free.top() + (free.height() - frameGeometry().height()) / 4;
        move(left, top);
        state_.formTop = top;
    }
    show();
}

void MainForm1::Status(const QString& text) {
    status_->setText(text);
    status_->repaint(); // shown at once, before the work starts
}

void MainForm1::Cmd_New_Click() {
    Status("Setting Up For New Data");
    {
        WaitCursor wait;
        services_.session.New();
    }
    Status(QString());
    EngMet_Form units(services_.session, this);
    services_.modal.Run(units);
    if (services_.session.job().jobUnits.empty()) return;
    ProcForm options(services_, state_, this);
    services_.modal.Run(options);
}

void MainForm1::Cmd_Open_Click() {
    std::string fileName = services_.session.job().dataFileName;
    if (!services_.dialogs.ShowOpenDialog(this, state_.lastDir, fileName)) return;
    OpenFile(fileName);
}

namespace {

// The local data file a drag carries: one file whose name ends in .V41, in any case.
std::optional<std::string> DroppedJob(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls()[0].isLocalFile())
        return std::nullopt;
    const QString path = data->urls()[0].toLocalFile();
    if (!path.endsWith(".V41", Qt::CaseInsensitive)) return std::nullopt;
    return path.toStdString();
}

} // namespace

void MainForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedJob(event->mimeData())) event->acceptProposedAction();
}

void MainForm1::dropEvent(QDropEvent* event) {
    if (const std::optional<std::string> job = DroppedJob(event->mimeData())) {
        event->acceptProposedAction();
        // After the drop has ended: Open runs windows of its own.
        QTimer::singleShot(0, this, [this, file = *job] { OpenFile(file); });
    }
}

void MainForm1::OpenFile(const std::string& fileName) {
    Status("Loading Data");
    Result<CardFileRead> read = [&] {
        WaitCursor wait;
        return services_.session.Open(fileName);
    }();
    Status(QString());
    // A rejected or unreadable file leads back here: no empty job to save over it.
    if (!read) {
        services_.messages.Tell(this, read.error());
        return;
    }
    for (const Message& m : read->notices)
        services_.messages.Tell(this, m);
    ProcForm options(services_, state_, this);
    services_.modal.Run(options);
}

namespace {

// What an ended run's unsaved job is: its file, its index numbers, its blocks and its last change.
QString AtStake(const Recoverable& job) {
    const Job& j = job.snapshot.job;
    const bool named = !j.dataFileName.empty() && j.dataFileName != kNoName;
    QString text = "A job with changes that were not saved was left when the program ended.\n\n";
    text +=
        "Data file: " + (named ? QString::fromStdString(j.dataFileName) : QString("never saved")) +
        "\n";
    text += "Ref No.: " + ReportText(j.idxRefNum) + "\n";
    text += "Project No.: " + ReportText(j.idxProject) + "\n";
    text += "Blocks: " + QString::number(job.blocks) + "\n";
    text += "Last changed: " + QString::fromStdString(SnapshotTime(job.snapshot.when)) + "\n";
    if (!job.snapshot.damage.empty())
        text += "\nPart of it cannot be read back (" + QString::fromStdString(job.snapshot.damage) +
                "): what can be read is offered.\n";
    return text + "\nRecover it now, discard it, or decide at the next start?";
}

} // namespace

void MainForm1::OfferRecovery(const std::filesystem::path& parent, Workspaces holds) {
    std::vector<Recoverable> ended = FindRecoverable(parent, holds);
    for (Recoverable& job : ended) {
        MessageBoxes& messages = services_.messages;
        const auto answer = messages.Ask(
            this, "Recover Unsaved Job", AtStake(job), QMessageBox::Question,
            QMessageBox::Yes | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Yes,
            QMessageBox::Cancel, // Escape and the close box: Later, never thrown away
            {{QMessageBox::Yes, "&Recover"},
             {QMessageBox::Discard, "&Discard"},
             {QMessageBox::Cancel, "&Later"}});
        if (answer == QMessageBox::Discard &&
            messages.Ask(this, "Recover Unsaved Job",
                         "Discard the unsaved changes for good? They cannot be recovered "
                         "afterwards.",
                         QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                         QMessageBox::No,
                         {{QMessageBox::Yes, "&Discard"}, {QMessageBox::No, "&Keep"}}) ==
                QMessageBox::Yes)
            Discard(job);
        if (answer != QMessageBox::Yes) continue; // kept, unlocked, for the next start
        if (!messages.Done(this, services_.session.Adopt(job))) continue;
        ProcForm options(services_, state_, this);
        services_.modal.Run(options);
    }
}

void MainForm1::closeEvent(QCloseEvent* event) {
    services_.help.CloseHelp();
    Status("Cleaning up files and memory");
    services_.session.Shutdown();
    event->accept();
}

} // namespace sidewalk::ui
