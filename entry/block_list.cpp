// List Of Blocks window.
#include "entry/block_list.hpp"

#include "print/report_text.hpp"

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/block_identification.hpp"
#include "entry/data_entry.hpp"
#include "ui/edit_menu.hpp"
#include "ui/enter_chain.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

SectList::SectList(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    setObjectName("SectList");
    setWindowTitle("List Of Blocks");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    AddEditMenu(*this, *AddHelpMenu(*this, *layout, services.help, help_topic::kBlockList),
                services, [this] { FillBlockList(); });
    list_ = new QListWidget(this);
    list_->setObjectName("List1");
    list_->setAccessibleName("Blocks");
    list_->setMinimumSize(list_->fontMetrics().horizontalAdvance(QString(52, 'M')) / 2 + 120,
                          list_->fontMetrics().height() * 18);
    list_->installEventFilter(this);
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout();
    auto* del = new QPushButton("Delete Block", this);
    del->setObjectName("Bookdel");
    del->setToolTip("Remove A Book");
    auto* exit = new QPushButton("Exit ", this);
    exit->setObjectName("dataexit");
    exit->setToolTip("Exit Data Form");
    for (QPushButton* b : {del, exit}) {
        b->setAutoDefault(false); // Enter in the list opens a block and does nothing else
        buttons->addWidget(b);
    }
    EnterPresses({del, exit}); // on a focused button, it presses it
    layout->addLayout(buttons);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OpenSelected(true); });
    connect(del, &QPushButton::clicked, this, &SectList::Bookdel_Click);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    // The line of the block last opened is selected, so that Enter opens it again at once.
    const int last = services_.session.job().blockNo;
    FillBlockList();
    services_.session.SelectBlock(1);
    list_->setCurrentRow(last >= 1 && last <= kMaxBlocks ? last - 1 : 0);
    list_->setFocus();
}

void SectList::FillBlockList() {
    const int row = list_->currentRow();
    list_->clear();
    for (const std::string& line : sidewalk::FillBlockList(services_.session.job()))
        list_->addItem(ReportText(line));
    list_->setCurrentRow(row);
}

bool SectList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenSelected(false);
            return true; // the key is used up here: no button of the window fires with it
        }
    }
    return QDialog::eventFilter(watched, event);
}

int SectList::SelectedRow() const {
    // The list may have a current line that is not selected (focus alone sets one): only a line
    // the user sees selected counts.
    const QListWidgetItem* current = list_->currentItem();
    return current != nullptr && current->isSelected() ? list_->row(current) : -1;
}

void SectList::OpenSelected(bool doubleClick) {
    const int row = SelectedRow();
    if (row < 0) return; // nothing selected: nothing to open
    if (doubleClick) services_.session.ClearOpenRows();
    services_.session.SelectBlock(row + 1);
    const int n = services_.session.job().blockNo;
    {
        BlockHeader header(services_, n, this);
        if (services_.modal.Run(header) == QDialog::Accepted) {
            Dataform grid(services_, n, this);
            services_.modal.Run(grid);
        }
    }
    FillBlockList();
    if (n == 100) services_.session.SelectBlock(99);
    list_->setCurrentRow(services_.session.job().blockNo); // the line after the block just edited
    list_->setFocus();
}

void SectList::Bookdel_Click() {
    const int row = SelectedRow();
    if (row < 0) { // nothing selected: nothing to empty
        services_.messages.Tell(
            this, {"Select the block to delete in the list first.", "Delete Selected Section"});
        list_->setFocus();
        return;
    }
    const int n = row + 1;
    const auto answer = services_.messages.Ask(
        this, "Delete Selected Section", "Are You Sure\n\n" + list_->item(row)->text().trimmed(),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        list_->setCurrentRow(row);
        list_->setFocus();
        return;
    }
    services_.messages.Done(this, services_.session.DeleteBlock(n));
    FillBlockList();
    list_->setCurrentRow(n == 100 ? 99 : n);
    list_->setFocus();
}

} // namespace sidewalk::ui
