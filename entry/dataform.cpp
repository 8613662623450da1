// Data Entry window.
#include "entry/dataform.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/help_link.hpp"
#include "app/message_boxes.hpp"
#include "data/field_ranges.hpp"
#include "entry/grid_rows.hpp"
#include "entry/number_validator.hpp"
#include "entry/spread.hpp"

namespace sidewalk::ui {

namespace {

constexpr int kColumns = 6;
constexpr int kPlusColumn = 3; // column 4, counted from 0

// Each cell's editor takes only its column's kind and range.
class CellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        auto* editor =
            qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (editor != nullptr)
            editor->setValidator(new NumberValidator(
                GridCellRange(static_cast<GridColumn>(index.column() + 1)), editor));
        return editor;
    }
};

const char* const kLegend = "TYPES\n\r0 - Driveway Back SW No Taper\n\r1 - Return no grass\n\r"
                            "2 - Driveway Drop Curb\n\r3 - Driveway Back SW\n\r"
                            "4 - Return With Grass\n\r5 - Extra Grassing Area\n\r"
                            "6 - Extra Curb At Return\n\r7 - Extra Sidewalk Area\n\r"
                            "8 - Extra Driveway Area\n\r9 - Sidewalk Exception Length\n\r";

} // namespace

Dataform::Dataform(Shell& shell, int blockNo, QWidget* parent)
    : QDialog(parent), shell_(shell), blockNo_(blockNo) {
    setObjectName("Dataform");
    Job& job = shell.session.job();
    setWindowTitle(job.jobUnits == "M" ? "Data Entry --  Data Is In Metric"
                                       : "Data Entry --  Data Is In English");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 12);
    AddHelpMenu(*this, *layout, shell.help, help_topic::kDataEntry);

    auto* left = new QVBoxLayout();
    auto* caption = new QLabel("Block Description", this);
    caption->setObjectName("dcom2");
    auto* description = new QLabel(QString::fromStdString(job.header(blockNo).blkDesc), this);
    description->setObjectName("Label1");
    auto* units = new QLabel(
        job.jobUnits == "E" ? "All dimensions are in FEET" : "All dimensions are in METERS", this);
    units->setObjectName("Label2");
    grid_ = new Spread(kMaxRows, kColumns, this);
    grid_->setObjectName("Spread1");
    grid_->setAccessibleName("Rows of the block");
    grid_->setItemDelegate(new CellDelegate(grid_));
    grid_->setHorizontalHeaderLabels(
        {"Type", "Area or Length", "Station", " ", "Plus", "Radius to Back Curb"});
    const double widths[kColumns] = {5.62, 11, 5.5, 1.5, 5.37, 14.62};
    const int character = grid_->fontMetrics().horizontalAdvance('0');
    for (int c = 0; c < kColumns; ++c)
        grid_->setColumnWidth(c, static_cast<int>(widths[c] * character) + 12);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    left->addWidget(caption);
    left->addWidget(description);
    left->addWidget(units);
    left->addWidget(grid_);
    auto* exit = new QPushButton("Exit ", this);
    exit->setObjectName("dataexit");
    exit->setToolTip("Exit Data Form");
    exit->setAutoDefault(false);
    left->addWidget(exit, 0, Qt::AlignLeft);
    layout->addLayout(left, 1);
    auto* legend = new QLabel(QString(kLegend).remove('\r'), this);
    legend->setObjectName("Label3");
    legend->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(legend);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    loaded_ = LoadBlockRows(job, shell.session.workspace(), blockNo);
    if (loaded_.error) shell.messages.Tell(this, *loaded_.error);
    // Each column's range is shown in its heading's and its cells' tool tips.
    QString tips[kColumns];
    for (int c = 0; c < kColumns; ++c) {
        if (c == kPlusColumn) continue;
        tips[c] = NumberValidator::RangeText(GridCellRange(static_cast<GridColumn>(c + 1)));
        grid_->horizontalHeaderItem(c)->setToolTip(tips[c]);
    }
    const QColor cyan(128, 255, 255);
    const QColor yellow(255, 255, 128);
    for (int r = 1; r <= kMaxRows; ++r) {
        const auto cells = GridRowCells(job.row(r));
        for (int c = 0; c < kColumns; ++c) {
            auto* item =
                new QTableWidgetItem(QString::fromStdString(cells[static_cast<std::size_t>(c)]));
            item->setToolTip(tips[c]);
            if (c == kPlusColumn) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                item->setTextAlignment(Qt::AlignCenter);
                item->setBackground(yellow);
            } else if (c == 2 || c == 4 || c == 5) {
                item->setBackground(cyan);
            }
            grid_->setItem(r - 1, c, item);
        }
    }
    grid_->setCurrentCell(0, 0);
    grid_->setFocus();
    // The row menu, over whole rows selected on the row headers (or the keyboard's menu key).
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->verticalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowRowMenu(grid_->viewport()->mapToGlobal(at)); });
    connect(grid_->verticalHeader(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowRowMenu(grid_->verticalHeader()->mapToGlobal(at)); });
    resize(grid_->horizontalHeader()->length() + grid_->verticalHeader()->width() +
               legend->sizeHint().width() + 64,
           560);
}

