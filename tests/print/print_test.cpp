// The printing routines without windows: a report that cannot be read, the numbers of a
// printer's papers and trays, and the sheets of a PDF read back with poppler.
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

#include "files.hpp"
#include "memory_print_system.hpp"
#include "pdf_tools.hpp"
#include "print/pdf_printer.hpp"
#include "print/report_printing.hpp"

namespace sidewalk::ui::test {

namespace fs = std::filesystem;
using sidewalk::test::RunTool;

class PrintRoutines : public QObject {
    Q_OBJECT
    sidewalk::test::Scratch folder_;
    const fs::path& dir_ = folder_.path();

  private slots:
    // A sketch on a sheet of its own after the report, drawn with its texts.
    void sketchSheet() {
        const QString pdf = QString::fromStdString((dir_ / "sketch.pdf").string());
        PdfPrinter printer(pdf.toStdString());
        const BlockRow rows[] = {
            {"1", "", "10", "0", "25"}, {"7", "12", "11", "50", ""}, {"4", "", "13", "0", "30"}};
        const BlockSketch sketch =
            SketchBlock({"T", "L", "10", "4", "20", "22", "", "MAIN ST"}, rows, false);
        QVERIFY(PrintReportPages("ONE\r\n", 0, 0, printer, 1, std::span(&sketch, 1)).has_value());
        QVERIFY(RunTool("pdfinfo", {pdf}).contains(QRegularExpression("Pages: +2\n")));
        const QString second = RunTool("pdftotext", {"-f", "2", "-l", "2", pdf, "-"});
        QVERIFY2(second.contains("MAIN ST") && second.contains("11+50.000") &&
                     second.contains("13+00.000") && !second.contains("ONE"),
                 qPrintable(second));
    }

    // Told each sheet as it begins; cancelled at the third, no file is written.
    void cancelledPrintingWritesNothing() {
        const fs::path pdf = dir_ / "cancelled.pdf";
        PdfPrinter printer(pdf.string());
        std::vector<std::pair<int, int>> told;
        const Status printed = PrintReportPages("A\r\n\f\r\nB\r\n\f\r\nC\r\n\f\r\nD\r\n", 0, 0,
                                                printer, 1, {}, [&](int begun, int sheets) {
                                                    told.emplace_back(begun, sheets);
                                                    return begun < 2;
                                                });
        QVERIFY(printed.failed());
        QCOMPARE(told, (std::vector<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}}));
        QVERIFY(!fs::exists(pdf));
    }

    // Page 1, then 131 lines and a 150-character one: 60 lines a Letter sheet, the long line
    // wrapped even at three fifths of the pitch; across the sheet 45 lines to a sheet, and the
    // long line whole at a narrower pitch.
    void pdfSheets_data() {
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("whole"); // the 150-character line on one printed line
        QTest::newRow("letter") << QPageLayout::Portrait << "612 x 792 pts" << false;
        QTest::newRow("landscape") << QPageLayout::Landscape << "792 x 612 pts" << true;
    }
    void pdfSheets() {
        QFETCH(QPageLayout::Orientation, orientation);
        std::string lines;
        for (int i = 1; i <= 130; ++i)
            lines += "LINE " + std::to_string(i) + "\r\n";
        const std::string report =
            "FIRST PAGE\r\n\f\r\n" + lines + std::string(147, 'W') + "END\r\n";
        const QString pdf = QString::fromStdString((dir_ / "sheets.pdf").string());
        PdfPrinter printer(pdf.toStdString(), QPageSize(QPageSize::Letter), orientation);
        QVERIFY(PrintReportPages(report, 0, 0, printer).has_value());
        const QString info = RunTool("pdfinfo", {pdf});
        QVERIFY2(info.contains(QRegularExpression("Pages: +4\n")), qPrintable(info));
        QFETCH(QString, size);
        QVERIFY2(info.contains(size), qPrintable(info));
        const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.contains("FIRST PAGE") && text.contains("LINE 130"));
        QVERIFY(text.contains(QString(120, 'W')) && text.contains("WWEND")); // never cut
        QTEST(RunTool("pdftotext", {pdf, "-"}).contains(QString(147, 'W') + "END"), "whole");
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::PrintRoutines)
#include "print_test.moc"
