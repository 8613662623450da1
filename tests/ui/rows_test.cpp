// The grid's row operations as plain functions, and the row menu in the window: its enabling,
// Cut, Copy, Paste with the overwrite question, Insert from Clipboard, rows copied from one
// block into another, and a clipboard changed by another program.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTableWidget>

#include "entry/dataform.hpp"
#include "entry/grid_rows.hpp"
#include "ui_support.hpp"

namespace sidewalk::ui::test {

GridTexts Rows(std::initializer_list<std::pair<int, const char*>> typed) {
    GridTexts rows{};
    for (const auto& [r, type] : typed)
        rows[static_cast<std::size_t>(r)] = {type, "1", "2", "3", "4"};
    return rows;
}

std::string Types(const GridTexts& rows, int first, int last) {
    std::string out;
    for (int r = first; r <= last; ++r)
        out += rows[static_cast<std::size_t>(r)].type.empty()
                   ? "."
                   : rows[static_cast<std::size_t>(r)].type;
    return out;
}

class RowOperations : public QObject {
    Q_OBJECT
  private slots:
    void insertDeleteAndText() {
        GridTexts rows = Rows({{1, "1"}, {2, "7"}, {3, "4"}, {100, "9"}});
        InsertBlankRows(rows, 2, 2);
        QCOMPARE(Types(rows, 1, 6), std::string("1..74."));
        QCOMPARE(Types(rows, 100, 100), std::string(".")); // pushed off the end
        DeleteRows(rows, 2, 3);
        QCOMPARE(Types(rows, 1, 4), std::string("174."));

        const std::string text = RowsToText(rows, 1, 2);
        QCOMPARE(text, std::string("1\t1\t2\t+\t3\t4\n7\t1\t2\t+\t3\t4\n"));
        const auto back = RowsFromText(text);
        QCOMPARE(back.rows.size(), std::size_t{2});
        QVERIFY(back.rows[1] == rows[2] && back.rejected.empty());
        // Five cells, as a spreadsheet keeps them; cells that do not fit are left empty and
        // named; a line with no cell that fits is no row, a copied blank row is one.
        const auto sheet =
            RowsFromText("2\t12.5\t10\t5\t\r\n12\t99999\t10000\t1.5\t-3\nx\n\n\t\t\t+\t\t\n");
        QCOMPARE(sheet.rows.size(), std::size_t{3});
        QVERIFY(sheet.rows[0] == (BlockRow{"2", "12.5", "10", "5", ""}));
        QVERIFY(sheet.rows[1] == (BlockRow{"", "", "", "1.5", ""}));
        QVERIFY(sheet.rows[2] == BlockRow{});
        QVERIFY(sheet.rejected ==
                (std::vector<ClipboardRows::Cell>{{2, 1}, {2, 2}, {2, 3}, {2, 6}}));
        QVERIFY(RowsFromText("rubbish\tx\n\n").rows.empty());
    }

    void menuItemsActOnlyWhereRowsFit() {
        const struct {
            const char* name;
            GridTexts rows;
            int first, last, clip;
            RowMenuItems items;
        } cases[] = {
            {"empty grid, nothing copied", Rows({}), 5, 5, 0, {true, false, false}},
            {"rows 98-100 empty, three selected", Rows({{97, "1"}}), 10, 12, 2, {true, true, true}},
            {"type in 99, two selected", Rows({{99, "1"}}), 10, 11, 1, {false, false, false}},
            {"type in 99, one selected", Rows({{99, "1"}}), 10, 10, 1, {true, true, true}},
            {"type in 99, one selected, three copied",
             Rows({{99, "1"}}),
             10,
             10,
             3,
             {true, true, false}},
            {"paste would write past row 100", Rows({}), 98, 98, 5, {true, false, false}},
        };
        for (const auto& c : cases)
            QVERIFY2(RowMenu(c.rows, c.first, c.last, c.clip) == c.items, c.name);
    }

