// Report viewer: the report's pages one under another, each form-feed line a visible break.
#include "output/view_form.hpp"

#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/help_link.hpp"
#include "data/file_text.hpp"
#include "report/page.hpp"

namespace sidewalk::ui {

ViewForm::ViewForm(Shell& shell, QWidget* parent) : QDialog(parent) {
    setObjectName("ViewForm");
    setWindowTitle("View Report");
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QMenuBar* bar = AddHelpMenu(*this, *layout, shell.help, help_topic::kViewReport);
    QAction* exit = bar->addAction("E&xit");
    exit->setObjectName("Mnu_Exit");
    connect(exit, &QAction::triggered, this, &QDialog::accept);

    auto* display = new QPlainTextEdit(this);
    display->setObjectName("MhFileDisplay1");
    display->setAccessibleName("Report");
    display->setReadOnly(true);
    display->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    display->setFont(font);
    layout->addWidget(display);

    FileBytes bytes;
    QString text;
    if (ReadWholeFile(shell.reportFile, bytes) == 0) {
        const std::vector<std::string_view> pages = SplitPages(bytes.view());
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) text += QString(80, QChar(0x2500)) + '\n'; // the page break
            QString page =
                QString::fromLatin1(pages[i].data(), static_cast<qsizetype>(pages[i].size()));
            page.remove('\r');
            text += page;
        }
    }
    display->setPlainText(text);
    resize(display->fontMetrics().horizontalAdvance(QString(84, 'M')), 560);
}

} // namespace sidewalk::ui
