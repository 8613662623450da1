// Printing on the real print system: a private spooler with a tray printer whose sheets come
// back as PDFs, read with poppler to see the sheets, paper, tray, orientation and copies.
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include "pdf_tools.hpp"
#include "print/cups_print_system.hpp"
#include "print/printer_setup.hpp"
#include "print/report_printing.hpp"
#include "ui_support.hpp"

// A row of printing on the tray printer: the paper, bin and orientation chosen, the pages and
// copies printed; the sheets each copy takes, the paper's size in points and the tray's mark.
struct TrayCase {
    int paper, bin, orientation, from, to, copies, sheets;
    const char *size, *mark;
};
Q_DECLARE_METATYPE(TrayCase)

namespace sidewalk::ui::test {

namespace fs = std::filesystem;
using sidewalk::test::RunTool;

class RealPrinting : public QObject {
    Q_OBJECT
    const fs::path printed_ = qEnvironmentVariable("SIDEWALK_PRINTED").toStdString();
    Folder work_;
    std::string report_ = (work_.path() / "PRINT.SPL").string();
    std::size_t jobs_ = 0; // the jobs printed so far

    // The PDFs of the next count jobs, in job order, once the spooler has printed them.
    std::vector<fs::path> NextJobs(std::size_t count) {
        std::vector<fs::path> pdfs;
        for (int wait = 0; wait < 600; ++wait) {
            pdfs.clear();
            for (const auto& e : fs::directory_iterator(printed_))
                if (e.path().extension() == ".pdf") pdfs.push_back(e.path());
            if (pdfs.size() >= jobs_ + count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::sort(pdfs.begin(), pdfs.end(), [](const fs::path& a, const fs::path& b) {
            return std::stoi(a.stem().string().substr(4)) < std::stoi(b.stem().string().substr(4));
        });
        if (pdfs.size() < jobs_ + count) return {};
        std::vector<fs::path> next(pdfs.begin() + static_cast<long>(jobs_),
                                   pdfs.begin() + static_cast<long>(jobs_ + count));
        jobs_ += count;
        return next;
    }

  private slots:
    void initTestCase() {
        QVERIFY2(!printed_.empty(), "run through tests/cups/with_cupsd.sh");
        int status = 0;
        RunTool(SIDEWALK_BUILD_DIR "/sidewalk-report",
                {"--output", QString::fromStdString(report_),
                 SIDEWALK_EXAMPLES_DIR "/downtown-english.V41"},
                &status);
        QCOMPARE(status, 0);
    }

    void printsOnThePaperAndTrayChosen_data() {
        // The sheets pages from..to take at so many lines a sheet.
        const QStringList pages = QString::fromStdString(ReadText(report_)).split("\f\r\n");
        auto sheets = [&](int from, int to, int lines) {
            int n = 0;
            for (int page = from; page <= std::min<int>(to, pages.size()); ++page)
                n += std::max<int>(1, (pages[page - 1].count('\n') + lines - 1) / lines);
            return n;
        };
        QTest::addColumn<TrayCase>("c");
        // clang-format off
        QTest::newRow("Letter, all pages") << TrayCase{1, 7, 1, 1, 9999, 1, sheets(1, 9999, 60), "612 x 792", "TRAY-MARK-Auto"};
        QTest::newRow("Legal, upper tray") << TrayCase{5, 1, 1, 1, 1, 1, 1, "612 x 1008", "TRAY-MARK-Upper"};
        QTest::newRow("across A4: 45 lines a sheet") << TrayCase{9, 259, 2, 2, 3, 2, sheets(2, 3, 45), "595 x 842", "TRAY-MARK-Tray2"};
        QTest::newRow("Letter's size named as itself") << TrayCase{260, 7, 1, 1, 1, 1, 1, "612 x 792", "TRAY-MARK-Auto"};
        // clang-format on
    }
    void printsOnThePaperAndTrayChosen() {
        QFETCH(TrayCase, c);
        CupsPrintSystem cups((work_.path() / "print.pdf").string());
        const CurrentPrinter printer{"Trays", "", static_cast<Orientation>(c.orientation), c.paper,
                                     c.bin};
        for (int copy = 0; copy < c.copies; ++copy) {
            const auto document = cups.StartDocument(printer, "PRINT.SPL");
            const auto error = PrintReportPages(ReadText(report_), c.from, c.to, *document);
            QVERIFY2(!error.failed(), error.failed() ? error.error().text.c_str() : "");
        }
        const std::vector<fs::path> jobs = NextJobs(static_cast<std::size_t>(c.copies));
        QCOMPARE(jobs.size(), static_cast<std::size_t>(c.copies));
        for (const fs::path& job : jobs) {
            const QString pdf = QString::fromStdString(job.string());
            const QString info = RunTool("pdfinfo", {pdf});
            QVERIFY2(info.contains(QRegularExpression(QString("Pages: +%1\n").arg(c.sheets))),
                     qPrintable(info));
            QVERIFY2(info.contains(c.size), qPrintable(info));
            const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
            QCOMPARE(text.count(c.mark), c.sheets);
            // Across the sheet, the report's lines run along its long edge.
            const QString box = RunTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
            const QRegularExpressionMatch word =
                QRegularExpression(
                    R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">QUANTITIES<)re")
                    .match(box);
            QVERIFY(word.hasMatch());
            const double wide = word.captured(3).toDouble() - word.captured(1).toDouble();
            const double high = word.captured(4).toDouble() - word.captured(2).toDouble();
            QCOMPARE(high > wide, c.orientation == 2);
            // The paper sent is the paper chosen; every character lies inside the
            // printable area (Letter's starts a quarter inch in from each side).
            fs::path options = job;
            const std::string sent = ReadText(options.replace_extension(".options"));
            const std::map<int, std::string> keyword = {
                {1, "Letter"}, {5, "Legal"}, {9, "A4"}, {260, "AnsiA"}};
            QVERIFY2(sent.find("media=" + keyword.at(c.paper) + " ") != std::string::npos,
                     sent.c_str());
            if (c.paper != 1) continue;
            const QString words = RunTool("pdftotext", {"-bbox", pdf, "-"});
            const QRegularExpression across(
                R"re(xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)"[^>]*>([^<]*)<)re");
            int inside = 0;
            for (const auto& w : across.globalMatch(words)) {
                if (w.captured(3).startsWith("TRAY-MARK")) continue;
                QVERIFY2(w.captured(1).toDouble() >= 18 && w.captured(2).toDouble() <= 594,
                         qPrintable(w.captured(0)));
                ++inside;
            }
            QVERIFY(inside > 100);
        }
    }

    // What stops a print job is said by the command, which prints through the same code.
    void commandSaysWhatStopsIt_data() {
        const QString report = QString::fromStdString(report_);
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        // clang-format off
        QTest::newRow("list") << QStringList{"--list"} << 0 << "Trays (default)";
        QTest::newRow("no such printer") << QStringList{"--printer", "Nowhere", report} << 2 << "The printer Nowhere cannot be opened: the print system knows no printer";
        QTest::newRow("takes no jobs") << QStringList{"--printer", "Closed", report} << 2 << "The printer Closed did not take the report";
        QTest::newRow("no such tray") << QStringList{"--tray", "Tray 9", report} << 2 << "has no tray named Tray 9 (trays: Automatic, Tray 1";
        QTest::newRow("no such paper") << QStringList{"--printer", "Trays", "--paper", "A5", report} << 2 << "has no paper named A5";
        // clang-format on
    }
    void commandSaysWhatStopsIt() {
        QFETCH(QStringList, args);
        int status = -1;
        const QString said = RunTool(SIDEWALK_BUILD_DIR "/sidewalk-print", args, &status);
        QTEST(status, "status");
        QFETCH(QString, says);
        QVERIFY2(said.contains(says), qPrintable(said));
    }

    void commandPrintsCopiesOnThePaperAndTrayChosen() {
        int status = -1;
        RunTool(SIDEWALK_BUILD_DIR "/sidewalk-print",
                {"--paper", "A4", "--tray", "Tray 1", "--copies", "2", "--pages", "1-1",
                 QString::fromStdString(report_)},
                &status);
        QCOMPARE(status, 0);
        for (const fs::path& job : NextJobs(1)) { // one job, its copies the spooler's
            const QString pdf = QString::fromStdString(job.string());
            QVERIFY(RunTool("pdfinfo", {pdf}).contains("595 x 842"));
            QCOMPARE(RunTool("pdftotext", {pdf, "-"}).count("TRAY-MARK-Upper"), 1);
            fs::path options = job;
            const std::string sent = ReadText(options.replace_extension(".options"));
            QVERIFY2(sent.find("copies=2") != std::string::npos, sent.c_str());
        }
    }

    void commandWithoutASpooler_data() {
        const QString report = QString::fromStdString(report_);
        QTest::addColumn<QStringList>("args");
        QTest::newRow("printer named") << QStringList{"--printer", "Trays", report};
        QTest::newRow("default printer") << QStringList{report};
        QTest::newRow("list") << QStringList{"--list"};
    }
    void commandWithoutASpooler() {
        QFETCH(QStringList, args);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CUPS_SERVER", QString::fromStdString((work_.path() / "none.sock").string()));
        QProcess noSpooler;
        noSpooler.setProcessEnvironment(env);
        noSpooler.start(SIDEWALK_BUILD_DIR "/sidewalk-print", args);
        noSpooler.waitForFinished(60000);
        QCOMPARE(noSpooler.exitCode(), 2);
        const QString said = noSpooler.readAllStandardError();
        QVERIFY2(said.contains("no print spooler answers at " + env.value("CUPS_SERVER")),
                 qPrintable(said)); // as given
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::RealPrinting)
#include "cups_test.moc"
