// Report viewer.
#include "output/report_viewer.hpp"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <filesystem>

#include "data/atomic_file.hpp"
#include "data/text.hpp"
#include "output/find_bar.hpp"
#include "output/go_to_dialog.hpp"
#include "output/print_dialog.hpp"
#include "print/report_printing.hpp"
#include "print/report_text.hpp"
#include "report/page.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

int ViewFontSize(int displayWidth) {
    if (displayWidth >= 919) return 14;
    if (displayWidth >= 816) return 12;
    if (displayWidth >= 713) return 10;
    return 8;
}

ViewForm::ViewForm(Services& services, ShellState& state, std::string report, QWidget* parent)
    : QDialog(parent), services_(services), state_(state), report_(std::move(report)) {
    setObjectName("ViewForm");
    setWindowTitle("View Report");
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QMenuBar* bar = AddHelpMenu(*this, *layout, services.help, help_topic::kViewReport);
    QAction* print = bar->addAction("&Print");
    print->setObjectName("Mnu_Print");
    QAction* exit = bar->addAction("E&xit");
    exit->setObjectName("Mnu_Exit");
    connect(print, &QAction::triggered, this, &ViewForm::Mnu_Print_Click);
    connect(exit, &QAction::triggered, this, &QDialog::accept);

    display_ = new ReportDisplay(this);
    display_->setObjectName("MhFileDisplay1");
    display_->setAccessibleName("Report");
    display_->setReadOnly(true);
    display_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    display_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(kReportFont); // as on paper
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(8);
    display_->setFont(font);
    layout->addWidget(display_);
    find_ = new FindBar(*display_, this);
    layout->addWidget(find_);
    AddSearchMenu(*bar);

    // The report's pages one under another, each break a line of its own.
    QString text;
    const std::vector<std::string_view> pages = SplitPages(report_);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) text += PageBreakLine() + '\n';
        text += ReportText(pages[i]);
    }
    text.remove('\r');
    if (text.endsWith('\n')) text.chop(1);
    display_->setPlainText(text);
    resize(820, 600);
    display_->setFocus();
}

void ViewForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    QFont font = display_->font();
    const int size = ViewFontSize(std::max(0, display_->width()));
    if (font.pointSize() != size) {
        font.setPointSize(size);
        display_->setFont(font);
        FitScrollRange();
    }
}

void ViewForm::FitScrollRange() {
    // The display keeps the widest line it has laid out, even in a larger font than now: start
    // again from the visible width, so that a horizontal scroll bar shows only when needed.
    display_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    display_->setLineWrapMode(QPlainTextEdit::NoWrap);
}

std::string ViewForm::SelectionFile() const {
    return services_.session.workspace().File("seltext.txt");
}

std::optional<std::string> SelectionFileText(const QString& selected) {
    if (selected.size() <= 10) return std::nullopt;
    // Lines as the report has them: CR LF, and a page break as its form-feed line.
    QStringList lines = selected.split(QChar::ParagraphSeparator);
    for (QString& line : lines)
        if (line == PageBreakLine()) line = "\f";
    return lines.join("\r\n").toStdString() + std::string(kLineEnd);
}

void ViewForm::AddSearchMenu(QMenuBar& bar) {
    QMenu* search = new QMenu("&Search", &bar);
    search->setObjectName("Mnu_Search");
    bar.insertMenu(bar.actions().value(1), search);
    auto add = [&](const char* name, const char* text, QList<QKeySequence> keys, auto act) {
        QAction* item = search->addAction(text);
        item->setObjectName(name);
        item->setShortcuts(keys);
        connect(item, &QAction::triggered, this, act);
    };
    add("Mnu_Find", "&Find...", {QKeySequence::Find}, [this] { find_->Open(); });
    add("Mnu_FindNext", "Find &Next", {QKeySequence(Qt::Key_F3)}, [this] { find_->Find(false); });
    add("Mnu_FindPrevious", "Find &Previous", {QKeySequence(Qt::SHIFT | Qt::Key_F3)},
        [this] { find_->Find(true); });
    add("Mnu_GoTo", "&Go To...", {QKeySequence(Qt::CTRL | Qt::Key_G)}, [this] { GoTo(); });
}

std::vector<ReportPlace> ViewForm::Blocks() const {
    // Each block's section opens with its identification line, numbered here in report order.
    static const QString kOpening = "BLOCK IDENTIFICATION - ";
    std::vector<ReportPlace> blocks;
    for (QTextBlock b = display_->document()->begin(); b.isValid(); b = b.next())
        if (b.text().startsWith(kOpening))
            blocks.push_back({QString::number(blocks.size() + 1) + "  " +
                                  b.text().mid(kOpening.size()).trimmed(),
                              b.blockNumber()});
    return blocks;
}

void ViewForm::GoTo() {
    const std::vector<int> pages = display_->PageLines();
    const std::vector<ReportPlace> blocks = Blocks();
    GoToDialog dialog(pages, display_->CurrentPage(pages), blocks, this);
    if (services_.modal.Run(dialog) == QDialog::Accepted) display_->GoToLine(dialog.line());
}

void ViewForm::keyPressEvent(QKeyEvent* event) {
    // Escape closes the find bar first, the viewer only when no bar is open.
    if (event->key() == Qt::Key_Escape && find_->isVisible()) {
        find_->hide();
        display_->setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ViewForm::Mnu_Print_Click() {
    selTextSaved_ = false;
    const std::optional<std::string> selection =
        SelectionFileText(display_->textCursor().selectedText());
    if (selection) {
        if (!services_.messages.Done(
                this, services_.session.workspace().Write(SelectionFile(), *selection)))
            return;
        selTextSaved_ = true;
    }
    // The printer reports print on is the system's default until the user chooses another.
    if (state_.printer.deviceName.empty())
        state_.printer = SelectPrinter(services_.printers, services_.printers.DefaultPrinterName());
    Prtbox dialog(services_, state_, report_, selection, this);
    services_.modal.Run(dialog);
    std::error_code ec;
    std::filesystem::remove(SelectionFile(), ec);
    selTextSaved_ = false;
    // The selection goes; the part of the report in view stays where it was.
    const int top = display_->verticalScrollBar()->value();
    const int left = display_->horizontalScrollBar()->value();
    QTextCursor none = display_->textCursor();
    none.clearSelection();
    display_->setTextCursor(none);
    FitScrollRange();
    display_->verticalScrollBar()->setValue(top);
    display_->horizontalScrollBar()->setValue(left);
}

} // namespace sidewalk::ui
