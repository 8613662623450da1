// The block windows: Delete Block from the block list, the identification window's load rules,
// curve data and Enter chain, the grid storing its rows, the sketch, and a whole keyed job.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <filesystem>

#include "app/main_window.hpp"
#include "data/block_file.hpp"
#include "entry/block_identification.hpp"
#include "entry/block_list.hpp"
#include "entry/data_entry.hpp"
#include "ui_support.hpp"

namespace sidewalk::ui::test {

namespace fs = std::filesystem;

class Blocks : public QObject {
    Q_OBJECT
  private slots:

    void deleteBlockAsks() {
        Folder folder;
        Program p;
        QVERIFY(p.session().Open(kEnglish).has_value());
        QVERIFY(p.session().SaveAs(folder.path() / "DELETE.V41").has_value());
        SectList list(p.services);
        list.show();
        auto* lines = list.findChild<QListWidget*>("List1");
        const sidewalk::BlockHeader before = p.job().header(2);
        // A current line that is not selected (focus alone gives one) empties nothing.
        lines->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        p.messages.AnswerNext(QMessageBox::Ok);
        Press(list, "Bookdel");
        QVERIFY(p.job().blockInUse(1) && p.job().dataSaved);
        lines->setCurrentRow(1);
        p.messages.AnswerNext(QMessageBox::No);
        Press(list, "Bookdel");
        QCOMPARE(p.messages.shown().back().title, QString("Delete Selected Section"));
        QCOMPARE(p.messages.shown().back().text,
                 QString("Are You Sure\n\nBlk  2 ") + QString::fromStdString(before.blkDesc));
        QVERIFY(p.job().header(2) == before);
        QVERIFY(p.job().dataSaved);
        QCOMPARE(lines->currentIndex().row(), 1); // after No the selection stays on the block
        p.messages.AnswerNext(QMessageBox::Yes);
        Press(list, "Bookdel");
        QVERIFY(p.job().header(2) == sidewalk::BlockHeader{});
        QVERIFY(!p.job().dataSaved);
        QCOMPARE(lines->item(1)->text(), QString("Blk  2 "));
        QCOMPARE(lines->currentIndex().row(), 2);
        QCOMPARE(ReadText(p.session().workspace().BlockFileName(2)), std::string()); // emptied
    }

    // The list opens on the block last opened, selected: Enter opens it at once.
    void blockListOpensOnTheLastBlock() {
        Program p;
        QVERIFY(p.session().Open(kEnglish).has_value());
        p.session().SelectBlock(3);
        p.onWindow["BlockHeader"] = [](QDialog& w) { w.reject(); };
        SectList blocks(p.services);
        QTest::keyClick(blocks.findChild<QListWidget*>("List1"), Qt::Key_Return);
        QCOMPARE(p.seen, QStringList{"BlockHeader"});
        QCOMPARE(p.job().blockNo, 3);
    }

    void identificationLoadCurveDataAndEnter() {
        Program p;
        p.session().New();
        p.job().jobUnits = "M";
        p.job().header(3) = {"L", "L", "10", "4", "-2.5", "20", "300", "CURVED"};
        {
            BlockHeader empty(p.services, 5);
            empty.show();
            QCOMPARE(empty.findChild<QComboBox*>("d_alityp")->currentText(), QString("Tangent"));
            QCOMPARE(empty.findChild<QComboBox*>("d_blside")->currentText(), QString("Right"));
            QCOMPARE(empty.findChild<QLineEdit*>("d_bcbsw")->text(), QString());
            QVERIFY(!empty.findChild<QGroupBox*>("Frame1")->isVisible());
            QCOMPARE(empty.findChild<QLabel*>("Label11")->text(),
                     QString("All dimensions are in METERS"));
            Press(empty, "ExitBlk");
            QVERIFY(!p.job().blockInUse(5)); // nothing stored
        }
        BlockHeader curved(p.services, 3);
        curved.show();
        auto* curve = curved.findChild<QGroupBox*>("Frame1");
        QVERIFY(curve->isVisible());
        QCOMPARE(curved.findChild<QLineEdit*>("d_w1")->text(), QString("-2.5"));
        auto* direction = curved.findChild<QComboBox*>("d_alityp");
        direction->setCurrentText("Tangent");
        QVERIFY(!curve->isVisible());
        // Enter from the direction list to the button, past the hidden curve data.
        const char* chain[] = {"d_alityp", "d_blside",  "d_bcbsw",
                               "d_widsw",  "D_Blkdesc", "BlkData"};
        for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
            auto* field = curved.findChild<QWidget*>(chain[i]);
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(curved.focusWidget()->objectName(), QString(chain[i + 1]));
        }
        // A number that does not fit is kept as typed and marked; Enter Block Data is refused
        // until it fits (Tab too, as in the grid). A comma is taken as the decimal point.
        auto* width = curved.findChild<QLineEdit*>("d_widsw");
        width->setFocus();
        width->clear();
        QTest::keyClicks(width, "123");
        QCOMPARE(width->text(), QString("123"));
        QVERIFY(width->toolTip().startsWith("This value does not fit: a number from 0.000"));
        p.messages.AnswerNext(QMessageBox::Ok);
        Press(curved, "BlkData");
        QCOMPARE(p.messages.shown().size(), std::size_t{1});
        QCOMPARE(p.job().header(3).widsw, std::string("4"));
        width->clear();
        QTest::keyClicks(width, "12,5");
        QCOMPARE(width->text(), QString("12.5"));
        curved.findChild<QLineEdit*>("D_Blkdesc")->setText("curved road");
        QTest::keyClick(curved.findChild<QPushButton*>("BlkData"),
                        Qt::Key_Return); // the chain's end
        const sidewalk::BlockHeader& h = p.job().header(3);
        QCOMPARE(h.aliTyp + h.blSide + h.widsw + h.w1 + h.blkDesc,
                 std::string("TL12.5-2.5CURVED ROAD")); // the hidden curve data is kept
    }

