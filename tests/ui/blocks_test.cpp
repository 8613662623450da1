// The block windows: the block list and its selection walk, Delete Block, the identification
// window's load rules, curve data and Enter chain, and the grid storing its rows.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <filesystem>
#include <fstream>

#include "app/main_form.hpp"
#include "data/block_file.hpp"
#include "entry/block_header.hpp"
#include "entry/dataform.hpp"
#include "entry/grid_steering.hpp"
#include "entry/sect_list.hpp"
#include "ui_support.hpp"

namespace sidewalk::ui::test {

namespace fs = std::filesystem;

const fs::path kEnglish = fs::path(SIDEWALK_EXAMPLES_DIR) / "downtown-english.V41";

class Blocks : public QObject {
    Q_OBJECT
  private slots:
    void listLinesAndTheSelectionWalk() {
        Program p;
        p.session().New();
        p.session().job().header(7).blkDesc = "MAIN ST";
        p.onWindow["BlockHeader"] = [](QDialog& w) { Press(w, "ExitBlk"); };
        SectList list(p.shell);
        auto* lines = list.findChild<QListWidget*>("List1");
        QCOMPARE(lines->count(), 100);
        QCOMPARE(lines->item(6)->text(), QString("Blk  7 MAIN ST"));
        QCOMPARE(lines->item(99)->text(), QString("Blk  100 "));
        QCOMPARE(lines->currentRow(), -1);
        QTest::keyClick(lines, Qt::Key_Return); // nothing selected: nothing opens
        QVERIFY(p.seen.isEmpty());
        QVERIFY(list.result() == 0 && !p.session().job().dataSaved);
        lines->setCurrentRow(97);
        for (int expected : {99, 100, 100}) { // slots 98, 99, 100, then 100 again
            QTest::keyClick(lines, Qt::Key_Return);
            QCOMPARE(lines->currentRow(), expected - 1);
        }
        QCOMPARE(p.seen.size(), 3);
        QCOMPARE(p.session().job().blockNo, 99);
    }

    void deleteBlockAsks() {
        Program p;
        QVERIFY(p.session().Open(kEnglish).read());
        QVERIFY(!p.session().SaveAs(fs::temp_directory_path() / "sidewalk-ui-delete.V41"));
        SectList list(p.shell);
        auto* lines = list.findChild<QListWidget*>("List1");
        lines->setCurrentRow(1);
        const sidewalk::BlockHeader before = p.session().job().header(2);
        p.messages.AnswerNext(QMessageBox::No);
        Press(list, "Bookdel");
        QCOMPARE(p.messages.shown().back().title, QString("Delete Selected Section"));
        QCOMPARE(p.messages.shown().back().text, QString("Are You Sure"));
        QVERIFY(p.session().job().header(2) == before);
        QVERIFY(p.session().job().dataSaved);
        QCOMPARE(lines->currentRow(), 2); // whatever the answer, the next line is selected
        lines->setCurrentRow(1);
        p.messages.AnswerNext(QMessageBox::Yes);
        Press(list, "Bookdel");
        QVERIFY(p.session().job().header(2) == sidewalk::BlockHeader{});
        QVERIFY(!p.session().job().dataSaved);
        QCOMPARE(lines->item(1)->text(), QString("Blk  2 "));
        QCOMPARE(lines->currentRow(), 2);
        QCOMPARE(ReadText(p.session().workspace().BlockFileName(2)), std::string()); // emptied
        fs::remove(fs::temp_directory_path() / "sidewalk-ui-delete.V41");
    }

    void identificationLoadCurveDataAndEnter() {
        Program p;
        p.session().New();
        p.session().job().jobUnits = "M";
        p.session().job().header(3) = {"L", "L", "10", "4", "-2.5", "20", "300", "CURVED"};
        {
            BlockHeader empty(p.shell, 5);
            empty.show();
            QCOMPARE(empty.findChild<QComboBox*>("d_alityp")->currentText(), QString("Tangent"));
            QCOMPARE(empty.findChild<QComboBox*>("d_blside")->currentText(), QString("Right"));
            QCOMPARE(empty.findChild<QLineEdit*>("d_bcbsw")->text(), QString());
            QVERIFY(!empty.findChild<QGroupBox*>("Frame1")->isVisible());
            QCOMPARE(empty.findChild<QLabel*>("Label11")->text(),
                     QString("All dimensions are in METERS"));
            Press(empty, "ExitBlk");
            QVERIFY(!p.session().job().blockInUse(5)); // nothing stored
        }
        BlockHeader curved(p.shell, 3);
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
        // A number out of its card field's range cannot be typed.
        auto* width = curved.findChild<QLineEdit*>("d_widsw");
        width->clear();
        QTest::keyClicks(width, "123");
        QCOMPARE(width->text(), QString("12"));
        curved.findChild<QLineEdit*>("D_Blkdesc")->setText("curved road");
        QTest::keyClick(curved.findChild<QPushButton*>("BlkData"),
                        Qt::Key_Return); // the chain's end
        const sidewalk::BlockHeader& h = p.session().job().header(3);
        QCOMPARE(h.aliTyp + h.blSide + h.widsw + h.w1 + h.blkDesc,
                 std::string("TL12-2.5CURVED ROAD")); // the hidden curve data is kept
        QVERIFY(!p.session().job().dataSaved);
    }

