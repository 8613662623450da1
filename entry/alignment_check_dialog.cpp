// Check Against Alignment window.
#include "entry/alignment_check_dialog.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "print/report_text.hpp"
#include "ui/edit_menu.hpp"
#include "ui/enter_chain.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

namespace {

const QStringList kColumns = {"Blk",       "Description",   "Stations", "Coded",
                              "Alignment", "Alignment has", "Verdict"};

} // namespace

AlignmentCheckDialog::AlignmentCheckDialog(Services& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName("AlignmentCheckDialog");
    setWindowTitle("Check Against Alignment");
    folder_ = std::filesystem::path(services.session.job().dataFileName).parent_path().string();
    auto* layout = new QVBoxLayout(this);
    // Undo and Redo here too: the table follows the job as it then stands.
    AddEditMenu(*this, *AddHelpMenu(*this, *layout, services.help, help_topic::kProcessOptions),
                services, [this] { Refresh(); });

    auto* fileRow = new QHBoxLayout();
    fileName_ = new QLineEdit(this);
    fileName_->setObjectName("AlignFile");
    fileName_->setReadOnly(true);
    auto* choose = new QPushButton("&Choose...", this);
    choose->setObjectName("ChooseFile");
    fileRow->addWidget(CaptionFor(fileName_, "LandXML &file:", this));
    fileRow->addWidget(fileName_, 1);
    fileRow->addWidget(choose);
    layout->addLayout(fileRow);

    auto* alignmentRow = new QHBoxLayout();
    alignments_ = new QComboBox(this);
    alignments_->setObjectName("AlignName");
    alignments_->setEnabled(false);
    alignmentRow->addWidget(CaptionFor(alignments_, "A&lignment of the selected blocks:", this));
    alignmentRow->addWidget(alignments_, 1);
    layout->addLayout(alignmentRow);

    table_ = new QTableWidget(0, static_cast<int>(kColumns.size()), this);
    table_->setObjectName("CheckTable");
    table_->setAccessibleName("Blocks against the alignment");
    table_->setHorizontalHeaderLabels(kColumns);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumSize(table_->fontMetrics().horizontalAdvance(QString(110, 'x')),
                           table_->verticalHeader()->defaultSectionSize() * 9);
    auto* copy = new QAction("Copy", table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    layout->addWidget(table_, 1);

    summary_ = new QLabel(this);
    summary_->setObjectName("CheckSummary");
    summary_->setWordWrap(true);
    summary_->setText("Choose the LandXML file of the street's design alignment.");
    layout->addWidget(summary_);

    auto* buttons = new QHBoxLayout();
    apply_ = new QPushButton("&Apply", this);
    apply_->setObjectName("ApplyCmd");
    apply_->setToolTip("Set the direction and radius of the blocks that differ from the "
                       "alignment they lie on");
    apply_->setEnabled(false);
    copy_ = new QPushButton("C&opy Table", this);
    copy_->setObjectName("CopyCmd");
    copy_->setEnabled(false); // until there is a table
    auto* close = new QPushButton("Close", this);
    close->setObjectName("ExitCmd");
    buttons->addStretch(1);
    for (QPushButton* b : {apply_, copy_, close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    EnterPresses({choose, apply_, copy_, close});
    layout->addLayout(buttons);

    // Never wider or taller than the screen: the table scrolls instead.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setMaximumSize(screen->availableGeometry().size());

    connect(choose, &QPushButton::clicked, this, &AlignmentCheckDialog::ChooseFile);
    connect(alignments_, &QComboBox::activated, this, &AlignmentCheckDialog::UseAlignment);
    connect(apply_, &QPushButton::clicked, this, &AlignmentCheckDialog::Apply);
    const auto copyTable = [this] { QGuiApplication::clipboard()->setText(TableText()); };
    connect(copy_, &QPushButton::clicked, this, copyTable);
    connect(copy, &QAction::triggered, this, copyTable);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    choose->setFocus();
}

void AlignmentCheckDialog::ChooseFile() {
    std::string path;
    if (services_.dialogs.ShowAlignmentOpenDialog(this, folder_, path)) OpenFile(path);
}

bool AlignmentCheckDialog::OpenFile(const std::string& path) {
    Result<LandXmlFile> file = [&] {
        WaitCursor wait;
        return ReadLandXml(path);
    }();
    if (!file) {
        services_.messages.Tell(this, file.error());
        return false;
    }
    file_ = std::move(*file);
    fileName_->setText(QString::fromStdString(path));
    alignments_->clear();
    for (const Alignment& a : file_->alignments)
        alignments_->addItem(ReportText(a.name));
    alignments_->setEnabled(true);
    copy_->setEnabled(true);
    alignmentOf_.clear();
    Refresh();
    table_->setFocus();
    return true;
}

void AlignmentCheckDialog::UseAlignment(int index) {
    if (!file_ || index < 0) return;
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty()) std::fill(alignmentOf_.begin(), alignmentOf_.end(), index);
    for (const QModelIndex& row : rows)
        alignmentOf_.at(static_cast<std::size_t>(row.row())) = index;
    Recheck();
}

void AlignmentCheckDialog::Refresh() {
    if (!file_) return;
    const std::optional<RunOutcome> run = RunReportWaiting(services_, this);
    if (!run) return;
    blocks_ = CodedBlocks(services_.session.job(), *run);
    metric_ = run->metric;
    alignmentOf_.resize(blocks_.size(), alignments_->currentIndex());
    Recheck();
}

void AlignmentCheckDialog::Recheck() {
    checks_.clear();
    table_->setRowCount(static_cast<int>(blocks_.size()));
    bool correctable = false;
    int verdictWidth = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const Alignment& a = file_->alignments.at(static_cast<std::size_t>(alignmentOf_[i]));
        checks_.push_back(CheckBlock(blocks_[i], a, file_->unit, metric_));
        const BlockCheck& c = checks_.back();
        correctable = correctable || c.correction.has_value();
        verdictWidth =
            std::max(verdictWidth,
                     table_->fontMetrics().horizontalAdvance(QString::fromStdString(c.text)) + 16);
        const QString cells[] = {QString::number(blocks_[i].block),
                                 ReportText(blocks_[i].description),
                                 QString::fromStdString(StationRange(blocks_[i])),
                                 QString::fromStdString(CodedText(blocks_[i])),
                                 ReportText(a.name),
                                 QString::fromStdString(c.alignment),
                                 QString::fromStdString(c.text)};
        for (int column = 0; column < static_cast<int>(std::size(cells)); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            table_->setItem(static_cast<int>(i), column, item);
        }
    }
    // As wide as the table's lines, within the screen; the verdicts take what is left.
    int wanted = table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth();
    for (int column = 0; column < table_->columnCount(); ++column) {
        if (column + 1 < table_->columnCount()) table_->resizeColumnToContents(column);
        wanted += column + 1 < table_->columnCount()
                      ? table_->horizontalHeader()->sectionSize(column)
                      : verdictWidth;
    }
    if (const QScreen* at = screen(); at != nullptr && wanted > table_->width()) {
        const QRect room = at->availableGeometry();
        resize(std::min(room.width() - 20, width() - table_->width() + wanted), height());
        move(std::clamp(x(), room.left(),
                        std::max(room.left(), room.right() - frameGeometry().width())),
             y());
    }
    const QStringList lines = TableText().split('\n', Qt::SkipEmptyParts);
    summary_->setText(lines.isEmpty() ? QString() : lines.back());
    apply_->setEnabled(correctable);
}

void AlignmentCheckDialog::Apply() {
    std::vector<int> set;
    {
        Session& session = services_.session;
        const Session::Step step(session, "Apply Alignment");
        for (const BlockCheck& c : checks_) {
            if (!c.correction) continue;
            BlockHeaderFields fields = LoadBlockHeader(session.job(), c.coded.block);
            fields.direction = c.correction->first;
            if (!c.correction->second.empty()) fields.radiusBl = c.correction->second;
            session.StoreBlockHeader(c.coded.block, fields);
            set.push_back(c.coded.block);
        }
    }
    Refresh();
    QStringList numbers;
    for (const int n : set)
        numbers << QString::number(n);
    summary_->setText(summary_->text() + "\nThe curve data of " +
                      (set.size() == 1 ? "block " : "blocks ") + numbers.join(", ") +
                      " was set from the alignment; Edit, Undo (Ctrl+Z) takes it back.");
}

QString AlignmentCheckDialog::TableText() const {
    if (!file_) return {};
    std::set<std::string> names;
    for (const int a : alignmentOf_)
        names.insert(file_->alignments.at(static_cast<std::size_t>(a)).name);
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : ", ") + name;
    QString text;
    for (const std::string& line : CheckTable(checks_, joined))
        text += ReportText(line) + "\n";
    return text;
}

} // namespace sidewalk::ui
