// Data Entry window.
#include "entry/data_entry.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "data/field_ranges.hpp"
#include "data/units.hpp"
#include "entry/block_rows_model.hpp"
#include "entry/cell_delegate.hpp"
#include "entry/grid_view.hpp"
#include "entry/rows_keeper.hpp"
#include "print/report_text.hpp"
#include "ui/edit_menu.hpp"
#include "ui/enter_chain.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"
#include "ui/number_validator.hpp"

namespace sidewalk::ui {

namespace {

// The clipboard's rows, read now: another program may have put them there.
ClipboardRows ClipboardNow() {
    return RowsFromText(QGuiApplication::clipboard()->text().toStdString());
}

const char* const kLegend = "TYPES\n\r0 - Driveway Back SW No Taper\n\r1 - Return no grass\n\r"
                            "2 - Driveway Drop Curb\n\r3 - Driveway Back SW\n\r"
                            "4 - Return With Grass\n\r5 - Extra Grassing Area\n\r"
                            "6 - Extra Curb At Return\n\r7 - Extra Sidewalk Area\n\r"
                            "8 - Extra Driveway Area\n\r9 - Sidewalk Exception Length\n\r";

} // namespace

Dataform::Dataform(Services& services, int blockNo, QWidget* parent)
    : QDialog(parent), services_(services), blockNo_(blockNo) {
    setObjectName("Dataform");
    const Job& job = services.session.job();
    setWindowTitle(IsMetric(job.jobUnits) ? "Data Entry --  Data Is In Metric"
                                          : "Data Entry --  Data Is In English");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 12);
    QMenuBar* bar = AddHelpMenu(*this, *layout, services.help, help_topic::kDataEntry);
    services.session.SelectBlock(blockNo); // an undo of its rows shows them here