GridTexts Dataform::Texts() const {
    GridTexts texts{};
    for (int r = 1; r <= kMaxRows; ++r) {
        auto cell = [&](int c) {
            const QTableWidgetItem* item = grid_->item(r - 1, c);
            return item != nullptr ? item->text().toStdString() : std::string();
        };
        texts[static_cast<std::size_t>(r)] = {cell(0), cell(1), cell(2), cell(4), cell(5)};
    }
    return texts;
}

void Dataform::SetTexts(const GridTexts& rows) {
    for (int r = 1; r <= kMaxRows; ++r) {
        const auto cells = GridRowCells(rows[static_cast<std::size_t>(r)]);
        for (int c = 0; c < kColumns; ++c)
            if (c != kPlusColumn)
                grid_->item(r - 1, c)->setText(
                    QString::fromStdString(cells[static_cast<std::size_t>(c)]));
    }
}

void Dataform::Activate(int row) {
    grid_->clearSelection();
    grid_->setCurrentCell(row - 1, 0);
}

void Dataform::ShowRowMenu(const QPoint& at) {
    const QList<QTableWidgetSelectionRange> ranges = grid_->selectedRanges();
    if (ranges.size() != 1) return;
    const QTableWidgetSelectionRange& range = ranges.front();
    const int first = range.topRow() + 1;
    const int last = range.bottomRow() + 1;
    // Whole rows only, and never a selection that reaches row 100.
    if (range.leftColumn() != 0 || range.rightColumn() != kColumns - 1 || last >= kMaxRows) return;
    const RowMenuItems items = RowMenu(Texts(), first, last, shell_.clipRows);
    QMenu menu(this);
    menu.setObjectName("Mnu_Opts");
    auto add = [&](const char* name, const char* caption, bool enabled) {
        QAction* action = menu.addAction(caption);
        action->setObjectName(name);
        action->setEnabled(enabled);
        return action;
    };
    QAction* insert = add("Mnu_OptsInsert", "Insert Blank Row(s)", items.insertBlank);
    menu.addSeparator()->setObjectName("Mnu_Sep1");
    QAction* cut = add("Mnu_OptsCut", "Cut Row(s) to Clipboard", true);
    QAction* copy = add("Mnu_OptsCopy", "Copy Row(s) to Clipboard", true);
    QAction* paste = add("Mnu_OptsPaste", "Paste Row(s) from Clipboard", items.paste);
    QAction* clipInsert =
        add("Mnu_OptsClipInsert", "Insert Row(s) from Clipboard", items.insertFromClipboard);
    menu.addSeparator()->setObjectName("Mnu_Sep2");
    add("Mnu_OptsCancel", "Cancel", true);
    if (shell_.onRowMenu) shell_.onRowMenu(menu);
    QAction* chosen = menu.exec(at);
    if (chosen == insert)
        Mnu_OptsInsert_Click(first, last);
    else if (chosen == cut)
        Mnu_OptsCut_Click(first, last);
    else if (chosen == copy)
        Mnu_OptsCopy_Click(first, last);
    else if (chosen == paste)
        Mnu_OptsPaste_Click(first);
    else if (chosen == clipInsert)
        Mnu_OptsClipInsert_Click(first);
    else
        Activate(first);
}

