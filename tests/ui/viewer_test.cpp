// The report viewer on a 300-page report: Find goes from match to match and on past the end,
// says "not found" in its bar; Escape closes the bar before the viewer; Go To reaches a page or
// a block; a copy across a page break holds a form feed.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextBlock>

#include "output/report_viewer.hpp"
#include "ui_support.hpp"

namespace sidewalk::ui::test {

// 300 pages, page n holding block n's section with its two returns, "RETURN NO 2" on its own
// page once in "Return no 2" as well.
std::string ThreeHundredPages() {
    std::string report;
    for (int page = 1; page <= 300; ++page) {
        if (page > 1) report += "\f\r\n";
        report += " SIDEWALK CURB & GRASSING QUANTITIES   PAGE " + std::to_string(page) + "\r\n";
        report += "BLOCK IDENTIFICATION - STREET " + std::to_string(page) + "\r\n";
        report += "RETURN NO 1 CURB    =      32.146 FT.\r\n";
        report += std::string(page == 7 ? "Return no 2" : "RETURN NO 2") + " CURB = 25.653 FT.\r\n";
    }
    return report;
}

class Viewer : public QObject {
    Q_OBJECT
    Program p_;
    std::unique_ptr<ViewForm> view_;
    QPlainTextEdit* display_ = nullptr;

    int Line() const { return display_->textCursor().blockNumber(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }

  private slots:
    void init() {
        view_ = std::make_unique<ViewForm>(p_.services, p_.state, ThreeHundredPages());
        display_ = view_->findChild<QPlainTextEdit*>("MhFileDisplay1");
        view_->show();
        QApplication::setActiveWindow(view_.get());
        QVERIFY(QTest::qWaitForWindowActive(view_.get()));
    }

    // Each page is 5 lines, the break's included: page n's RETURN NO 2 is line 5n - 2.
    void findGoesFromMatchToMatch_data() {
        QTest::addColumn<bool>("matchCase");
        QTest::newRow("any case") << false;
        QTest::newRow("match case") << true;
    }
    void findGoesFromMatchToMatch() {
        QFETCH(bool, matchCase);
        Key(Qt::Key_F, Qt::ControlModifier);
        view_->findChild<QCheckBox*>("MatchCase")->setChecked(matchCase);
        QTest::keyClicks(QApplication::focusWidget(), "RETURN NO 2");
        Key(Qt::Key_Return);
        QCOMPARE(Line(), 3);
        QCOMPARE(display_->textCursor().selectedText(), QString("RETURN NO 2"));
        Key(Qt::Key_F3);
        QCOMPARE(Line(), 8);
        for (int page = 3; page <= 7; ++page)
            Key(Qt::Key_F3);
        QCOMPARE(Line(), matchCase ? 5 * 8 - 2 : 5 * 7 - 2); // page 7's differs in case
        Key(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(Line(), 5 * 6 - 2);
    }

    void findWrapsAndSaysNotFoundInItsBar() {
        Key(Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "STREET 300");
        Key(Qt::Key_Return);
        QCOMPARE(Line(), 5 * 300 - 4);
        Key(Qt::Key_F3);
        QCOMPARE(Line(), 5 * 300 - 4);
        QCOMPARE(view_->findChild<QLabel*>("FindNote")->text(),
                 QString("Went on from the start of the report"));
        view_->findChild<QLineEdit*>("FindText")->setText("NOWHERE");
        Key(Qt::Key_F3);
        QCOMPARE(view_->findChild<QLabel*>("FindNote")->text(), QString("\"NOWHERE\" not found"));
        QCOMPARE(Line(), 5 * 300 - 4); // the cursor stays
        QVERIFY(p_.messages.shown().empty());
        Key(Qt::Key_Escape); // the bar first
        QVERIFY(!view_->findChild<QWidget*>("FindBar")->isVisible());
        QVERIFY(view_->isVisible());
        Key(Qt::Key_Escape); // then the viewer
        QVERIFY(!view_->isVisible());
    }

    void goToAPageOrABlock_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("block"); // the list's row, or -1
        QTest::addColumn<int>("line");
        QTest::newRow("page 150") << 150 << -1 << 5 * 149;
        QTest::newRow("block 299") << 2 << 298 << 5 * 298 + 1;
    }
    void goToAPageOrABlock() {
        QFETCH(int, page);
        QFETCH(int, block);
        p_.onWindow["GoToDialog"] = [&](QDialog& w) {
            QCOMPARE(w.findChild<QListWidget*>("GoToBlock")->count(), 300);
            QCOMPARE(w.findChild<QListWidget*>("GoToBlock")->item(0)->text(),
                     QString("1  STREET 1"));
            w.findChild<QSpinBox*>("GoToPage")->setValue(page);
            if (block >= 0) w.findChild<QListWidget*>("GoToBlock")->setCurrentRow(block);
            w.accept();
        };
        Key(Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(p_.seen.back(), QString("GoToDialog"));
        QTEST(Line(), "line");
    }

    void copyAcrossAPageBreakHoldsAFormFeed() {
        QTextCursor cursor(display_->document()->findBlockByNumber(3));
        cursor.setPosition(display_->document()->findBlockByNumber(6).position(),
                           QTextCursor::KeepAnchor);
        display_->setTextCursor(cursor);
        display_->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("RETURN NO 2 CURB = 25.653 FT.\n\f\n SIDEWALK CURB & GRASSING "
                         "QUANTITIES   PAGE 2\n"));
    }
};

} // namespace sidewalk::ui::test

QTEST_MAIN(sidewalk::ui::test::Viewer)
#include "viewer_test.moc"
