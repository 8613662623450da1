// Going to a page or a block of the report.
#include "output/go_to_dialog.hpp"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sidewalk::ui {

GoToDialog::GoToDialog(const std::vector<int>& pages, int page,
                       const std::vector<ReportPlace>& blocks, QWidget* parent)
    : QDialog(parent), pages_(pages), blocks_(blocks) {
    setObjectName("GoToDialog");
    setWindowTitle("Go To");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    page_ = new QSpinBox(this);
    page_->setObjectName("GoToPage");
    page_->setAccessibleName("Page");
    page_->setRange(1, std::max<int>(1, static_cast<int>(pages.size())));
    page_->setValue(page);
    page_->setSuffix(" of " + QString::number(pages.size()));
    form->addRow("&Page:", page_);
    layout->addLayout(form);
    auto* label = new QLabel("&Block:", this);
    list_ = new QListWidget(this);
    list_->setObjectName("GoToBlock");
    list_->setAccessibleName("Block");
    label->setBuddy(list_);
    for (const ReportPlace& b : blocks)
        list_->addItem(b.name);
    list_->setMinimumWidth(list_->fontMetrics().horizontalAdvance(QString(52, 'N')));
    layout->addWidget(label);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A page typed after a block was chosen goes to the page.
    connect(page_, &QSpinBox::valueChanged, list_, &QListWidget::clearSelection);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    page_->setFocus();
    page_->selectAll();
}

int GoToDialog::line() const {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (!chosen.isEmpty()) return blocks_.at(static_cast<std::size_t>(list_->row(chosen[0]))).line;
    const auto at = static_cast<std::size_t>(page_->value() - 1);
    return at < pages_.size() ? pages_[at] : 0;
}

} // namespace sidewalk::ui