    void rowMenuInTheWindow() {
        Program p;
        p.session().New();
        p.job().jobUnits = "E";
        p.job().header(1) = {"T", "R", "10", "4", "22", "22", "", "ONE"};
        p.job().header(2) = {"T", "R", "10", "4", "22", "22", "", "TWO"};
        QGuiApplication::clipboard()->clear();
        QMap<QString, bool> enabled;
        p.modal.onMenu = [&](QMenu& menu) {
            for (QAction* a : menu.actions())
                enabled[a->objectName()] = a->isEnabled();
            QMetaObject::invokeMethod(&menu, &QMenu::close, Qt::QueuedConnection);
        };
        {
            Dataform one(p.services, 1);
            auto* grid = one.findChild<QTableWidget*>("Spread1");
            grid->clearSelection();
            for (int r = 0; r < 4; ++r) {
                grid->item(r, 0)->setText(QString::number(r == 0 || r == 3 ? 1 : 7));
                grid->item(r, 1)->setText(QString::number(r + 1));
            }
            // Cells selected inside the grid open no menu; whole rows do.
            grid->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 2), true);
            one.ShowRowMenu(QPoint());
            QVERIFY(enabled.isEmpty());
            grid->clearSelection();
            grid->setCurrentCell(1, 1);
            QTest::keyClick(grid, Qt::Key_Space, Qt::ShiftModifier); // the keyboard's row selection
            QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
            QCOMPARE(grid->selectedRanges().size(), 1);
            QCOMPARE(grid->selectedRanges().front().rowCount(), 2);
            QCOMPARE(grid->selectedRanges().front().columnCount(), 6);
            one.ShowRowMenu(QPoint());
            QVERIFY(enabled["Mnu_OptsInsert"]);
            enabled.clear();
            grid->clearSelection();
            grid->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 5), true);
            one.ShowRowMenu(QPoint());
            QVERIFY(enabled["Mnu_OptsInsert"] && enabled["Mnu_OptsCut"] &&
                    enabled["Mnu_OptsCancel"]);
            QVERIFY(!enabled["Mnu_OptsPaste"] && !enabled["Mnu_OptsClipInsert"]); // nothing copied
            QCOMPARE(grid->currentRow(), 1); // Cancel: column 1 of the first row
            for (const auto& range : grid->selectedRanges())
                QCOMPARE(range.columnCount(), 1); // rows no more

            one.Mnu_OptsCut_Click(2, 3); // rows 2 and 3 go, the rest move up
            QCOMPARE(grid->item(1, 0)->text() + grid->item(1, 1)->text(), QString("14"));
            one.Mnu_OptsCopy_Click(1, 2);
            Press(one, "dataexit");
        }
        Dataform two(p.services, 2); // rows copied in one block go into another
        two.show();
        auto* grid = two.findChild<QTableWidget*>("Spread1");
        grid->clearSelection();
        grid->setRangeSelected(QTableWidgetSelectionRange(4, 0, 4, 5), true);
        two.ShowRowMenu(QPoint());
        QVERIFY(enabled["Mnu_OptsPaste"] && enabled["Mnu_OptsClipInsert"]);
        two.Mnu_OptsPaste_Click(5);
        QCOMPARE(grid->item(4, 0)->text() + grid->item(5, 0)->text(), QString("11"));
        // Over typed rows the question comes first; No leaves the grid as it was.
        grid->item(5, 1)->setText("77");
        p.messages.AnswerNext(QMessageBox::No);
        two.Mnu_OptsPaste_Click(5);
        QCOMPARE(p.messages.shown().back().title, QString("Overwrite Existing Data"));
        QCOMPARE(grid->item(5, 1)->text(), QString("77"));
        two.Mnu_OptsClipInsert_Click(1);
        QCOMPARE(grid->item(0, 0)->text() + grid->item(1, 0)->text() + grid->item(6, 0)->text(),
                 QString("111"));
        // A spreadsheet's rows: what fits each column is written, the rest named in one message.
        QGuiApplication::clipboard()->setText("3\t123456\t-5\t+\t1.25\tx\nrubbish");
        p.messages.AnswerNext(QMessageBox::Ok);
        two.Mnu_OptsPaste_Click(20); // rows 20 and 21 are empty: no question
        QCOMPARE(grid->item(19, 0)->text() + "|" + grid->item(19, 1)->text() + "|" +
                     grid->item(19, 4)->text() + "|" + grid->item(20, 0)->text(),
                 QString("3||1.25|"));
        QCOMPARE(p.messages.shown().back().text,
                 QString("These cells did not fit their column and were left empty:\nRow 20, "
                         "Area or Length\nRow 20, Station\nRow 20, Radius to Back Curb"));
        // Text that holds no row is refused and changes nothing.
        QGuiApplication::clipboard()->setText("rubbish\n");
        const GridTexts before = two.Texts();
        p.messages.AnswerNext(QMessageBox::Ok);
        two.Mnu_OptsClipInsert_Click(1);
        QVERIFY(two.Texts() == before);
        QVERIFY(p.messages.shown().back().text.startsWith("The clipboard holds no rows"));
        // Insert Blank Row(s) leaves what is on the clipboard to paste.
        QGuiApplication::clipboard()->setText("5\t1\t2\t3\t4\n");
        two.Mnu_OptsInsert_Click(1, 1);
        QCOMPARE(grid->item(0, 0)->text(), QString());
        enabled.clear();
        grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 5), true);
        two.ShowRowMenu(QPoint());
        QVERIFY(enabled["Mnu_OptsPaste"] && enabled["Mnu_OptsClipInsert"]);
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::RowOperations)
#include "rows_test.moc"
