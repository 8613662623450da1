// The grid's table model.
#include "entry/block_rows_model.hpp"

#include <QColor>
#include <algorithm>

#include "entry/cell_delegate.hpp"
#include "grid/grid_rows.hpp"
#include "ui/number_validator.hpp"

namespace sidewalk::ui {

namespace {

const char* const kHeadings[kGridColumns] = {"Type", "Area or Length", "Station",
                                             " ",    "Plus",           "Radius to Back Curb"};

// The text of a row's cell by grid column (the "+" column has none).
template <typename Row> auto* Field(Row& row, int column) {
    switch (column) {
    case 0:
        return &row.type;
    case 1:
        return &row.area;
    case 2:
        return &row.station;
    case 4:
        return &row.plus;
    case 5:
        return &row.radius;
    default:
        return static_cast<decltype(&row.type)>(nullptr);
    }
}

// Cells (row, column) of rows at or past row moved by count rows; those moved off the grid
// or, moving up, into the rows removed, are gone.
std::set<std::pair<int, int>> Shifted(const std::set<std::pair<int, int>>& cells, int row,
                                      int count) {
    std::set<std::pair<int, int>> moved;
    for (auto [r, c] : cells) {
        if (r >= row) {
            if (count < 0 && r < row - count) continue;
            r += count;
        }
        if (r >= 0 && r < kMaxRows) moved.insert({r, c});
    }
    return moved;
}

} // namespace

QString GridHeading(int column) {
    return kHeadings[column];
}

BlockRowsModel::BlockRowsModel(const GridTexts& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows.begin() + 1, rows.end()) {}

void BlockRowsModel::Reload(const GridTexts& rows) {
    beginResetModel();
    rows_.assign(rows.begin() + 1, rows.end());
    refused_.clear();
    endResetModel();
}

int BlockRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BlockRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumns;
}

QVariant BlockRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int c = index.column();
    const BlockRow& row = rows_[static_cast<std::size_t>(index.row())];
    const QString text = c == kPlusColumn ? "+" : QString::fromStdString(*Field(row, c));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text;
    case Qt::ToolTipRole: // the column's range, or that the value does not fit it
        if (c == kPlusColumn) return {};
        return CellFits(c, text) ? NumberValidator::RangeText(*GridColumnRange(c))
                                 : NumberValidator::NotFitText(*GridColumnRange(c));
    case Qt::BackgroundRole:
        if (c == kPlusColumn) return QColor(255, 255, 128);
        if (!CellFits(c, text)) return NotFitColour();
        if (c == 2 || c == 4 || c == 5) return QColor(128, 255, 255);
        return {};
    case Qt::TextAlignmentRole:
        if (c == kPlusColumn) return static_cast<int>(Qt::AlignCenter);
        return {};
    default:
        return {};
    }
}

QVariant BlockRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < kGridColumns) {
        if (role == Qt::DisplayRole) return GridHeading(section);
        if (role == Qt::ToolTipRole && section != kPlusColumn)
            return NumberValidator::RangeText(*GridColumnRange(section));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags BlockRowsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags; // the invisible root holds the cells only
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == kPlusColumn ? flags : flags | Qt::ItemIsEditable;
}

bool BlockRowsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == kPlusColumn) return false;
    const QString text = value.toString();
    std::string* field = Field(rows_[static_cast<std::size_t>(index.row())], index.column());
    const auto cell = std::pair(index.row(), index.column());
    if (CellFits(index.column(), text))
        refused_.erase(cell);
    else
        refused_.insert(cell);
    if (*field != text.toStdString()) {
        *field = text.toStdString();
        emit dataChanged(index, index);
    }
    return true;
}

bool BlockRowsModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || row >= kMaxRows || count < 1) return false;
    count = std::min(count, kMaxRows - row);
    // The last rows go first, so that no view ever sees more than the grid's 100 rows.
    beginRemoveRows({}, kMaxRows - count, kMaxRows - 1);
    rows_.resize(static_cast<std::size_t>(kMaxRows - count));
    endRemoveRows();
    beginInsertRows({}, row, row + count - 1);
    rows_.insert(rows_.begin() + row, static_cast<std::size_t>(count), BlockRow{});
    endInsertRows();
    refused_ = Shifted(refused_, row, count);
    return true;
}

bool BlockRowsModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || row >= kMaxRows || count < 1) return false;
    count = std::min(count, kMaxRows - row);
    beginRemoveRows({}, row, row + count - 1);
    rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
    endRemoveRows();
    beginInsertRows({}, kMaxRows - count, kMaxRows - 1);
    rows_.resize(kMaxRows);
    endInsertRows();
    refused_ = Shifted(refused_, row, -count);
    return true;
}

void BlockRowsModel::Paste(int row, const std::vector<BlockRow>& rows) {
    const int last = std::min(row + static_cast<int>(rows.size()), kMaxRows) - 1;
    if (row < 0 || last < row) return;
    for (int r = row; r <= last; ++r) {
        rows_[static_cast<std::size_t>(r)] = rows[static_cast<std::size_t>(r - row)];
        for (int c = 0; c < kGridColumns; ++c)
            refused_.erase({r, c});
    }
    emit dataChanged(index(row, 0), index(last, kGridColumns - 1));
}

std::string BlockRowsModel::RowsText(int first, int last) const {
    return RowsToText(Texts(), first + 1, last + 1); // the block's rows count from 1
}

GridTexts BlockRowsModel::Texts() const {
    GridTexts texts{};
    std::copy_n(rows_.begin(), std::min<std::size_t>(rows_.size(), kMaxRows), texts.begin() + 1);
    return texts;
}

GridTexts BlockRowsModel::KeptTexts(const GridTexts& stored) const {
    GridTexts texts = Texts();
    for (const auto& [r, c] : refused_) {
        const auto row = static_cast<std::size_t>(r + 1);
        *Field(texts[row], c) = *Field(stored[row], c);
    }
    return texts;
}

std::optional<QModelIndex> BlockRowsModel::FirstRefused() const {
    if (refused_.empty()) return std::nullopt;
    return index(refused_.begin()->first, refused_.begin()->second);
}

} // namespace sidewalk::ui
