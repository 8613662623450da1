// The print dialog and printer setup over a print system in memory: their lists and lines, page
// ranges, copies, the selection, and Print To File.
#include <QTest>
#include <filesystem>


#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "output/print_dialog.hpp"
#include "output/printer_setup_dialog.hpp"
#include "pdf_tools.hpp"
#include "print/printer_setup.hpp"
#include "ui_support.hpp"

// A row of the print dialog's table: the printer, the range chosen (0 all, 1 pages, 2 the
// selection) and its pages, the copies typed, what was printed (sheets by "|", documents by
// ";"), the start of the message told, and whether the sketches are included.
struct PrintDialogCase {
    const char* printer = "";
    int range = 0, from = 0, to = 0;
    const char *copies = "", *jobs = "", *message = "";
    bool sketches = false;
};
Q_DECLARE_METATYPE(PrintDialogCase)

// A row of the setup window's table: the printer chosen and the paper, bin and orientation
// stored; the rows of the paper and bin lists then chosen and the description's two lines.
struct SetupListsCase {
    const char* printer;
    int paper, bin, orientation, paperRow, binRow;
    const char *paperLine, *binLine;
};
Q_DECLARE_METATYPE(SetupListsCase)

// A row of another printer chosen in setup: its place in the list, the button pressed, and the
// printer, paper, bin and orientation then stored.
struct OtherPrinterCase {
    int printer;
    const char *button, *device;
    int paper, bin, orientation;
};
Q_DECLARE_METATYPE(OtherPrinterCase)

namespace sidewalk::ui::test {

namespace fs = std::filesystem;
using sidewalk::test::RunTool;

class Printing : public QObject {
    Q_OBJECT
    Folder folder_;
    const fs::path& dir_ = folder_.path();

  private slots:
    // An office printer as its driver lists it (two bins of one usual number made unique), one
    // that cannot be opened, one that takes no jobs, and a home printer with fewer papers.
    static void AddQueues(MemoryPrintSystem& system) {
        // clang-format off
        PrinterFacts facts{"socket://office:9100",
            {{1, "Letter", "Letter", {612, 792}, {}}, {5, "Legal", "Legal", {612, 1008}, {}},
             {9, "A4", "A4", {595, 842}, {}}, {258, std::string(64, 'P'), "Long", {}, {}}},
            {{7, "Automatic", "Auto", {}, {}}, {1, std::string(24, 'B'), "Upper", {}, {}},
             {1, "Second", "Upper2", {}, {}}}, 9, 1};
        MakeNumbersUnique(facts.bins);
        const PrinterFacts home{"usb://home",
            {{1, "Letter", "Letter", {612, 792}, {}}, {9, "A4", "A4", {595, 842}, {}}},
            {{7, "Automatic", "Auto", {}, {}}}, 1, 7};
        // clang-format on
        system.queues = {{"Office", facts, false},
                         {"Gone", {}, false},
                         {"Closed", facts, true},
                         {"Home", home, false}};
        system.defaultName = "Office";
    }
    static QStringList Items(const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }

