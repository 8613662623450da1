// sidewalk: the desktop program. Runs only when started with its launch token.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include "app/main_window.hpp"
#include "data/version.hpp"
#include "print/cups_print_system.hpp"
#include "session/recovery_dir.hpp"
#include "session/runtime_dir.hpp"
#include "session/stale_workspaces.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

namespace {

// The program's application: an operation that runs out of memory is told, not the program's end.
class Application : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            QMessageBox::critical(activeWindow(), "Critical Error",
                                  "There is not enough memory for this operation: it was not "
                                  "done. Save the job, and close other programs.");
            return false;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("usage: sidewalk HNXwul64 [FILE]\n\n"
                    "The Sidewalk, Curb and Grassing Areas desktop program. It runs only with its\n"
                    "launch token as the first argument; FILE, a data file (.V41), is then opened\n"
                    "as Open opens it.\n");
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("sidewalk %s\n", sidewalk::VersionText().c_str());
        return 0;
    }
    // The launch token, before anything else is made: the token itself, then a data file or
    // nothing.
    if (argc < 2 || argc > 3 || std::strcmp(argv[1], "HNXwul64") != 0) return 2;
    const std::optional<std::string> startFile =
        argc == 3 ? std::optional<std::string>(argv[2]) : std::nullopt;

    // Asked to end (logout, shutdown, a closed terminal, kill): work not saved is left for the
    // next start, then the program ends by the signal. The signals are blocked in every thread
    // and read from a descriptor, so that they are taken in the event loop, between changes.
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&ending, signal);
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);
    const int endingFd = ::signalfd(-1, &ending, SFD_CLOEXEC | SFD_NONBLOCK);
    // Without the descriptor nothing would read them: the signals end the program as usual.
    if (endingFd < 0) pthread_sigmask(SIG_UNBLOCK, &ending, nullptr);

    // A file size limit makes a write fail (EFBIG, told as any write error) rather than kill the
    // program half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    Application app(argc, argv);
    // Settings (the file dialogs' among them) go to ~/.config/sidewalk/, not QtProject.conf.
    QCoreApplication::setOrganizationName("sidewalk");
    QCoreApplication::setApplicationName("sidewalk");
    using namespace sidewalk;
    using namespace sidewalk::ui;
    const Result<std::filesystem::path> found = RecoveryParent();
    Result<Session> session = found ? Session::Create(*found) : Failure(found.error());
    if (!session) {
        QMessageBox::critical(nullptr, QString::fromStdString(session.error().title),
                              QString::fromStdString(session.error().text));
        return 1;
    }
    const std::filesystem::path recovery = *found;
    const Result<std::filesystem::path> runtime = WorkspaceParent();
    const bool elsewhere = runtime && *runtime != recovery; // where earlier versions kept theirs
    // Workspaces of ended runs with nothing to recover go (after this run's own is made: a
    // sweep never meets it unlocked).
    SweepStaleWorkspaces(recovery, Workspaces::Recovery);
    if (elsewhere) SweepStaleWorkspaces(*runtime);
    std::optional<QSocketNotifier> ended;
    if (endingFd >= 0) {
        ended.emplace(endingFd, QSocketNotifier::Read);
        QObject::connect(&*ended, &QSocketNotifier::activated, &app, [&session, endingFd] {
            signalfd_siginfo info{};
            if (::read(endingFd, &info, sizeof info) != sizeof info) return;
            session->EndKeepingWork();
            // Ended as the signal ends a program, for whoever sent it.
            const int signal = static_cast<int>(info.ssi_signo);
            std::signal(signal, SIG_DFL);
            sigset_t one;
            sigemptyset(&one);
            sigaddset(&one, signal);
            pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
            ::raise(signal);
            ::_exit(128 + signal);
        });
    }
    MessageBoxes messages;
    // A failed write of the recovery data is told once it may be shown, over the window in use.
    session->KeepSnapshots([&messages](const Message& m) {
        QTimer::singleShot(0, [&messages, m] { messages.Tell(QApplication::activeWindow(), m); });
    });
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
    QTimer::singleShot(0, &main, [&main, recovery, elsewhere, runtime, startFile] {
        main.OfferRecovery(recovery);
        if (elsewhere) main.OfferRecovery(*runtime, Workspaces::Scratch);
        if (startFile) main.OpenFile(*startFile); // from the file manager's Open With
    });
    return QApplication::exec();
}
