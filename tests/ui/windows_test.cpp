// The desktop windows driven as a user would: the closing question of Process Options and each
// DataSaved rule, Save and Save As, Report, the help topics, the screen reader's names,
// recovery, and the workspace gone after Exit.
#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTextBrowser>
#include <filesystem>

#include "app/about_box.hpp"
#include "app/main_window.hpp"
#include "app/process_options.hpp"
#include "entry/alignment_check_dialog.hpp"
#include "entry/block_identification.hpp"
#include "entry/block_list.hpp"
#include "entry/data_entry.hpp"
#include "entry/index_record.hpp"
#include "entry/save_data_dialog.hpp"
#include "entry/sketch_pane.hpp"
#include "entry/units_dialog.hpp"
#include "killed_run.hpp"
#include "output/print_dialog.hpp"
#include "output/printer_setup_dialog.hpp"
#include "output/report_viewer.hpp"
#include "print/report_text.hpp"
#include "ui/number_validator.hpp"
#include "ui_support.hpp"

namespace sidewalk::ui::test {

namespace fs = std::filesystem;

class Windows : public QObject {
    Q_OBJECT
  private slots:

    // Each row: what happens before Exit, and whether Exit asks.
    void closingQuestion_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("asks");
        QTest::newRow("new job") << "" << true;
        QTest::newRow("saved") << "save" << false;
        QTest::newRow("saved, then the index record changed") << "save index" << true;
        QTest::newRow("saved, index record opened unchanged") << "save same" << false;
        QTest::newRow("Save Data window opened and left") << "save window" << true;
    }
    void closingQuestion() {
        QFETCH(QString, before);
        QFETCH(bool, asks);
        Folder folder;
        Program p;
        p.session().New();
        p.job().jobUnits = "E";
        if (before.contains("save"))
            QVERIFY(p.session().SaveAs(folder.path() / "JOB.V41").has_value());
        p.onWindow["Indexform"] = [before](QDialog& w) {
            if (before.contains("index")) w.findChild<QLineEdit*>("DEng")->setText("SOMEONE ELSE");
            w.close(); // the frame's close stores the fields as OK does
        };
        p.onWindow["EnddataForm"] = [](QDialog& w) { Press(w, "saveexit"); };
        ProcForm options(p.services, p.state);
        if (before.contains("index") || before.contains("same")) Press(options, "IndexCmd");
        if (before.contains("window")) Press(options, "SaveCmd");
        const auto shownBefore = p.messages.shown().size();
        if (asks) p.messages.AnswerNext(QMessageBox::Yes); // Yes keeps the window open
        options.show();
        Press(options, "ExitCmd");
        QCOMPARE(p.messages.shown().size(), shownBefore + (asks ? 1 : 0));
        QCOMPARE(options.isVisible(), asks);
        if (!asks) return;
        const auto& question = p.messages.shown().back();
        QCOMPARE(question.title, QString("Save Data"));
        QCOMPARE(question.text,
                 "Do You Want To Save The Data\n\n" + QString::fromStdString(p.job().dataFileName));
        p.messages.AnswerNext(QMessageBox::Escape); // Escape or the close box keep it, as Yes
        options.close();
        QVERIFY(options.isVisible());
        p.messages.AnswerNext(QMessageBox::No); // No lets it close
        options.close();
        QVERIFY(!options.isVisible());
    }

