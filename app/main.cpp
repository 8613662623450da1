// sidewalk: the desktop program. Runs only when started with its launch token.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <sys/signalfd.h>

#include "app/main_form.hpp"
#include "print/cups_print_system.hpp"
#include "session/runtime_dir.hpp"
#include "session/stale_workspaces.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

int main(int argc, char** argv) {
    // The launch token, before anything else is made: exactly one argument, the token itself.
    if (argc != 2 || std::strcmp(argv[1], "HNXwul64") != 0) return 2;

    // Ended by the session (logout, kill): leave the event loops, so that the workspace is
    // removed as at Exit. The signals are blocked in every thread and read from a descriptor.
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&ending, signal);
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);
    const int endingFd = ::signalfd(-1, &ending, SFD_CLOEXEC | SFD_NONBLOCK);
    // Without the descriptor nothing would read them: the signals end the program as usual.
    if (endingFd < 0) pthread_sigmask(SIG_UNBLOCK, &ending, nullptr);

    QApplication app(argc, argv);
    std::optional<QSocketNotifier> ended;
    if (endingFd >= 0) {
        ended.emplace(endingFd, QSocketNotifier::Read);
        QObject::connect(&*ended, &QSocketNotifier::activated, &app, [] { QApplication::quit(); });
    }
    using namespace sidewalk;
    using namespace sidewalk::ui;
    SweepStaleWorkspaces(WorkspaceParent()); // those of ended runs with nothing to recover
    Result<Session> session = Session::Create(WorkspaceParent());
    if (!session) {
        QMessageBox::critical(nullptr, QString::fromStdString(session.error().title),
                              QString::fromStdString(session.error().text));
        return 1;
    }
    session->KeepSnapshots(); // so that a crash loses nothing: offered back at the next start
    MessageBoxes messages;
    FileDialogs dialogs;
    HelpLink help(messages);
    CupsPrintSystem printers(session->workspace().File("print.pdf"));
    ShellState state;
    DesktopModal modal(state);
    Services services{.session = *session,
                      .messages = messages,
                      .dialogs = dialogs,
                      .help = help,
                      .printers = printers,
                      .modal = modal};

    // The data file dialogs start in the DATA folder beside the program, or in the documents.
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString data = programFolder + "/DATA";
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    state.lastDir = (QDir(data).exists()        ? data
                     : QDir(documents).exists() ? documents
                                                : QDir::homePath())
                        .toStdString();

    MainForm1 main(services, state);
    // The help file lies beside the program in the build tree, in its share folder once installed.
    const QString shared = programFolder + "/../share/sidewalk";
    help.InitHelp(&main,
                  (QFile::exists(programFolder + "/KALVRZ41.html") ? programFolder
                                                                   : QDir(shared).absolutePath())
                      .toStdString());
    main.PlaceAndShow();
    // The unsaved jobs of ended runs, once the main window shows.
    QTimer::singleShot(0, &main, [&main] { main.OfferRecovery(WorkspaceParent()); });
    return QApplication::exec();
}
