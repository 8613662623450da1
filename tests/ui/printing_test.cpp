// Sending the report elsewhere: page ranges on a printer in memory, and the copy to a file.
#include <QTest>
#include <filesystem>
#include <fstream>

#include <QProcess>
#include <QRegularExpression>

#include "output/pdf_printer.hpp"
#include "output/report_printing.hpp"
#include "ui_support.hpp"

namespace sidewalk::ui::test {

namespace fs = std::filesystem;

class Printing : public QObject {
    Q_OBJECT
    fs::path dir_ = fs::temp_directory_path() / ("sidewalk-print-" + std::to_string(::getpid()));
    std::string Report(const std::string& name, const std::string& text) {
        fs::create_directories(dir_);
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return (dir_ / name).string();
    }

  private slots:
    void cleanupTestCase() { fs::remove_all(dir_); }

    void pageRanges_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("sheets"); // the sheets' lines, sheets parted by "|"
        QTest::newRow("all (0, 0)") << 0 << 0 << "a1 a2|b1|c1|d1|e1";
        QTest::newRow("2 to 3") << 2 << 3 << "b1|c1";
        QTest::newRow("4 to 2: nothing") << 4 << 2 << "";
        QTest::newRow("5 to 9") << 5 << 9 << "e1";
        QTest::newRow("1 to 1") << 1 << 1 << "a1 a2";
    }
    void pageRanges() {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, sheets);
        const std::string report =
            Report("five.SPL", "a1\r\na2\r\n\f\r\nb1\r\n\f\r\nc1\r\n\f\r\nd1\r\n\f\r\ne1\r\n");
        MemoryPrinter printer;
        QVERIFY(!PrintReportPages(report, first, last, printer));
        QCOMPARE(printer.documents.size(), std::size_t{1}); // always one document, ended
        QStringList printed;
        for (const auto& sheet : printer.documents[0]) {
            QStringList lines;
            for (const std::string& line : sheet)
                lines << QString::fromStdString(line);
            printed << lines.join(' ');
        }
        QCOMPARE(printed.join('|'), sheets);
    }

    void pagesPast9999AreNeverPrinted() {
        std::string text;
        for (int page = 1; page <= 10001; ++page)
            text += (page > 1 ? "\f\r\n" : "") + std::string("x\r\n");
        MemoryPrinter printer;
        QVERIFY(!PrintReportPages(Report("long.SPL", text), 0, 0, printer));
        QCOMPARE(printer.documents[0].size(), std::size_t{9999});
    }

    void copyAndFailures() {
        const std::string report = Report("r.SPL", "one\r\ntwo\n\f\r\nlast");
        const std::string dest = (dir_ / "COPY.PRN").string();
        QVERIFY(!CopyReportToFile(report, dest));
        QCOMPARE(ReadText(dest), std::string("one\r\ntwo\r\n\f\r\nlast\r\n"));
        const auto unwritable = CopyReportToFile(report, (dir_ / "no" / "COPY.PRN").string());
        QVERIFY(unwritable && unwritable->title == "File Output Error");
        MemoryPrinter printer;
        const auto unreadable = PrintReportPages((dir_ / "missing.SPL").string(), 0, 0, printer);
        QVERIFY(unreadable && unreadable->title == "File Input Error");
        QCOMPARE(printer.documents.size(), std::size_t{1}); // the document is still ended
    }

    // The sheets of a PDF the printing code wrote, and their text, read back with poppler.
    static QString Poppler(const char* tool, const QStringList& args) {
        QProcess run;
        run.start(tool, args);
        run.waitForFinished(30000);
        return QString::fromLocal8Bit(run.readAllStandardOutput());
    }

    void pdfSheets() {
        std::string lines;
        for (int i = 1; i <= 130; ++i)
            lines += "LINE " + std::to_string(i) + "\r\n";
        const std::string report =
            Report("pdf.SPL", "FIRST PAGE\r\n\f\r\n" + lines + std::string(100, 'W') + "END\r\n");
        const struct {
            const char* name;
            QPageSize paper;
            QPageLayout::Orientation orientation;
            int sheets;
            const char* size;
        } cases[] = {
            // page 1; then 131 lines: 60 a Letter sheet, the 103-character line wrapped
            {"letter", QPageSize(QPageSize::Letter), QPageLayout::Portrait, 1 + 3, "612 x 792 pts"},
            {"a4", QPageSize(QPageSize::A4), QPageLayout::Portrait, 1 + 3, "595 x 842 pts"},
            // across the sheet: 45 lines to a sheet, and the long line whole
            {"landscape", QPageSize(QPageSize::Letter), QPageLayout::Landscape, 1 + 3,
             "792 x 612 pts"},
        };
        for (const auto& c : cases) {
            const QString pdf =
                QString::fromStdString((dir_ / (std::string(c.name) + ".pdf")).string());
            PdfPrinter printer(pdf.toStdString(), c.paper, c.orientation);
            QVERIFY(!PrintReportPages(report, 0, 0, printer));
            const QString info = Poppler("pdfinfo", {pdf});
            QVERIFY2(
                info.contains(QRegularExpression("Pages: +" + QString::number(c.sheets) + "\n")),
                qPrintable(c.name + QString(": ") + info));
            QVERIFY2(info.contains(c.size), qPrintable(info));
            const QString text = Poppler("pdftotext", {"-layout", pdf, "-"});
            QVERIFY(text.contains("FIRST PAGE") && text.contains("LINE 130"));
            QVERIFY(text.contains(QString(78, 'W')) && text.contains("WWEND")); // wrapped, not cut
        }
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::Printing)
#include "printing_test.moc"
