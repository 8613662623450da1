// The grid's row operations as calls on its model, and the row menu in the window: its enabling,
// Cut, Copy, Paste with the overwrite question, Insert from Clipboard, rows copied from one
// block into another, and a clipboard changed by another program.
#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTableView>

#include "compute/block_sketch.hpp"
#include "entry/block_rows_model.hpp"
#include "entry/data_entry.hpp"
#include "entry/rows_keeper.hpp"
#include "killed_run.hpp"
#include "session/stale_workspaces.hpp"
#include "ui/number_validator.hpp"
#include "ui_support.hpp"

namespace sidewalk::ui::test {

// The rows' types, "." for an empty one, counted from 0.
QString Types(const BlockRowsModel& rows, int first, int last) {
    QString out;
    for (int r = first; r <= last; ++r) {
        const QString type = rows.index(r, 0).data().toString();
        out += type.isEmpty() ? "." : type;
    }
    return out;
}

class RowOperations : public QObject {
    Q_OBJECT
  private slots:
    // The row menu's operations as model calls: the grid keeps its 100 rows, a value typed that
    // does not fit is kept and refused, and moves with its row. Qt's model tester watches every
    // call, and a view redrawn at each signal (as the sketch is) never sees more than 100 rows.
    void modelCalls() {
        GridTexts texts{};
        for (const auto& [r, type] : {std::pair{1, "1"}, {2, "7"}, {3, "4"}, {100, "9"}})
            texts[static_cast<std::size_t>(r)] = {type, "1", "2", "3", "4"};
        BlockRowsModel rows(texts);
        QAbstractItemModelTester tester(&rows,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        int mostSeen = 0;
        for (const auto signal :
             {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(&rows, signal, this, [&] {
                mostSeen = std::max(mostSeen, rows.rowCount());
                (void)rows.Texts();
            });
        QVERIFY(rows.setData(rows.index(2, 1), "123456")); // row 3's area: kept, refused
        QCOMPARE(rows.index(2, 1).data().toString(), QString("123456"));
        QCOMPARE(rows.index(2, 1).data(Qt::BackgroundRole).value<QColor>(), NotFitColour());
        QVERIFY(!rows.setData(rows.index(2, kPlusColumn), "x"));
        QVERIFY(!(rows.flags(rows.index(2, kPlusColumn)) & Qt::ItemIsEditable));
        QVERIFY(rows.insertRows(1, 2));
        QCOMPARE(rows.rowCount(), 100);
        QCOMPARE(Types(rows, 0, 5), QString("1..74."));
        QCOMPARE(Types(rows, 99, 99), QString(".")); // pushed off the end
        QCOMPARE(rows.FirstRefused(), std::optional(rows.index(4, 1)));
        QVERIFY(rows.removeRows(1, 2));
        QCOMPARE(Types(rows, 0, 3), QString("174."));
        QCOMPARE(rows.FirstRefused(), std::optional(rows.index(2, 1)));
        QVERIFY(!rows.insertRows(100, 1) && !rows.removeRows(-1, 1));
        const auto typed = [](const char* type) { return BlockRow{type, "", "", "", ""}; };
        rows.Paste(98, {typed("5"), typed("6"), typed("8")}); // nothing past row 100
        QCOMPARE(Types(rows, 97, 99), QString(".56"));
        rows.Paste(2, {typed("2")});
        QVERIFY(!rows.FirstRefused());
        QCOMPARE(rows.Texts()[3].type, std::string("2"));
        QVERIFY(rows.removeRows(0, 1));
        QVERIFY(rows.setData(rows.index(1, 2), "10000"));
        QVERIFY(rows.setData(rows.index(1, 2), "9999")); // fits now
        QVERIFY(!rows.FirstRefused());
        QCOMPARE(mostSeen, 100);
    }

    // A run typing rows into the grid's model (the sketch redrawn at each change) is killed right
    // after a row is committed, while it commits the next: every committed row comes back.
    void committedRowsOutliveAKill_data() {
        QTest::addColumn<int>("committed");
        for (const int n : {1, 6, 40})
            QTest::newRow(qPrintable(QString::number(n) + " rows")) << n;
    }
    void committedRowsOutliveAKill() {
        QFETCH(int, committed);
        Folder parent;
        sidewalk::test::KilledRun(
            parent.path(),
            [](Session& s) {
                s.StoreBlockHeader(1, {"Tangent", "Right", "10", "4", "1", "1", "", "TYPED"});
                BlockRowsModel rows(s.job().rows);
                RowsKeeper keeper(s, 1, *s.LoadBlockRows(1), rows);
                QObject::connect(&rows, &QAbstractItemModel::dataChanged, [&] {
                    (void)SketchBlock(s.job().header(1), rows.Texts(), false);
                });
                for (int r = 0; r < kMaxRows; ++r) {
                    const QString cells[] = {"7", QString::number(r + 1), "10", "", "0"};
                    for (const int c : {0, 1, 2, 4})
                        rows.setData(rows.index(r, c), cells[c]);
                    sidewalk::test::Ack();
                }
            },
            false, committed);
        std::vector<Recoverable> found = FindRecoverable(parent.path(), Workspaces::Recovery);
        QCOMPARE(found.size(), std::size_t{1});
        auto s = Session::Create();
        QVERIFY(s->Adopt(found[0]).has_value());
        QVERIFY(s->LoadBlockRows(1)->fileRead);
        for (int r = 1; r <= committed; ++r)
            QCOMPARE(QString::fromStdString(s->job().row(r).area), QString::number(r) + ".000");
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
            auto* grid = one.findChild<QTableView*>("Spread1");
            grid->clearSelection();
            for (int r = 0; r < 4; ++r) {
                SetCell(grid, r, 0, QString::number(r == 0 || r == 3 ? 1 : 7));
                SetCell(grid, r, 1, QString::number(r + 1));
            }
            grid->clearSelection();
            grid->setCurrentIndex(grid->model()->index(2, 1));
            QTest::keyClick(grid, Qt::Key_Space, Qt::ShiftModifier); // the keyboard's row selection
            QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);  // onto a return: not steered
            QCoreApplication::processEvents();
            const QItemSelection rows = grid->selectionModel()->selection();
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.front().height(), 2);
            QCOMPARE(rows.front().width(), 6);
            one.ShowRowMenu(QPoint());
            QVERIFY(enabled["Mnu_OptsInsert"]);
            enabled.clear();
            grid->clearSelection();
            SelectCells(grid, 1, 2, 5);
            one.ShowRowMenu(QPoint());
            QVERIFY(enabled["Mnu_OptsInsert"] && enabled["Mnu_OptsCut"] &&
                    enabled["Mnu_OptsCancel"]);
            QVERIFY(!enabled["Mnu_OptsPaste"] && !enabled["Mnu_OptsClipInsert"]); // nothing copied
            QCOMPARE(grid->currentIndex().row(), 1); // Cancel: column 1 of the first row

            one.Mnu_OptsCut_Click(1, 2); // rows 2 and 3 go, the rest move up
            QCOMPARE(Cell(grid, 1, 0) + Cell(grid, 1, 1), QString("14"));
            one.Mnu_OptsCopy_Click(0, 1);
            Press(one, "dataexit");
        }
        Dataform two(p.services, 2); // rows copied in one block go into another
        two.show();
        auto* grid = two.findChild<QTableView*>("Spread1");
        grid->clearSelection();
        SelectCells(grid, 4, 4, 5);
        two.ShowRowMenu(QPoint());
        QVERIFY(enabled["Mnu_OptsPaste"] && enabled["Mnu_OptsClipInsert"]);
        two.Mnu_OptsPaste_Click(4);
        QCOMPARE(Cell(grid, 4, 0) + Cell(grid, 5, 0), QString("11"));
        // Over typed rows the question comes first; No leaves the grid as it was.
        SetCell(grid, 5, 1, "77");
        p.messages.AnswerNext(QMessageBox::No);
        two.Mnu_OptsPaste_Click(4);
        QCOMPARE(p.messages.shown().back().title, QString("Overwrite Existing Data"));
        QCOMPARE(Cell(grid, 5, 1), QString("77"));
        two.Mnu_OptsClipInsert_Click(0);
        QCOMPARE(Cell(grid, 0, 0) + Cell(grid, 1, 0) + Cell(grid, 6, 0), QString("111"));
        // A spreadsheet's rows: what fits each column is written, the rest named in one message.
        QGuiApplication::clipboard()->setText("3\t123456\t-5\t+\t1.25\tx\nrubbish");
        p.messages.AnswerNext(QMessageBox::Ok);
        two.Mnu_OptsPaste_Click(19); // rows 20 and 21 are empty: no question
        QCOMPARE(Cell(grid, 19, 0) + "|" + Cell(grid, 19, 1) + "|" + Cell(grid, 19, 4) + "|" +
                     Cell(grid, 20, 0),
                 QString("3||1.25|"));
        QCOMPARE(p.messages.shown().back().text,
                 QString("These cells did not fit their column and were left empty:\nRow 20, "
                         "Area or Length\nRow 20, Station\nRow 20, Radius to Back Curb"));
        // Text that holds no row is refused and changes nothing.
        QGuiApplication::clipboard()->setText("rubbish\n");
        const GridTexts before = two.Texts();
        p.messages.AnswerNext(QMessageBox::Ok);
        two.Mnu_OptsClipInsert_Click(0);
        QVERIFY(two.Texts() == before);
        QVERIFY(p.messages.shown().back().text.startsWith("The clipboard holds no rows"));
        // Insert Blank Row(s) leaves what is on the clipboard to paste; the open sketch follows.
        QGuiApplication::clipboard()->setText("5\t1\t2\t3\t4\n");
        two.SketchCmd_Click();
        two.Mnu_OptsInsert_Click(0, 0);
        QCOMPARE(Cell(grid, 0, 0), QString());
        enabled.clear();
        SelectCells(grid, 0, 0, 5);
        two.ShowRowMenu(QPoint());
        QVERIFY(enabled["Mnu_OptsPaste"] && enabled["Mnu_OptsClipInsert"]);
    }