    auto* left = new QVBoxLayout();
    auto* caption = new QLabel("Block Description", this);
    caption->setObjectName("dcom2");
    auto* description = new QLabel(ReportText(job.header(blockNo).blkDesc), this);
    description->setObjectName("Label1");
    AddEditMenu(*this, *bar, services, [this, description] {
        const Job& now = services_.session.job();
        description->setText(ReportText(now.header(blockNo_).blkDesc));
        const QModelIndex at = grid_->currentIndex();
        rows_->Reload(now.rows);
        grid_->setCurrentIndex(rows_->index(std::max(at.row(), 0), std::max(at.column(), 0)));
    });
    auto* units = new QLabel(IsMetric(job.jobUnits) ? "All dimensions are in METERS"
                                                    : "All dimensions are in FEET",
                             this);
    units->setObjectName("Label2");
    const Result<BlockRowsLoad> loaded = services.session.LoadBlockRows(blockNo);
    rows_ = new BlockRowsModel(job.rows, this);
    keeper_ = new RowsKeeper(services.session, blockNo, loaded.value_or(BlockRowsLoad{blockNo}),
                             *rows_, this);
    grid_ = new Spread(this);
    grid_->setModel(rows_);
    grid_->setObjectName("Spread1");
    grid_->setAccessibleName("Rows of the block");
    grid_->clearCell = [this](const QModelIndex& cell) {
        const Session::Step step(services_.session, "Delete");
        rows_->setData(cell, QString());
    };
    auto* cells = new CellDelegate(grid_);
    cells->onRefused = [this](const QModelIndex& index) {
        RefuseCell(index.row(), index.column());
    };
    grid_->setItemDelegate(cells);
    const double widths[kGridColumns] = {5.62, 11, 5.5, 1.5, 5.37, 14.62};
    const int character = grid_->fontMetrics().horizontalAdvance('0');
    // A selected column's heading is drawn bold: wide enough for that too.
    QFont bold = grid_->horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics headingMetrics(bold);
    for (int c = 0; c < kGridColumns; ++c)
        grid_->setColumnWidth(c, std::max(static_cast<int>(widths[c] * character) + 12,
                                          headingMetrics.horizontalAdvance(GridHeading(c)) + 16));
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    left->addWidget(caption);
    left->addWidget(description);
    left->addWidget(units);
    left->addWidget(grid_);
    auto* exit = new QPushButton("Exit ", this);
    exit->setObjectName("dataexit");
    exit->setToolTip("Exit Data Form");
    exit->setAutoDefault(false); // no default button: Enter belongs to the grid
    auto* sketch = new QPushButton("&Sketch", this);
    sketch->setObjectName("SketchCmd");
    sketch->setToolTip("A plan sketch of the block, beside the grid, redrawn as rows change");
    sketch->setAutoDefault(false);
    EnterPresses({exit, sketch});
    connect(sketch, &QPushButton::clicked, this, &Dataform::SketchCmd_Click);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(exit);
    buttons->addWidget(sketch);
    buttons->addStretch();
    left->addLayout(buttons);
    // The grid and its legend, and the sketch pane beside or below them.
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    gridPane_ = new QWidget(splitter_);
    auto* gridSide = new QHBoxLayout(gridPane_);
    gridSide->setContentsMargins(0, 0, 0, 0);
    gridSide->addLayout(left, 1);
    auto* legend = new QLabel(QString(kLegend).remove('\r'), gridPane_);
    legend->setObjectName("Label3");
    legend->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    gridSide->addWidget(legend);
    sketch_ = new SketchForm(
        services_, blockNo_, [this] { return rows_->Texts(); }, splitter_);
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(rows_, signal, sketch_, &SketchForm::Redraw);
    connect(rows_, &QAbstractItemModel::dataChanged, sketch_, &SketchForm::Redraw);
    connect(rows_, &QAbstractItemModel::modelReset, sketch_, &SketchForm::Redraw);
    connect(sketch_, &SketchForm::closeRequested, this, &Dataform::HideSketch);
    splitter_->addWidget(gridPane_);
    splitter_->addWidget(sketch_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    sketch_->hide();
    layout->addWidget(splitter_);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    // Ctrl+Tab leaves the grid for Exit, Ctrl+Shift+Tab comes back (Tab moves in the grid).
    exit_ = exit;
    cells->onTabOut = [exit] { exit->setFocus(Qt::TabFocusReason); };
    connect(grid_, &Spread::tabOut, exit, [exit] { exit->setFocus(Qt::TabFocusReason); });
    exit->installEventFilter(this);

    if (!loaded) services.messages.Tell(this, loaded.error());
    grid_->setCurrentIndex(rows_->index(0, 0));
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

void Dataform::SketchCmd_Click() {
    if (sketch_->isVisible()) {
        HideSketch();
        return;
    }
    bare_ = size();
    // Beside the grid where the screen has room for the window and a sketch pane of a useful
    // width; else below it. Either way the window grows within the screen.
    const QRect screenRoom = screen() != nullptr ? screen()->availableGeometry() : QRect();
    const QSize frame = frameGeometry().size() - size();
    const int paneWidth = std::max(sketch_->minimumSizeHint().width(), 480);
    const int gridWidth = gridPane_->width();
    const bool beside = screenRoom.isEmpty() || gridWidth + splitter_->handleWidth() + paneWidth +
                                                        (width() - splitter_->width()) +
                                                        frame.width() <=
                                                    screenRoom.width();
    splitter_->setOrientation(beside ? Qt::Horizontal : Qt::Vertical);
    sketch_->show();
    QSize grown = beside ? QSize(width() + splitter_->handleWidth() + paneWidth, height())
                         : QSize(width(), height() + splitter_->handleWidth() + 320);
    if (!screenRoom.isEmpty()) grown = grown.boundedTo(screenRoom.size() - frame);
    resize(grown);
    if (beside)
        splitter_->setSizes({gridWidth, std::max(1, splitter_->width() - gridWidth)});
    else
        splitter_->setSizes({std::max(1, splitter_->height() - 320), 320});
    // Whatever the window manager does, the window stays on the screen.
    if (!screenRoom.isEmpty()) {
        QRect at = frameGeometry();
        at.moveRight(std::min(at.right(), screenRoom.right()));
        at.moveBottom(std::min(at.bottom(), screenRoom.bottom()));
        at.moveLeft(std::max(at.left(), screenRoom.left()));
        at.moveTop(std::max(at.top(), screenRoom.top()));
        move(at.topLeft());
    }
    grid_->setFocus(); // typing goes on
}

void Dataform::HideSketch() {
    const bool hadFocus = sketch_->isAncestorOf(focusWidget());
    sketch_->hide();
    if (bare_.isValid()) resize(bare_);
    if (hadFocus) grid_->setFocus();
}

GridTexts Dataform::Texts() const {
    return rows_->Texts();
}

bool Dataform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == exit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab) &&
            (key->modifiers() & Qt::ControlModifier)) {
            grid_->setFocus(Qt::BacktabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Dataform::RefuseCell(int row, int column) {
    services_.messages.Tell(this, {("Row " + QString::number(row + 1) + ", " + GridHeading(column) +
                                    ":\n" + NumberValidator::NotFitText(*GridColumnRange(column)))
                                       .toStdString(),
                                   "Data Entry", MessageKind::Warning});
    // Back to the cell: its open edit as it was (Escape still puts back the old value), or a
    // new edit of what the cell holds.
    const QModelIndex cell = rows_->index(row, column);
    if (QWidget* editor = grid_->indexWidget(cell)) {
        editor->setFocus();
        // Typing replaces the refused text, Delete clears it.
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
        return;
    }
    grid_->setFocus();
    grid_->setCurrentIndex(cell);
    grid_->edit(cell);
}

void Dataform::Activate(int row) {
    grid_->clearSelection();
    grid_->setCurrentIndex(rows_->index(row, 0));
}

void Dataform::ShowRowMenu(const QPoint& at) {
    const QItemSelection selected = grid_->selectionModel()->selection();
    if (selected.size() != 1) return;
    const QItemSelectionRange& range = selected.front();
    const int first = range.top();
    const int last = range.bottom();
    // Whole rows only, and never a selection that reaches the last row.
    if (range.left() != 0 || range.right() != kGridColumns - 1 || last >= kMaxRows - 1) return;
    const RowMenuItems items = // the rules count the block's rows from 1
        RowMenu(Texts(), first + 1, last + 1, static_cast<int>(ClipboardNow().rows.size()));
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
    QAction* chosen = services_.modal.PopUp(menu, at);
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
    const Session::Step step(services_.session, "Insert Blank Rows");
    rows_->insertRows(first, last - first + 1);
    Activate(first);
}

void Dataform::Mnu_OptsCut_Click(int first, int last) {
    Mnu_OptsCopy_Click(first, last);
    const Session::Step step(services_.session, "Cut");
    rows_->removeRows(first, last - first + 1);
    Activate(first);
}

void Dataform::Mnu_OptsCopy_Click(int first, int last) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(rows_->RowsText(first, last)));
    Activate(first);
}

