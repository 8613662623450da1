// Printer setup window.
#include "output/printer_setup_dialog.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "print/printer_setup.hpp"
#include "ui/help_link.hpp"

namespace sidewalk::ui {

namespace {

QComboBox* AddList(QWidget* owner, QGridLayout* grid, int row, const char* label,
                   const char* labelName, const char* name) {
    auto* list = new QComboBox(owner);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumWidth(320);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    QLabel* caption = CaptionFor(list, label, owner);
    caption->setObjectName(labelName);
    grid->addWidget(caption, row, 0);
    grid->addWidget(list, row, 1);
    return list;
}

// Fills a list from a driver's list: the entries, then the last one whose number is current.
void FillList(QComboBox* list, const std::vector<PrinterChoice>* choices, int current) {
    list->clear();
    if (choices == nullptr) {
        list->addItem("  <Unavailable>");
    } else {
        for (const PrinterChoice& choice : *choices)
            list->addItem(QString::fromStdString(ChoiceEntryText(choice)));
    }
    list->setCurrentIndex(-1);
    for (int i = 0; i < list->count(); ++i)
        if (ChoiceNumber(list->itemText(i).toStdString()) == current) list->setCurrentIndex(i);
    if (list->currentIndex() < 0) list->setEditText(QString());
}

} // namespace

NTSetup::NTSetup(HelpLink& help, PrintSystem& system, CurrentPrinter& printer, QWidget* parent)
    : QDialog(parent), system_(system), printer_(printer), before_(printer) {
    setObjectName("NTSetup");
    setWindowTitle("Printer Setup NT");
    auto* layout = new QVBoxLayout(this);
    AddHelpMenu(*this, *layout, help, help_topic::kPrinterSetup);
    auto* grid = new QGridLayout;
    printers_ = AddList(this, grid, 0, "&Printer", "Label1", "combo1");
    papers_ = AddList(this, grid, 1, "Paper&size", "Label4", "Combo2");
    bins_ = AddList(this, grid, 2, "Paper &Bin", "Label2", "Combo3");
    layout->addLayout(grid);
    auto* orientation = new QHBoxLayout;
    portrait_ = new QRadioButton("Portrait", this);
    portrait_->setObjectName("Option1_0");
    landscape_ = new QRadioButton("Landscape", this);
    landscape_->setObjectName("Option1_1");
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);
    orientation->addStretch();
    layout->addLayout(orientation);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Cmd_OK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Cmd_Cancel");
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    {
        WaitCursor wait;
        for (const std::string& name : system_.PrinterNames())
            printers_->addItem(QString::fromStdString(name));
        printers_->setCurrentIndex(printers_->findText(QString::fromStdString(printer_.deviceName),
                                                       Qt::MatchExactly | Qt::MatchCaseSensitive));
        SelectOrientation();
        FillPaperAndBinLists(system_.OpenPrinter(printer_.deviceName));
    }
    // Choosing a printer makes it current at once.
    connect(printers_, &QComboBox::activated, this, &NTSetup::combo1_Click);
    connect(ok, &QPushButton::clicked, this, &NTSetup::Cmd_OK_Click);
    connect(cancel, &QPushButton::clicked, this, &NTSetup::Cmd_Cancel_Click);
}

// Centred across the screen, a third of the way down: over the print dialog, not on its top.
void NTSetup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        const QRect free = screen->availableGeometry();
        move(free.left() + std::max(0, (free.width() - width()) / 2),
             free.top() + std::max(0, (free.height() - height()) / 3));
    }
}

void NTSetup::SelectOrientation() {
    (printer_.orientation == Orientation::Portrait ? portrait_ : landscape_)->setChecked(true);
}

void NTSetup::FillPaperAndBinLists(const Result<PrinterFacts>& opened) {
    WaitCursor wait;
    opened_ = opened;
    const auto* facts = (opened ? &*opened : nullptr);
    FillList(papers_, &PapersOf(opened), printer_.paperSize); // for a file without a printer
    FillList(bins_, facts ? &facts->bins : nullptr, printer_.paperBin);
}

void NTSetup::combo1_Click() {
    WaitCursor wait;
    const std::string name = printers_->currentText().toStdString();
    const std::vector<std::string> installed = system_.PrinterNames();
    const bool known = std::find(installed.begin(), installed.end(), name) != installed.end();
    const auto opened = system_.OpenPrinter(known ? name : printer_.deviceName);
    // The paper and bin of the same names stay where the new printer has them.
    if (known) printer_ = SwitchPrinter(printer_, opened_, name, opened);
    SelectOrientation();
    FillPaperAndBinLists(opened);
}

void NTSetup::Cmd_OK_Click() {
    WaitCursor wait;
    // A list text that holds no number leaves that setting as it was.
    if (auto paper = ChoiceNumber(papers_->currentText().toStdString()))
        printer_.paperSize = *paper;
    if (auto bin = ChoiceNumber(bins_->currentText().toStdString())) printer_.paperBin = *bin;
    printer_.orientation = portrait_->isChecked() ? Orientation::Portrait : Orientation::Landscape;
    setupCancelled_ = false;
    accept();
}

void NTSetup::Cmd_Cancel_Click() {
    setupCancelled_ = true;
    reject();
}

void NTSetup::reject() {
    printer_ = before_;
    QDialog::reject();
}

} // namespace sidewalk::ui
