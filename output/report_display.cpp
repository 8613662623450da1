// The report display's page lines and copying.
#include "output/report_display.hpp"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <algorithm>
#include <memory>

namespace sidewalk::ui {

QString PageBreakLine() {
    return QString(80, QChar(0x2500));
}

std::vector<int> ReportDisplay::PageLines() const {
    std::vector<int> lines{0};
    const QString rule = PageBreakLine();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        if (b.text() == rule) lines.push_back(b.blockNumber() + 1);
    return lines;
}

int ReportDisplay::CurrentPage(const std::vector<int>& pageLines) const {
    const int at = textCursor().blockNumber();
    return static_cast<int>(std::upper_bound(pageLines.begin(), pageLines.end(), at) -
                            pageLines.begin());
}

void ReportDisplay::GoToLine(int line) {
    QTextCursor cursor(document()->findBlockByNumber(line));
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum()); // then back: the line on top
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* ReportDisplay::createMimeDataFromSelection() const {
    auto data = std::make_unique<QMimeData>();
    QStringList lines = textCursor().selection().toPlainText().split('\n');
    for (QString& line : lines)
        if (line == PageBreakLine()) line = "\f";
    data->setText(lines.join('\n'));
    return data.release(); // the clipboard's or the drag's from here
}

} // namespace sidewalk::ui