    void gridStoresItsRows() {
        Program p;
        p.session().New();
        p.session().job().jobUnits = "E";
        p.session().job().header(5) = {"T", "R", "10", "4", "22", "22", "", ""};
        {
            Dataform grid(p.shell, 5);
            QCOMPARE(grid.windowTitle(), QString("Data Entry --  Data Is In English"));
            auto* cells = grid.findChild<QTableWidget*>("Spread1");
            QCOMPARE(cells->rowCount(), 100);
            QCOMPARE(cells->item(41, 3)->text(), QString("+"));
            cells->item(1, 0)->setText("4");
            cells->item(1, 2)->setText("10");
            cells->item(1, 5)->setText("25");
            cells->item(4, 0)->setText("7");
            cells->item(4, 1)->setText("12.5");
            cells->item(2, 1)->setText("99"); // no type: dropped
            Press(grid, "dataexit");
        }
        const Job& job = p.session().job();
        QCOMPARE(job.header(5).blkDesc, std::string("BLOCK NUMBER  5"));
        Dataform again(p.shell, 5);
        again.show();
        auto* cells = again.findChild<QTableWidget*>("Spread1");
        QCOMPARE(cells->item(0, 0)->text() + cells->item(1, 0)->text(), QString("47"));
        QCOMPARE(cells->item(1, 1)->text(), QString("12.500"));
        QCOMPARE(cells->item(2, 0)->text(), QString());
        // A cell's editor takes only its column's kind and range.
        cells->setCurrentCell(3, 2);
        cells->editItem(cells->item(3, 2));
        auto* editor = cells->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "12345");
        QCOMPARE(editor->text(), QString("1234"));
        again.close(); // the frame stores as Exit does
        QCOMPARE(p.session().job().row(4).station, std::string("1234"));
    }

    // The Part's steering table, and row 100 staying on row 100.
    void steeringTable() {
        const struct {
            GridCell from, to;
            const char* type;
            std::optional<GridCell> steered;
        } cases[] = {
            {{5, 1}, {5, 2}, "4", GridCell{5, 3}},   {{5, 1}, {5, 2}, "7", std::nullopt},
            {{5, 1}, {5, 2}, "1.4", GridCell{5, 3}}, {{5, 3}, {5, 4}, "7", GridCell{5, 5}},
            {{5, 5}, {5, 6}, "7", GridCell{6, 1}},   {{5, 5}, {5, 6}, "", GridCell{6, 1}},
            {{5, 5}, {5, 6}, "4", std::nullopt},     {{100, 5}, {100, 6}, "2", GridCell{100, 5}},
            {{5, 3}, {5, 2}, "7", GridCell{5, 1}},   {{5, 5}, {5, 4}, "1", GridCell{5, 3}},
            {{5, 2}, {5, 3}, "7", std::nullopt},     {{5, 6}, {6, 1}, "1", std::nullopt},
        };
        for (const auto& c : cases)
            QVERIFY(SteerCursor(c.from, c.to, c.type) == c.steered);
    }

    // A designer keys rows with the keyboard alone: typing starts an edit, Tab moves on past
    // the cells the type does not use, Delete clears a cell.
    void keyingRowsWithTheKeyboard() {
        Program p;
        p.session().New();
        p.session().job().jobUnits = "E";
        p.session().job().header(2) = {"T", "R", "10", "4", "22", "22", "", "KEYED"};
        Dataform form(p.shell, 2);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* grid = form.findChild<QTableWidget*>("Spread1");
        auto keys = [](const char* text) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        };
        const struct {
            const char* text;
            int row, column; // where the cursor is next, counted from 1
        } strokes[] = {{"4", 1, 3}, {"10", 1, 5},   {"32.5", 1, 6}, {"25", 2, 1},
                       {"7", 2, 2}, {"12.5", 2, 3}, {"11", 2, 5},   {"0", 3, 1}};
        for (const auto& k : strokes) {
            keys(k.text);
            QCOMPARE(grid->currentRow() + 1, k.row);
            QCOMPARE(grid->currentColumn() + 1, k.column);
        }
        QCOMPARE(grid->item(0, 5)->text(), QString("25"));
        QCOMPARE(grid->item(1, 1)->text(), QString("12.5"));
        grid->setCurrentCell(1, 2);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(grid->item(1, 2)->text(), QString("11"));
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(grid->item(1, 2)->text(), QString());
        Press(form, "dataexit");
        QCOMPARE(p.session().job().row(1), (BlockRow{"4", "", "10", "32.5", "25"}));
    }

    // A small job keyed through the windows from New to Save As, against its expected file.
    void aWholeJobKeyedThroughTheWindows() {
        const fs::path saved = fs::temp_directory_path() / "sidewalk-ui-keyed.V41";
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
            auto* grid = w.findChild<QTableWidget*>("Spread1");
            const char* rows[][6] = {{"4", "", "10", "+", "0", "25"},
                                     {"3", "20", "10", "+", "50", ""},
                                     {"9", "15", "11", "+", "20", ""},
                                     {"1", "", "13", "+", "0", "30"}};
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 6; ++c)
                    if (c != 3) grid->item(r, c)->setText(rows[r][c]);
            Press(w, "dataexit");
        };
        p.onWindow["EnddataForm"] = [&](QDialog& w) {
            p.dialogs.AnswerNext(QString::fromStdString(saved.string()));
            Press(w, "Endsaveas");
            Press(w, "saveexit");
        };
        p.messages.AnswerNext(QMessageBox::No); // should the save fail, leave without saving
        MainForm1 main(p.shell);
        Press(main, "Cmd_New");
        QCOMPARE(p.seen, (QStringList{"EngMet_Form", "ProcForm", "Indexform", "SectList",
                                      "BlockHeader", "Dataform", "EnddataForm"}));
        QVERIFY(p.messages.shown().empty()); // saved, so Exit asked nothing
        QCOMPARE(ReadText(saved),
                 ReadText(fs::path(SIDEWALK_TESTS_DIR) / "data" / "keyed-job.V41"));
        fs::remove(saved);
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::Blocks)
#include "blocks_test.moc"