    // What the keyed job does not reach: values that do not fit.
    void gridRefusesWhatDoesNotFit() {
        Program p;
        p.session().New();
        p.job().jobUnits = "E";
        p.job().header(5) = {"T", "R", "10", "4", "22", "22", "", ""};
        Dataform again(p.services, 5);
        again.show();
        QCOMPARE(again.windowTitle(), QString("Data Entry --  Data Is In English"));
        auto* cells = again.findChild<QTableView*>("Spread1");
        // A value that does not fit its column stays as typed; Tab and the frame are refused.
        cells->setCurrentIndex(cells->model()->index(3, 2));
        cells->edit(cells->model()->index(3, 2));
        auto* editor = cells->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "12345");
        p.messages.AnswerNext(QMessageBox::Ok);
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(editor->text(), QString("12345"));
        QCOMPARE(cells->currentIndex().column(), 2);
        QTest::keyClick(editor, Qt::Key_Delete); // the refused text is selected: Delete clears it
        QCOMPARE(editor->text(), QString());
        QTest::keyClicks(editor, "12345");
        p.messages.AnswerNext(QMessageBox::Ok);
        again.close();
        QVERIFY(again.isVisible());
        QCOMPARE(p.messages.shown().back().text.section('\n', 0, 0), QString("Row 4, Station:"));
        QCOMPARE(Cell(cells, 3, 2), QString("12345"));
        editor = qobject_cast<QLineEdit*>(cells->indexWidget(cells->model()->index(3, 2)));
        QVERIFY(editor != nullptr);       // open again on the cell
        QTest::keyClicks(editor, "1234"); // typing replaces the refused text
        again.close();                    // the frame stores as Exit does
        QCOMPARE(p.job().row(4).station, std::string("1234"));
        // A value the block file had that the grid would not take is kept, not refused.
        GridTexts rows{};
        rows[1] = {"7", "-5", "10", "0", ""};
        const BlockRowsLoad loaded = *LoadBlockRows(p.job(), p.session().workspace(), 5);
        QVERIFY(StoreBlockRows(p.job(), p.session().workspace(), 5, rows, loaded).has_value());
        Dataform legacy(p.services, 5);
        Press(legacy, "dataexit");
        QCOMPARE(QString::fromStdString(p.job().row(1).area), QString("-5.000"));
    }

    // A designer keys rows with the keyboard alone: typing starts an edit, Tab moves on past
    // the cells the type does not use, Delete clears a cell.
    void keyingRowsWithTheKeyboard() {
        Program p;
        p.session().New();
        p.job().jobUnits = "E";
        p.job().header(2) = {"T", "R", "10", "4", "22", "22", "", "KEYED"};
        Dataform form(p.services, 2);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* grid = form.findChild<QTableView*>("Spread1");
        // key: Enter commits and moves on as Tab does; column: where the cursor is next, counted
        // from 1
        // clang-format off
        const struct { const char* text; Qt::Key key; int row, column; } strokes[] = {
            {"4", Qt::Key_Tab, 1, 3},     {"10", Qt::Key_Return, 1, 5}, {"32.5", Qt::Key_Tab, 1, 6},
            {"25", Qt::Key_Enter, 2, 1},  {"7", Qt::Key_Tab, 2, 2},     {"12.5", Qt::Key_Tab, 2, 3},
            {"11", Qt::Key_Return, 2, 5}, {"0", Qt::Key_Tab, 3, 1},     {"", Qt::Key_Return, 3, 2}};
        for (const auto& k : strokes) {
            QTest::keyClicks(QApplication::focusWidget(), k.text);
            QTest::keyClick(QApplication::focusWidget(), k.key);
            QCOMPARE(grid->currentIndex().row() + 1, k.row);
            QCOMPARE(grid->currentIndex().column() + 1, k.column);
        }
        QCOMPARE(Cell(grid, 0, 5), QString("25"));
        QCOMPARE(Cell(grid, 1, 1), QString("12.5"));
        // The first Escape cancels the edit only; Ctrl+Tab leaves for Exit, Ctrl+Shift+Tab back.
        QTest::keyClicks(grid, "9");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(form.isVisible() && Cell(grid, 2, 1).isEmpty());
        QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("dataexit"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), grid);
        Press(form, "dataexit");
        QCOMPARE(p.job().row(1), (BlockRow{"4", "", "10", "32.5", "25"}));
        QCOMPARE(p.job().row(2), (BlockRow{"7", "12.5", "11", "0", ""}));
    }

    // A click lands in the row clicked: on the cell, or its row's nearest used one; Delete
    // clears the cell under the cursor, Shift+Delete does not.
    void clickAndDeleteInKeyedRows_data() {
        for (const char* column : {"row", "column", "landed"})
            QTest::addColumn<int>(column);
        QTest::newRow("type 4 has no area") << 0 << 1 << 2;
        QTest::newRow("type 7 uses the plus") << 1 << 3 << 4;
        QTest::newRow("type 0 has no radius") << 2 << 5 << 4;
    }
    void clickAndDeleteInKeyedRows() {
        QFETCH(int, row);
        QFETCH(int, column);
        Program p;
        p.session().New();
        p.job().header(2) = {"T", "R", "10", "4", "22", "22", "", "KEYED"};
        GridTexts rows{};
        rows[1] = {"4", "", "10", "32.5", "25"};
        rows[2] = {"7", "12.5", "11", "0", ""};
        rows[3] = {"0", "1", "12", "0", ""};
        BlockRowsLoad loaded{2};
        QVERIFY(p.session().StoreBlockRows(2, rows, loaded).has_value());
        Dataform form(p.services, 2);
        form.show();
        auto* grid = form.findChild<QTableView*>("Spread1");
        grid->setCurrentIndex(grid->model()->index(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, column)).center());
        QCoreApplication::processEvents();
        QCOMPARE(grid->currentIndex().row(), row);
        QTEST(grid->currentIndex().column(), "landed");
        const QString text = Cell(grid, row, grid->currentIndex().column());
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(Cell(grid, row, grid->currentIndex().column()), text);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(Cell(grid, row, grid->currentIndex().column()), QString());
    }

    // The sketch is a pane of the window: on a screen too narrow for both (the offscreen one,
    // 800 wide) below the grid, neither covering the other, the window within the screen; it
    // follows the rows as they are typed, exports, and Sketch hides it again.
    void sketchBesideTheGrid() {
        Folder folder;
        Program p;
        QVERIFY(p.session().Open(kEnglish).has_value());
        Dataform form(p.services, 1);
        form.show();
        const QSize bare = form.size();
        Press(form, "SketchCmd");
        SketchForm* sketch = form.sketchPane();
        QVERIFY(sketch->isVisible() && !sketch->isWindow());
        QCOMPARE(form.focusWidget()->objectName(), QString("Spread1")); // typing goes on
        auto* grid = form.findChild<QTableView*>("Spread1");
        const QRect gridAt(grid->mapTo(&form, QPoint()), grid->size());
        QVERIFY(!gridAt.intersects(QRect(sketch->mapTo(&form, QPoint()), sketch->size())));
        QVERIFY(sketch->mapTo(&form, QPoint()).y() >= gridAt.bottom());
        QVERIFY(form.screen()->availableGeometry().contains(form.geometry()));
        QCOMPARE(sketch->sketch().returns.size(), std::size_t{2});
        auto* canvas = sketch->findChild<QWidget*>("Sketch1");
        QVERIFY(canvas->accessibleDescription().startsWith(
            "Plan sketch of CENTRAL AVE RT - 1ST ST TO 2ND ST: tangent block, sidewalk on the "
            "right"));
        auto stations = [sketch] {
            QStringList texts;
            for (const SketchLabel& label : sketch->sketch().labels)
                texts << QString::fromStdString(label.text);
            return texts;
        };
        // clang-format on
        QVERIFY(!stations().contains("7  12+00.000"));
        SetCell(grid, 3, 0, "7"); // in place of the driveway at 10+88.50
        SetCell(grid, 3, 1, "10");
        SetCell(grid, 3, 2, "12");
        SetCell(grid, 3, 4, "0");
        QVERIFY(stations().contains("7  12+00.000"));
        // A row past the closing return is left out, as the report leaves it out.
        SetCell(grid, 20, 0, "5");
        SetCell(grid, 20, 2, "14");
        QCOMPARE(sketch->sketch().warnings.back(),
                 std::string("ERROR-1ST CARD NOT TYPE 1 OR 4: type 5 at 14+00.000, left out as "
                             "the report leaves it"));
        QVERIFY(grid->model()->removeRows(0, 1)); // the first return goes
        QCOMPARE(sketch->sketch().returns[0].station, std::string("13+18.000"));

        // Export: a PNG image (the SVG drawing is the command's, tested there).
        p.dialogs.AnswerNext(QString::fromStdString((folder.path() / "S").string()));
        Press(*sketch, "ExportCmd");
        QVERIFY(ReadText(folder.path() / "S.png").starts_with("\x89PNG"));
        Press(form, "SketchCmd");
        QVERIFY(!sketch->isVisible() && form.size() == bare);
    }

    // A small job keyed through the windows from New to Save As, against its expected file.
    void aWholeJobKeyedThroughTheWindows() {
        Folder folder;
        const fs::path saved = folder.path() / "KEYED.V41";
        Program p;
        auto fill = [](QDialog& w,
                       std::initializer_list<std::pair<const char*, const char*>> texts) {
            for (const auto& [name, text] : texts) {
                auto* edit = w.findChild<QLineEdit*>(name);
                edit->selectAll();
                QTest::keyClicks(edit, text);
            }
        };
        p.onWindow["EngMet_Form"] = [](QDialog& w) { Press(w, "Cmd_English"); };
        int step = 0;
        p.onWindow["ProcForm"] = [&step](QDialog& w) {
            for (const char* button : {"IndexCmd", "BookCmd", "SaveCmd", "ExitCmd"})
                Press(w, button);
            step = 1;
        };
        p.onWindow["Indexform"] = [&](QDialog& w) {
            fill(w, {{"DRefNum", "K-1"},
                     {"DDate1", "12/07/2026"},
                     {"DProject", "P-77"},
                     {"DEng", "A. KEYER"}});
            Press(w, "Idxexit");
        };
        p.onWindow["SectList"] = [](QDialog& w) {
            auto* list = w.findChild<QListWidget*>("List1");
            list->setCurrentRow(0);
            QTest::keyClick(list, Qt::Key_Return);
            Press(w, "dataexit");
        };
        p.onWindow["BlockHeader"] = [&](QDialog& w) {
            w.findChild<QComboBox*>("d_blside")->setCurrentText("Left");
            fill(w, {{"d_bcbsw", "10"}, {"d_widsw", "4"}, {"D_Blkdesc", "keyed st"}});
            Press(w, "BlkData");
        };
        p.onWindow["Dataform"] = [](QDialog& w) {
            auto* grid = w.findChild<QTableView*>("Spread1");
            const char* rows[][6] = {{"4", "", "10", "+", "0", "25"},
                                     {"3", "20", "10", "+", "50", ""},
                                     {"9", "15", "11", "+", "20", ""},
                                     {"1", "", "13", "+", "0", "30"}};
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 6; ++c)
                    if (c != 3) SetCell(grid, r, c, rows[r][c]);
            Press(w, "dataexit");
        };
        p.onWindow["EnddataForm"] = [&](QDialog& w) {
            p.dialogs.AnswerNext(QString::fromStdString(saved.string()));
            Press(w, "Endsaveas");
            Press(w, "saveexit");
        };
        MainForm1 main(p.services, p.state);
        Press(main, "Cmd_New");
        QCOMPARE(p.seen, (QStringList{"EngMet_Form", "ProcForm", "Indexform", "SectList",
                                      "BlockHeader", "Dataform", "EnddataForm"}));
        QVERIFY(p.messages.shown().empty()); // saved, so Exit asked nothing
        QCOMPARE(ReadText(saved),
                 ReadText(fs::path(SIDEWALK_TESTS_DIR) / "data" / "keyed-job.V41"));
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::Blocks)
#include "blocks_test.moc"