    // A file named on the command line, or a .V41 file dropped on the main window, opens as
    // with Open; a file of another kind is not taken.
    void openFileAndDrop() {
        Program p;
        p.onWindow["ProcForm"] = [&p](QDialog& w) {
            p.messages.AnswerNext(QMessageBox::No); // Save Data? No
            w.done(QDialog::Accepted);
        };
        MainForm1 main(p.services, p.state);
        main.OpenFile(kEnglish.string());
        QCOMPARE(p.seen, QStringList{"ProcForm"});
        auto drop = [&](const QString& file) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(file)});
            QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            static_cast<QObject&>(main).event(&event); // as the drag's end delivers it
            QCoreApplication::processEvents();
        };
        drop("/tmp/notes.txt");
        QCOMPARE(p.seen.size(), 1);
        drop(QString::fromStdString(kEnglish.string()));
        QTRY_COMPARE(p.seen.size(), 2);
    }

    void saveAndSaveAs() {
        Folder folder;
        Program p;
        QVERIFY(p.session().Open(kEnglish).has_value());
        const fs::path copy = folder.path() / "COPY.V41";
        {
            EnddataForm form(p.services, p.state);
            QVERIFY(form.findChild<QPushButton*>("Endsave")->isVisibleTo(&form));
            // The data file filter gives a name without an extension ".V41".
            p.dialogs.AnswerNext(QString::fromStdString((folder.path() / "COPY").string()));
            Press(form, "Endsaveas");
            QVERIFY(form.findChild<QLabel*>("Image2")->isVisibleTo(&form));
            QVERIFY(!form.findChild<QLabel*>("Image1")->isVisibleTo(&form));
            QCOMPARE(form.findChild<QLabel*>("Label1")->text(),
                     QString::fromStdString(kEnglish.string())); // the name it opened with
        }
        QCOMPARE(ReadText(copy), ReadText(kEnglish)); // card for card, as the writer gives it
        QVERIFY(p.job().dataSaved);

        // A save that fails: its message, no check mark, not saved, the old file intact.
        {
            EnddataForm form(p.services, p.state);
            p.dialogs.AnswerNext(QString::fromStdString((copy / "INSIDE.V41").string()));
            p.messages.AnswerNext(QMessageBox::Ok);
            Press(form, "Endsaveas");
            QCOMPARE(p.messages.shown().back().title, QString("File Output Error"));
            QVERIFY(p.messages.shown().back().text.contains(QString::fromStdString(copy.string())));
            QVERIFY(!form.findChild<QLabel*>("Image2")->isVisibleTo(&form));
            QVERIFY(!p.job().dataSaved);
            // The file changed by someone else meanwhile: Cancel keeps it, Replace writes over it.
            sidewalk::test::WriteText(copy, "CRZ41 THEIRS\r\n");
            p.messages.AnswerNext(QMessageBox::Cancel);
            Press(form, "Endsave");
            QCOMPARE(ReadText(copy), std::string("CRZ41 THEIRS\r\n"));
            p.messages.AnswerNext(QMessageBox::Yes);
            Press(form, "Endsave");
            QVERIFY(p.messages.shown().back().text.endsWith(
                " was changed by another program since it was opened. Replace it?"));
            QVERIFY(form.findChild<QLabel*>("Image1")->isVisibleTo(&form));
            QVERIFY(p.job().dataSaved);
        }
        QCOMPARE(ReadText(copy), ReadText(kEnglish));

        // A new job offers Save As only.
        p.session().New();
        EnddataForm form(p.services, p.state);
        QVERIFY(!form.findChild<QPushButton*>("Endsave")->isVisibleTo(&form));
        // A long name is shortened in the middle; the window stays within the screen.
        const std::string longName = "/" + std::string(2000, 'd') + "/JOB.V41";
        p.job().dataFileName = longName;
        EnddataForm longForm(p.services, p.state);
        QVERIFY(longForm.sizeHint().width() < QGuiApplication::primaryScreen()->size().width());
        QCOMPARE(longForm.findChild<QLabel*>("Label1")->toolTip().toStdString(), longName);
    }

    void reportWritesTheWorkFileAndTheReport() {
        Program p;
        QVERIFY(p.session().Open(kEnglish).has_value());
        p.onWindow["ViewForm"] = [](QDialog& w) { Press(w, "Mnu_Exit"); };
        ProcForm options(p.services, p.state);
        Press(options, "ReportCmd");
        QCOMPARE(p.seen, QStringList{"ViewForm"});
        const Workspace& ws = p.session().workspace();
        QCOMPARE(p.state.reportFile, ws.ReportFile());
        QCOMPARE(ReadText(ws.WorkFile()), ReadText(kEnglish));
        QVERIFY(ReadText(ws.ReportFile()).find("GRAND TOTAL ROADWAY CURB") != std::string::npos);
        // The viewer and the print dialog print the report the run made, never reading it back.
        const std::string report = ReadText(ws.ReportFile());
        const fs::path copy = fs::path(ws.TempDir()) / "COPY.PRN";
        p.dialogs.AnswerNext(QString::fromStdString(copy.string()));
        p.onWindow["Prtbox"] = [](QDialog& w) {
            w.findChild<QCheckBox*>("Prtfile_Check")->click();
            Press(w, "Cmd_Print");
            Press(w, "Cmd_Cancel");
        };
        p.onWindow["ViewForm"] = [&](QDialog& w) {
            fs::remove(ws.ReportFile());
            Press(w, "Mnu_Print");
            Press(w, "Mnu_Exit");
        };
        Press(options, "ReportCmd");
        QCOMPARE(ReadText(copy), report);

        // A report that cannot be written: its message instead of the viewer.
        fs::remove(ws.ReportFile());
        fs::create_directory(ws.ReportFile());
        p.messages.AnswerNext(QMessageBox::Ok);
        Press(options, "ReportCmd");
        QCOMPARE(p.seen.count("ViewForm"), 2);
        QCOMPARE(p.messages.shown().back().title, QString("File Output Error"));
    }

    // What a screen reader is told: buttons by their captions, fields by their labels.
    // Every window, by its design name.
    static void WindowRows() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"MainForm1", "ProcForm", "EnddataForm", "Indexform", "Prtbox",
                                 "NTSetup", "SectList", "BlockHeader", "Dataform", "EngMet_Form",
                                 "AboutBox", "ViewForm", "SketchForm", "AlignmentCheckDialog"})
            QTest::newRow(name) << name;
    }
    static std::unique_ptr<QWidget> MakeWindow(Program& p, const QString& name) {
        const std::map<QString, std::function<std::unique_ptr<QWidget>()>> made = {
            {"MainForm1", [&] { return std::make_unique<MainForm1>(p.services, p.state); }},
            {"ProcForm", [&] { return std::make_unique<ProcForm>(p.services, p.state); }},
            {"EnddataForm", [&] { return std::make_unique<EnddataForm>(p.services, p.state); }},
            {"Indexform", [&] { return std::make_unique<Indexform>(p.services); }},
            {"Prtbox",
             [&] { return std::make_unique<Prtbox>(p.services, p.state, "", std::nullopt); }},
            {"NTSetup",
             [&] { return std::make_unique<NTSetup>(p.help(), p.printers, p.state.printer); }},
            {"SectList", [&] { return std::make_unique<SectList>(p.services); }},
            {"BlockHeader", [&] { return std::make_unique<BlockHeader>(p.services, 1); }},
            {"Dataform", [&] { return std::make_unique<Dataform>(p.services, 1); }},
            {"EngMet_Form", [&] { return std::make_unique<EngMet_Form>(p.session()); }},
            {"AboutBox", [] { return std::make_unique<AboutBox>(); }},
            {"AlignmentCheckDialog",
             [&] { return std::make_unique<AlignmentCheckDialog>(p.services); }},
            {"ViewForm", [&] { return std::make_unique<ViewForm>(p.services, p.state, ""); }},
            {"SketchForm",
             [&] {
                 return std::make_unique<SketchForm>(
                     p.services, 1, [] { return GridTexts{}; }, nullptr);
             }},
        };
        return made.at(name)();
    }

    // Enter on a focused button presses it, in every window.
    void enterPressesTheFocusedButton_data() { WindowRows(); }
    void enterPressesTheFocusedButton() {
        Program p;
        p.session().New();
        QFETCH(QString, name);
        const std::unique_ptr<QWidget> window = MakeWindow(p, name);
        window->show();
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (!button->isVisible() || !button->isEnabled()) continue;
            button->disconnect(SIGNAL(clicked(bool))); // the press only is watched
            QSignalSpy pressed(button, &QPushButton::clicked);
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            QVERIFY2(pressed.count() == 1, qPrintable(button->objectName()));
        }
    }

    void accessibleNames_data() { WindowRows(); }
    void accessibleNames() {
        Program p;
        p.session().New();
        QFETCH(QString, name);
        const std::unique_ptr<QWidget> made = MakeWindow(p, name);
        {
            QWidget* window = made.get();
            for (QPushButton* button : window->findChildren<QPushButton*>()) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
                QCOMPARE(a->text(QAccessible::Name), button->text().remove('&'));
            }
            // Each Alt key leads to one control, and no screen-reader text holds a stray CR.
            QStringList keys;
            auto take = [&keys](const QString& text) {
                const qsizetype at = text.indexOf(QRegularExpression("&[^&]"));
                if (at >= 0) keys << text.mid(at + 1, 1).toUpper();
            };
            for (auto* b : window->findChildren<QAbstractButton*>())
                take(b->text());
            for (auto* l : window->findChildren<QLabel*>())
                if (l->buddy() != nullptr) take(l->text());
            for (auto* bar : window->findChildren<QMenuBar*>())
                for (QAction* a : bar->actions())
                    take(a->text());
            QVERIFY2(keys.removeDuplicates() == 0,
                     qPrintable(window->objectName() + ": " + keys.join(' ')));
            for (QWidget* w : window->findChildren<QWidget*>()) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                QVERIFY(a == nullptr ||
                        !(a->text(QAccessible::Name) + a->text(QAccessible::Description))
                             .contains('\r'));
                // Every field a user fills in (each has its design name) is named, by its label.
                const bool field =
                    !w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                    (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                     qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w));
                QVERIFY2(!field || !w->accessibleName().isEmpty(),
                         qPrintable(window->objectName() + ": " + w->objectName()));
            }
        }
    }

    // The sample's alignment chosen from Process Options: the table says what the command says;
    // Apply sets the two blocks that differ, so that the report computes them with the
    // alignment's radius, and one Undo, in the window or after it, takes both back.
    void checkAgainstAlignmentAndApply() {
        Program p;
        QVERIFY(p.session().Open(kEnglish).has_value());
        p.dialogs.AnswerNext(SIDEWALK_EXAMPLES_DIR "/downtown-english.xml");
        p.onWindow["AlignmentCheckDialog"] = [&p](QDialog& w) {
            auto* table = w.findChild<QTableWidget*>("CheckTable");
            QAbstractItemModelTester tester(table->model(),
                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
            Press(w, "ChooseFile");
            QCOMPARE(static_cast<AlignmentCheckDialog&>(w).TableText().toStdString(),
                     ReadText(fs::path(SIDEWALK_TESTS_DIR) / "data" / "downtown-english.check"));
            Press(w, "ApplyCmd");
            QCOMPARE(Cell(table, 4, 6) + Cell(table, 5, 6), QString("agreesagrees"));
            QVERIFY(!w.findChild<QPushButton*>("ApplyCmd")->isEnabled());
            Press(w, "CopyCmd");
            QVERIFY(QGuiApplication::clipboard()->text().endsWith(
                "7 blocks against alignment CENTRAL AVE: 6 agree, 0 differ, 0 cross, 1 outside\n"));
            Press(w, "Mnu_Undo"); // the table follows the job taken back and done again
            QVERIFY(Cell(table, 4, 6).startsWith("differs"));
            Press(w, "Mnu_Redo");
            Press(w, "ExitCmd");
        };
        ProcForm options(p.services, p.state);
        Press(options, "AlignCmd");
        QCOMPARE(p.job().header(5).radiusBl + p.job().header(6).aliTyp, std::string("1423.3945L"));
        QVERIFY(p.session().Report()->report.find("1423.3945") != std::string::npos);
        QVERIFY(p.session().Undo().has_value());
        QCOMPARE(p.job().header(5).radiusBl + p.job().header(6).radiusBl,
                 std::string("1432.39451432.3945"));
    }

    // The alignment chosen applies to the blocks selected, or to all when none is.
    void alignmentOfTheSelectedBlocks() {
        Program p;
        QVERIFY(p.session().Open(kEnglish).has_value());
        AlignmentCheckDialog check(p.services);
        QVERIFY(check.OpenFile(SIDEWALK_TESTS_DIR "/data/alignment-metric.xml"));
        auto* table = check.findChild<QTableWidget*>("CheckTable");
        table->selectRow(1);
        emit check.findChild<QComboBox*>("AlignName")->activated(1);
        QCOMPARE(Cell(table, 0, 4) + "|" + Cell(table, 1, 4), QString("RING RD|SPUR"));
        table->clearSelection();
        emit check.findChild<QComboBox*>("AlignName")->activated(1);
        QCOMPARE(Cell(table, 0, 4) + "|" + Cell(table, 6, 4), QString("SPUR|SPUR"));
        QVERIFY(check.TableText().contains(
            "against alignment SPUR: 1 agree, 2 differ, 0 cross, 4 outside"));
    }

    void helpTopics() {
        Program p;
        p.session().New();
        MainForm1 main(p.services, p.state);
        Press(main, "Cmd_Help");
        QCOMPARE(p.help().lastTopic(), 0);
        ProcForm options(p.services, p.state);
        Press(options, "Mnu_Help");
        QCOMPARE(p.help().browser()->source().fragment(), QString("770"));
        // F1 in the main window: the contents. A working window is modal to the one that
        // opened it only, and help has no parent: nothing it opens blocks help.
        main.show();
        QApplication::setActiveWindow(&main);
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, Qt::Key_F1);
        QCOMPARE(p.help().lastTopic(), 0);
        p.onWindow["SectList"] = [](QDialog& w) {
            QApplication::setActiveWindow(&w);
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QTest::keyClick(&w, Qt::Key_F1);
            QCOMPARE(w.windowModality(), Qt::WindowModal);
            QVERIFY(w.width() >= TitleWidth(w)); // room for the dialog's whole title
            w.accept();
        };
        Press(options, "BookCmd");
        QCOMPARE(p.help().lastTopic(), 650);
        QVERIFY(p.help().browser()->parentWidget() == nullptr);
    }

    // Help goes beside the window it was asked from, to its right where there is room.
    void helpGoesBeside_data() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (const char* column : {"left", "width", "helpWidth", "expectLeft", "expectWidth"})
            QTest::addColumn<int>(column);
        // clang-format off
        QTest::newRow("room on the right") << screen.left() << 200 << 300 << screen.left() + 200 << 300;
        QTest::newRow("on the left") << screen.right() + 1 - 200 << 200 << 300 << screen.right() + 1 - 500 << 300;
        QTest::newRow("narrowed") << screen.left() + 100 << screen.width() - 500 << 720 << screen.right() + 1 - 400 << 400;
        // clang-format on
    }
    void helpGoesBeside() {
        QFETCH(int, left);
        QFETCH(int, width);
        QFETCH(int, helpWidth);
        QWidget asking;
        asking.setGeometry(left, QGuiApplication::primaryScreen()->availableGeometry().top() + 50,
                           width, 100);
        QWidget help;
        help.resize(helpWidth, 300);
        PlaceBeside(help, asking);
        QTEST(help.x(), "expectLeft");
        QTEST(help.width(), "expectWidth");
    }

    void viewerSelection() {
        QVERIFY(!SelectionFileText("0123456789")); // ten characters or fewer: none
        const QString pages = "END" + QString(QChar::ParagraphSeparator) +
                              QString(80, QChar(0x2500)) + QChar::ParagraphSeparator +
                              " ZARN V4.2.0";
        QCOMPARE(*SelectionFileText(pages), std::string("END\r\n\f\r\n ZARN V4.2.0\r\n"));

        // The viewer shows the report with its page breaks; Print leaves no selection file.
        Program p;
        QVERIFY(p.session().Open(kEnglish).has_value());
        const Result<RunOutcome> run = p.session().Report();
        QVERIFY(run);
        ViewForm view(p.services, p.state, run->report);
        auto* display = view.findChild<QPlainTextEdit*>("MhFileDisplay1");
        // Print hands a selection to the print dialog through the selection file, and removes
        // the file when the dialog closes.
        display->selectAll();
        bool offered = false;
        p.onWindow["Prtbox"] = [&](QDialog& w) {
            offered = fs::exists(view.SelectionFile()) &&
                      w.findChild<QRadioButton*>("Range_2")->isEnabled();
            Press(w, "Cmd_Cancel");
        };
        Press(view, "Mnu_Print");
        QVERIFY(offered);
        QCOMPARE(p.seen, QStringList{"Prtbox"});
        QVERIFY(!fs::exists(view.SelectionFile()));
        QVERIFY(!display->textCursor().hasSelection());
        view.resize(1000, 600);
        view.show();
        QCOMPARE(display->font().pointSize(), 14); // from 919 pixels wide
        // Narrower, in a smaller font: no horizontal scroll bar the lines no longer need.
        view.resize(700, 500);
        QCoreApplication::processEvents();
        QCOMPARE(display->font().pointSize(), 8);
        QVERIFY(!display->horizontalScrollBar()->isVisible());
    }

    // Card texts are Windows-1252: every byte is shown as its character and stored back as the
    // same byte, a character it cannot hold is refused, and a text is as many bytes as
    // characters. A text of an earlier version in UTF-8 is shown as such, and kept untouched.
    void cardTextsAndTheirEncoding() {
        std::string every;
        for (int b = 1; b < 256; ++b)
            every += static_cast<char>(b);
        QCOMPARE(CardBytes(ReportText(every)), std::optional(every));
        QCOMPARE(ReportText("CAF\xC9 \x80\x9F"), QString::fromUtf8("CAF\u00c9 \u20ac\u0178"));
        QCOMPARE(ReportText("\xC3\x84RGER ST"), QString::fromUtf8("\u00c4RGER ST"));
        QCOMPARE(StoredBytes(QString::fromUtf8("\u00c4RGER ST"), "\xC3\x84RGER ST"),
                 std::string("\xC3\x84RGER ST"));
        QCOMPARE(StoredBytes(QString::fromUtf8("\u00c4RGER"), "\xC3\x84RGER ST"),
                 std::string("\xC4RGER"));
        CardTextValidator forty(40, nullptr);
        int pos = 0;
        QString fits(40, QChar(0xC9)), tooLong(41, 'A'), notInTheSet = QString::fromUtf8("\u4e2d");
        QCOMPARE(forty.validate(fits, pos), QValidator::Acceptable);
        QCOMPARE(forty.validate(tooLong, pos), QValidator::Invalid);
        QCOMPARE(forty.validate(notInTheSet, pos), QValidator::Invalid);
    }

    // Two killed runs' unsaved jobs, asked about newest first with what is at stake: Later (and
    // Escape) and a Discard not confirmed keep them for the next start; Recover takes one back,
    // unsaved, in Process Options; a confirmed Discard removes the other.
    void recoverKilledRunsJobs() {
        Folder parent;
        for (const char* ref : {"R-OLD", "R-NEW"})
            sidewalk::test::KilledRun(parent.path(), [ref](Session& s) { // no Qt in there
                s.Open(kEnglish);
                s.SetIndexRecord(ref, "", "P-7", "");
            });
        Program p;
        p.onWindow["ProcForm"] = [](QDialog& w) { w.done(QDialog::Accepted); };
        MainForm1 main(p.services, p.state);
        // clang-format off
        for (const auto answer : {QMessageBox::Escape, QMessageBox::Discard, QMessageBox::No,
                                  QMessageBox::Yes, QMessageBox::No, QMessageBox::Discard, QMessageBox::Yes})
            p.messages.AnswerNext(answer); // Later; Discard, not confirmed; Recover, Save Data? No; Discard
        // clang-format on
        main.OfferRecovery(parent.path());
        QCOMPARE(std::distance(fs::directory_iterator(parent.path()), {}), 2);
        main.OfferRecovery(parent.path());
        QCOMPARE(p.seen, QStringList{"ProcForm"});
        const auto& asked = p.messages.shown();
        QCOMPARE(asked[0].title, QString("Recover Unsaved Job"));
        QVERIFY2(asked[0].text.contains("Data file: " + QString::fromStdString(kEnglish.string()) +
                                        "\nRef No.: R-NEW\nProject No.: P-7\nBlocks: 7\n"),
                 qPrintable(asked[0].text));
        QCOMPARE(asked[4].title, QString("Save Data"));
        QCOMPARE(p.job().idxRefNum, std::string("R-NEW"));
        QVERIFY(!p.job().dataSaved);
        QVERIFY(fs::is_empty(parent.path()));
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::Windows)
#include "windows_test.moc"
