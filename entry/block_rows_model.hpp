// The rows of one block as a table model for the Data Entry grid: 100 rows of six cells (the
// fourth, "+", fixed), each column's range in its tool tips and its colour, and the row menu's
// operations as model calls. The grid always holds 100 rows: rows inserted push the last ones
// off the end, and rows removed leave blank rows at the end.
#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "data/block_file.hpp"

namespace sidewalk::ui {

inline constexpr int kGridColumns = 6;
inline constexpr int kPlusColumn = 3; // the fourth, counted from 0

// The grid column headings, counted from 0.
QString GridHeading(int column);

class BlockRowsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit BlockRowsModel(const GridTexts& rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A value typed in a cell: kept as typed, and checked against its column's range; one that
    // does not fit is marked and counts as refused until it fits or is cleared.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // count blank rows before row; as many rows fall off the end.
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    // Rows row.. row + count - 1 go; the rows below move up and blank rows fill the end.
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    // The rows as stored, in place of the grid's (an undo changed them); nothing is refused.
    void Reload(const GridTexts& rows);
    // Writes rows over the grid's from row on (counted from 0); nothing past the last row.
    void Paste(int row, const std::vector<BlockRow>& rows);
    // Rows first..last (counted from 0) as the clipboard holds them: a line of tab-separated
    // cells each.
    std::string RowsText(int first, int last) const;
    // The rows as the block stores them, 1..100.
    GridTexts Texts() const;
    // The same, but for the cells refused, which keep their value in stored.
    GridTexts KeptTexts(const GridTexts& stored) const;
    // The first cell typed here whose value does not fit its column.
    std::optional<QModelIndex> FirstRefused() const;

  private:
    std::vector<BlockRow> rows_;
    std::set<std::pair<int, int>> refused_; // typed cells (row, column) that do not fit
};

} // namespace sidewalk::ui