    // A paste of 30 rows over the wrong block is one step: Ctrl+Z in the grid puts the rows
    // back, the Edit menu names it, and Ctrl+Y pastes them again. (Every operation's undo, Delete
    // Block's among them, is the history's test.)
    void undoInTheWindows() {
        Program p;
        p.session().New();
        p.session().StoreBlockHeader(1, {"Tangent", "Right", "10", "4", "22", "22", "", "ONE"});
        QString thirty;
        for (int r = 1; r <= 30; ++r)
            thirty += "7\t" + QString::number(r) + "\t10\t+\t0\t\n";
        QGuiApplication::clipboard()->setText(thirty);
        Dataform form(p.services, 1);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* grid = form.findChild<QTableView*>("Spread1");
        SetCell(grid, 0, 0, "4");
        form.Mnu_OptsPaste_Click(1);
        QCOMPARE(Cell(grid, 30, 1), QString("30"));
        auto* edit = form.findChild<QMenu*>("Mnu_Edit");
        emit edit->aboutToShow();
        QCOMPARE(form.findChild<QAction*>("Mnu_Undo")->text(), QString("&Undo Paste"));
        emit edit->aboutToHide();
        QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cell(grid, 30, 1) + Cell(grid, 1, 0) + Cell(grid, 0, 0), QString("4"));
        QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Cell(grid, 30, 1), QString("30.000")); // as the block file holds it
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::RowOperations)
#include "rows_test.moc"