    // The setup lists and the description name the driver's entries; a printer that cannot be
    // opened, or a paper the driver does not list, names none.
    void setupListsAndDescription_data() {
        QTest::addColumn<SetupListsCase>("c");
        // clang-format off
        QTest::newRow("listed paper and bin") << SetupListsCase{"Office", 9, 1, 1, 2, 1, " Paper: A4   [Portrait] ", " Bin: BBBBBBBBBBBBBBBBBBBBBBBB "};
        QTest::newRow("paper not listed") << SetupListsCase{"Office", 3, 7, 2, -1, 0, " Paper: Not Defined   [Landscape] ", " Bin: Automatic "};
        QTest::newRow("cannot be opened: the papers for a file") << SetupListsCase{"Gone", 9, 1, 1, 2, -1, " Paper: A4   [Portrait] ", " Bin: Not Defined "};
        // clang-format on
    }
    void setupListsAndDescription() {
        QFETCH(SetupListsCase, c);
        Program p;
        AddQueues(p.printers);
        p.state.printer = SelectPrinter(p.printers, c.printer);
        p.state.printer.paperSize = c.paper;
        p.state.printer.paperBin = c.bin;
        p.state.printer.orientation = static_cast<Orientation>(c.orientation);
        const PrinterDescription d = DescribePrinter(p.printers, p.state.printer);
        QCOMPARE(PaperLine(d), std::string(c.paperLine));
        QCOMPARE(BinLine(d), std::string(c.binLine));
        NTSetup setup(p.help(), p.printers, p.state.printer);
        QCOMPARE(Items(setup.findChild<QComboBox*>("combo1")),
                 QStringList({"Office", "Gone", "Closed", "Home"}));
        QCOMPARE(setup.findChild<QComboBox*>("combo1")->currentText(), c.printer);
        auto* papers = setup.findChild<QComboBox*>("Combo2");
        auto* bins = setup.findChild<QComboBox*>("Combo3");
        if (std::string(c.printer) == "Office") {
            QCOMPARE(Items(papers),
                     QStringList({"1  Letter", "5  Legal", "9  A4", "258  " + QString(64, 'P')}));
            QCOMPARE(Items(bins),
                     QStringList({"7  Automatic", "1  " + QString(24, 'B'), "259  Second"}));
        } else {
            QCOMPARE(Items(papers), QStringList({"1  US Letter", "5  US Legal", "9  A4"}));
            QCOMPARE(Items(bins), QStringList{"  <Unavailable>"});
        }
        QCOMPARE(papers->currentIndex(), c.paperRow);
        QCOMPARE(bins->currentIndex(), c.binRow);
        QCOMPARE(setup.findChild<QRadioButton*>("Option1_1")->isChecked(), c.orientation == 2);
    }

    // Another printer chosen in setup, from Office on Legal, landscape.
    void setupOtherPrinter_data() {
        QTest::addColumn<OtherPrinterCase>("c");
        QTest::newRow("Cancel puts all back")
            << OtherPrinterCase{2, "Cmd_Cancel", "Office", 5, 1, 2};
        QTest::newRow("Legal and the bin by name")
            << OtherPrinterCase{2, "Cmd_OK", "Closed", 5, 1, 2};
        QTest::newRow("no Legal, no such bin: its defaults")
            << OtherPrinterCase{3, "Cmd_OK", "Home", 1, 7, 2};
    }
    void setupOtherPrinter() {
        QFETCH(OtherPrinterCase, c);
        Program p;
        AddQueues(p.printers);
        p.state.printer = SelectPrinter(p.printers, "Office");
        p.state.printer.paperSize = 5;
        p.state.printer.orientation = Orientation::Landscape;
        NTSetup setup(p.help(), p.printers, p.state.printer);
        setup.findChild<QComboBox*>("combo1")->setCurrentIndex(c.printer);
        setup.combo1_Click();
        Press(setup, c.button);
        QCOMPARE(p.state.printer.deviceName, std::string(c.device));
        QCOMPARE(p.state.printer.paperSize, c.paper);
        QCOMPARE(p.state.printer.paperBin, c.bin);
        QVERIFY(p.state.printer.orientation == static_cast<Orientation>(c.orientation));
    }

