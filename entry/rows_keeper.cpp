// Storing the grid's rows as they change.
#include "entry/rows_keeper.hpp"

#include "entry/block_rows_model.hpp"
#include "session/session.hpp"

namespace sidewalk::ui {

RowsKeeper::RowsKeeper(Session& session, int block, BlockRowsLoad loaded, BlockRowsModel& rows,
                       QObject* parent)
    : QObject(parent), session_(session), block_(block), loaded_(std::move(loaded)), rows_(rows) {
    // Rows inserted are stored once the last rows have gone: the model removes them first.
    connect(&rows, &QAbstractItemModel::dataChanged, this, &RowsKeeper::Keep);
    connect(&rows, &QAbstractItemModel::rowsInserted, this, &RowsKeeper::Keep);
    connect(&rows, &QAbstractItemModel::rowsRemoved, this, &RowsKeeper::Keep);
}

void RowsKeeper::Keep() {
    if (rows_.rowCount() != kMaxRows) return; // half-way through an insert or a removal
    session_.KeepGridRows(block_, rows_.KeptTexts(session_.job().rows), loaded_);
}

Status RowsKeeper::Store() {
    return session_.StoreBlockRows(block_, rows_.Texts(), loaded_);
}

} // namespace sidewalk::ui
