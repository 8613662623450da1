// Sending the report elsewhere: page ranges on a printer in memory, and the copy to a file.
#include <QTest>
#include <filesystem>
#include <fstream>

#include "output/report_printing.hpp"

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
        std::ifstream in(dest, std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}),
                 std::string("one\r\ntwo\r\n\f\r\nlast\r\n"));
        const auto unwritable = CopyReportToFile(report, (dir_ / "no" / "COPY.PRN").string());
        QVERIFY(unwritable && unwritable->title == "File Output Error");
        MemoryPrinter printer;
        const auto unreadable = PrintReportPages((dir_ / "missing.SPL").string(), 0, 0, printer);
        QVERIFY(unreadable && unreadable->title == "File Input Error");
        QCOMPARE(printer.documents.size(), std::size_t{1}); // the document is still ended
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::Printing)
#include "printing_test.moc"