void Dataform::Mnu_OptsInsert_Click(int first, int last) {
    shell_.clipRows = 0;
    GridTexts rows = Texts();
    InsertBlankRows(rows, first, last - first + 1);
    SetTexts(rows);
    Activate(first);
}

void Dataform::Mnu_OptsCut_Click(int first, int last) {
    Mnu_OptsCopy_Click(first, last);
    GridTexts rows = Texts();
    DeleteRows(rows, first, last);
    SetTexts(rows);
    Activate(first);
}

void Dataform::Mnu_OptsCopy_Click(int first, int last) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    shell_.clipRows = 0;
    clipboard->setText(QString::fromStdString(RowsToText(Texts(), first, last)));
    shell_.clipRows = last - first + 1;
    Activate(first);
}

void Dataform::Mnu_OptsPaste_Click(int first) {
    const int n = shell_.clipRows;
    if (n == 0) return;
    GridTexts rows = Texts();
    const int last = std::min(first + n - 1, kMaxRows);
    bool typed = false;
    for (int r = first; r <= last; ++r)
        typed = typed || HasType(rows[static_cast<std::size_t>(r)]);
    if (typed && shell_.messages.Ask(this, "Overwrite Existing Data",
                                     "Are You Sure You Want To Overwrite The Data",
                                     QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) != QMessageBox::Yes)
        return;
    std::vector<BlockRow> pasted = RowsFromText(QGuiApplication::clipboard()->text().toStdString());
    if (pasted.size() > static_cast<std::size_t>(n)) pasted.resize(static_cast<std::size_t>(n));
    PasteRows(rows, first, pasted);
    SetTexts(rows);
    Activate(first);
}

void Dataform::Mnu_OptsClipInsert_Click(int first) {
    const int n = shell_.clipRows;
    if (n == 0) return;
    GridTexts rows = Texts();
    InsertBlankRows(rows, first, n);
    std::vector<BlockRow> pasted = RowsFromText(QGuiApplication::clipboard()->text().toStdString());
    if (pasted.size() > static_cast<std::size_t>(n)) pasted.resize(static_cast<std::size_t>(n));
    PasteRows(rows, first, pasted);
    SetTexts(rows);
    Activate(first);
}

void Dataform::done(int result) {
    // A cell still open in its editor is committed first: leaving the cell commits it.
    const QModelIndex current = grid_->currentIndex();
    grid_->setCurrentIndex(QModelIndex());
    grid_->setCurrentIndex(current);
    Job& job = shell_.session.job();
    const auto rowsBefore = job.rows;
    const std::string descriptionBefore = job.header(blockNo_).blkDesc;
    if (auto error = StoreBlockRows(job, shell_.session.workspace(), blockNo_, Texts(), loaded_)) {
        shell_.messages.Tell(this, *error);
        const auto leave = shell_.messages.Ask(this, "Data Entry",
                                               "The rows were not stored. Leave the grid without "
                                               "storing them?",
                                               QMessageBox::Warning,
                                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (leave != QMessageBox::Yes) return;
    } else if (job.rows != rowsBefore || job.header(blockNo_).blkDesc != descriptionBefore) {
        shell_.session.MarkChanged();
    }
    QDialog::done(result);
}

} // namespace sidewalk::ui