    // The print dialog's range choice, Print To File, and the status lines after Setup.
    void printDialogState() {
        Program p;
        AddQueues(p.printers);
        p.state.printer = SelectPrinter(p.printers, "Office");
        Prtbox box(p.services, p.state, "", std::nullopt);
        QVERIFY(!box.findChild<QRadioButton*>("Range_2")->isEnabled()); // no selection
        auto* from = box.findChild<QSpinBox*>("Page_From");
        auto* to = box.findChild<QSpinBox*>("Page_To");
        auto* frame = box.findChild<QWidget*>("Frame2");
        QVERIFY(!frame->isEnabled() && from->value() == 0 && to->value() == 0);
        box.findChild<QRadioButton*>("Range_1")->click();
        QVERIFY(frame->isEnabled() && from->value() == 1 && to->value() == 1);
        box.findChild<QRadioButton*>("Range_0")->click();
        QVERIFY(!frame->isEnabled() && from->value() == 0 && to->value() == 0);
        box.findChild<QCheckBox*>("Prtfile_Check")->click();
        QVERIFY(box.findChild<QGroupBox*>("Frame1")->isHidden());
        QVERIFY(box.findChild<QLineEdit*>("No_Copies")->isHidden());
        QVERIFY(!box.findChild<QPushButton*>("Cmd_Setup")->isEnabled());
        // Setup: the status lines follow what the setup window set.
        p.onWindow["NTSetup"] = [](QDialog& w) {
            w.findChild<QComboBox*>("Combo2")->setCurrentIndex(1);
            w.findChild<QRadioButton*>("Option1_1")->setChecked(true);
            Press(w, "Cmd_OK");
        };
        box.Cmd_Setup_Click();
        QCOMPARE(box.findChild<QLabel*>("Label2")->text(), QString(" Paper: Legal   [Landscape] "));
        // The lines always name what the job is printed with, after Setup's OK or Cancel.
        box.findChild<QCheckBox*>("Prtfile_Check")->click();
        for (const char* button : {"Cmd_Cancel", "Cmd_OK"}) {
            p.onWindow["NTSetup"] = [button](QDialog& w) {
                auto* printers = w.findChild<QComboBox*>("combo1");
                printers->setCurrentIndex(printers->findText("Home"));
                static_cast<NTSetup&>(w).combo1_Click();
                Press(w, button);
            };
            box.Cmd_Setup_Click();
            Press(box, "Cmd_Print");
            const auto& job = p.printers.jobs.back();
            const PrinterDescription d = DescribePrinter(p.printers, job.printer);
            QCOMPARE(box.findChild<QLabel*>("Label1")->text().toStdString(),
                     PrinterLine(job.printer));
            QCOMPARE(box.findChild<QLabel*>("Label2")->text().toStdString(), PaperLine(d));
            QCOMPARE(box.findChild<QLabel*>("Label3")->text().toStdString(), BinLine(d));
        }
        QCOMPARE(p.printers.jobs.front().printer.deviceName, std::string("Office"));
        QCOMPARE(p.printers.jobs.back().printer.deviceName, std::string("Home"));
    }

    // Print: the range, the copies (each a document), the selection; and what stops it.
    void printDialogPrints_data() {
        QTest::addColumn<PrintDialogCase>("c");
        // clang-format off
        QTest::newRow("all") << PrintDialogCase{"Office", 0, 0, 0, "1", "a1 a2|b1|c1|d1|BLOCK IDENTIFICATION - E", ""};
        QTest::newRow("pages 3 to 5") << PrintDialogCase{"Office", 1, 3, 5, "1", "c1|d1|BLOCK IDENTIFICATION - E", ""};
        QTest::newRow("pages 0 to 2") << PrintDialogCase{"Office", 1, 0, 2, "1", "a1 a2|b1", ""};
        QTest::newRow("pages 4 to 0") << PrintDialogCase{"Office", 1, 4, 0, "1", "d1|BLOCK IDENTIFICATION - E", ""};
        QTest::newRow("pages 5 to 9: past the end") << PrintDialogCase{"Office", 1, 5, 9, "1", "", "The report has 5 pages: From and To are pages 1 to 5"};
        QTest::newRow("pages 4 to 2: From after To") << PrintDialogCase{"Office", 1, 4, 2, "1", "", "The report has 5 pages"};
        QTest::newRow("pages 5 to 5: the last") << PrintDialogCase{"Office", 1, 5, 5, "1", "BLOCK IDENTIFICATION - E", ""};
        QTest::newRow("To emptied") << PrintDialogCase{"Office", 1, 2, -1, "1", "", "Type the pages to print"};
        QTest::newRow("3 copies") << PrintDialogCase{"Office", 1, 2, 3, " 3", "b1|c1 x3", ""};
        QTest::newRow("0 copies") << PrintDialogCase{"Office", 0, 0, 0, "0", "", "The number of copies must be a whole number from 1 to 32767"};
        QTest::newRow("selection") << PrintDialogCase{"Office", 2, 0, 0, "2", "sel x2", ""};
        QTest::newRow("copies not a number") << PrintDialogCase{"Office", 0, 0, 0, "2x", "", "The number of copies must be"};
        QTest::newRow("queue takes no jobs") << PrintDialogCase{"Closed", 0, 0, 0, "2", "", "The printer Closed did not take"};
        QTest::newRow("sketches after each copy") << PrintDialogCase{"Office", 1, 5, 5, "2", "BLOCK IDENTIFICATION - E|[sketch] MAIN ST x2", "", true};
        QTest::newRow("no sketch of a block not on the pages") << PrintDialogCase{"Office", 1, 3, 4, "1", "c1|d1", "", true};
        // clang-format on
    }
    void printDialogPrints() {
        QFETCH(PrintDialogCase, c);
        const QString printer = c.printer, copies = c.copies, jobs = c.jobs, message = c.message;
        const int range = c.range, from = c.from, to = c.to;
        Program p;
        AddQueues(p.printers);
        p.state.printer = SelectPrinter(p.printers, printer.toStdString());
        const std::string five = "a1\r\na2\r\n\f\r\nb1\r\n\f\r\nc1\r\n\f\r\nd1\r\n\f\r\n"
                                 "BLOCK IDENTIFICATION - E\r\n";
        p.job().header(4) = {"T", "R", "10", "4", "22", "22", "", "MAIN ST"};
        Prtbox box(p.services, p.state, five, "sel\r\n");
        box.findChild<QCheckBox*>("Sketch_Check")->setChecked(c.sketches);
        box.findChild<QRadioButton*>(QString("Range_%1").arg(range).toLatin1())->click();
        box.findChild<QSpinBox*>("Page_From")->setValue(from);
        box.findChild<QSpinBox*>("Page_To")->setValue(to);
        if (to < 0) box.findChild<QSpinBox*>("Page_To")->findChild<QLineEdit*>()->clear();
        box.findChild<QLineEdit*>("No_Copies")->setText(copies);
        if (!message.isEmpty()) p.messages.AnswerNext(QMessageBox::Ok);
        Press(box, "Cmd_Print");
        QStringList printed;
        for (const auto& job : p.printers.jobs) {
            QCOMPARE(job.title, std::string("NoName")); // the data file's name, not a path
            QCOMPARE(job.fontName, std::string("Courier New"));
            QCOMPARE(job.fontPoints, 12);
            QStringList sheets;
            for (const auto& sheet : job.sheets) {
                QStringList lines;
                for (const std::string& line : sheet)
                    lines << QString::fromStdString(line);
                sheets << (lines.isEmpty() ? "-" : lines.join(' '));
            }
            printed << sheets.join('|') + (job.copies > 1 ? " x" + QString::number(job.copies) : "");
        }
        QCOMPARE(printed.join(';'), jobs);
        QCOMPARE(p.messages.shown().empty(), message.isEmpty());
        if (!message.isEmpty()) QVERIFY(p.messages.shown().back().text.startsWith(message));
    }