void Dataform::Mnu_OptsPaste_Click(int first) {
    PasteFromClipboard(first, false);
}

void Dataform::Mnu_OptsClipInsert_Click(int first) {
    PasteFromClipboard(first, true);
}

void Dataform::PasteFromClipboard(int first, bool insert) {
    const ClipboardRows clip = ClipboardNow();
    const int count = static_cast<int>(clip.rows.size());
    if (count == 0) {
        services_.messages.Tell(this, {"The clipboard holds no rows: each row is a line of "
                                       "tab-separated cells, as the grid or a spreadsheet copies "
                                       "them. Nothing was pasted.",
                                       "Data Entry", MessageKind::Warning});
        return;
    }
    const GridTexts rows = Texts();
    if (insert && LastRowsHaveType(rows, count)) { // never off row 100
        services_.messages.Tell(this, {"The " + std::to_string(count) +
                                           " rows on the clipboard would push typed rows off the "
                                           "end of the grid. Nothing was inserted.",
                                       "Data Entry", MessageKind::Warning});
        return;
    }
    bool typed = false; // rows counted from 1 as the block numbers them
    for (int r = first + 1; !insert && r <= std::min(first + count, kMaxRows); ++r)
        typed = typed || HasType(rows[static_cast<std::size_t>(r)]);
    if (typed && services_.messages.Ask(this, "Overwrite Existing Data",
                                        "Are You Sure You Want To Overwrite The Data",
                                        QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::No) != QMessageBox::Yes)
        return;
    {
        const Session::Step step(services_.session,
                                 insert ? "Insert Rows From Clipboard" : "Paste");
        if (insert) rows_->insertRows(first, count);
        rows_->Paste(first, clip.rows);
    }
    Activate(first);
    if (clip.rejected.empty()) return;
    QString cells;
    for (const auto& cell : clip.rejected) {
        const int row = first + cell.row; // as the user counts rows, from 1
        if (row > kMaxRows) break;
        cells += "\nRow " + QString::number(row) + ", " + GridHeading(cell.column - 1);
    }
    services_.messages.Tell(
        this, {("These cells did not fit their column and were left empty:" + cells).toStdString(),
               "Data Entry", MessageKind::Warning});
}

void Dataform::done(int result) {
    // A cell still open in its editor is committed first: leaving the cell commits it.
    const QModelIndex current = grid_->currentIndex();
    grid_->setCurrentIndex(QModelIndex());
    grid_->setCurrentIndex(current);
    // A value typed here that does not fit keeps the grid open until it fits or is cleared (a
    // value as the block file had it is stored as it was).
    if (const auto refused = rows_->FirstRefused()) {
        RefuseCell(refused->row(), refused->column());
        return;
    }
    if (!services_.messages.Done(this, keeper_->Store())) {
        const auto leave = services_.messages.Ask(
            this, "Data Entry",
            "The rows were not stored. Leave the grid without "
            "storing them?",
            QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (leave != QMessageBox::Yes) return;
    }
    QDialog::done(result);
}

} // namespace sidewalk::ui
