// Keeps the open grid's rows in the job as they are committed, so that the recovery data holds
// every committed cell: each change to the grid's model (a cell, a paste, rows inserted or
// removed) stores its rows at once, a refused cell with the value it had when last stored.
#pragma once

#include <QObject>

#include "data/block_file.hpp"

namespace sidewalk {
class Session;
}

namespace sidewalk::ui {

class BlockRowsModel;

class RowsKeeper : public QObject {
    Q_OBJECT
  public:
    // loaded is what loading block's rows into the model found.
    RowsKeeper(Session& session, int block, BlockRowsLoad loaded, BlockRowsModel& rows,
               QObject* parent = nullptr);

    // Stores the rows exactly as the grid holds them (on leaving it); says why not.
    Status Store();

  private:
    void Keep();
    Session& session_;
    int block_;
    BlockRowsLoad loaded_;
    BlockRowsModel& rows_;
};

} // namespace sidewalk::ui