    // Print To File: the whole report as a line-by-line copy, or as a PDF on the printer's
    // paper; Cancel saves nothing; LastDir stays; a target that cannot be written is said.
    void printDialogToFile() {
        Program p;
        AddQueues(p.printers);
        p.state.printer = SelectPrinter(p.printers, "Office");
        p.state.reportFile = "toFile.SPL";
        Prtbox box(p.services, p.state, "one\ntwo\r\n\f\r\nthree", std::nullopt);
        box.findChild<QRadioButton*>("Range_1")->click();
        box.findChild<QLineEdit*>("No_Copies")->setText("4");
        box.findChild<QCheckBox*>("Prtfile_Check")->click();
        p.dialogs.AnswerNext(QString::fromStdString((dir_ / "OUT.PRN").string()));
        // The PDF filter gives a name without an extension ".pdf", and a PDF.
        p.dialogs.AnswerNext(QString::fromStdString((dir_ / "OUT").string()),
                             "PDF Document (*.pdf)");
        p.dialogs.AnswerNext(std::nullopt);
        p.dialogs.AnswerNext(QString::fromStdString((dir_ / "no" / "OUT.PRN").string()));
        p.messages.AnswerNext(QMessageBox::Ok);
        for (int i = 0; i < 4; ++i)
            Press(box, "Cmd_Print");
        QCOMPARE(ReadText(dir_ / "OUT.PRN"), std::string("one\r\ntwo\r\n\f\r\nthree\r\n"));
        QVERIFY(RunTool("pdfinfo", {QString::fromStdString((dir_ / "OUT.pdf").string())})
                    .contains("595 x 842 pts"));
        QCOMPARE(p.messages.shown().size(), std::size_t{1});
        QCOMPARE(p.messages.shown()[0].title, QString("File Output Error"));
        QVERIFY(p.printers.jobs.empty());
        QCOMPARE(p.state.lastDir, std::string("/"));
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::Printing)
#include "printing_test.moc"
