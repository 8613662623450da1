// The job session: the one job being edited and its private workspace, with the operations the
// desktop windows and the sidewalk-report command share. Each operation returns its problems
// as messages for the caller to show.
#pragma once

#include <filesystem>

#include "compute/run_report.hpp"
#include "data/block_file.hpp"
#include "data/job.hpp"
#include "data/message.hpp"
#include "data/reader.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

struct Recoverable;

class Session {
  public:
    // Makes the workspace inside parent (/tmp when empty) and writes its version record; or says
    // why either failed.
    static Result<Session> Create(const std::filesystem::path& parent = {});

    // The job as it stands; it changes only through the operations below, each of which marks
    // it changed (not saved) when it changes a stored value.
    const Job& job() const { return job_; }
    const Workspace& workspace() const { return ws_; }

    // A new job: "NoName", cleared, no block files, not saved. The units are chosen afterwards.
    void New();

    // Reads a data file into the job. The path becomes the save target only when the file was
    // read (wholly or up to a limit); a rejected or unreadable file leaves the old one.
    ReadResult Open(const std::filesystem::path& path);

    // Writes the job to its data file; marks it saved. Refused for a job without a file name.
    Status Save();

    // Writes the job to path; on success path becomes the save target and the job is saved.
    Status SaveAs(const std::filesystem::path& path);

    // Writes the work file and runs the report into the workspace's report file.
    Result<RunOutcome> Report(const RunOptions& options = {});

    // Empties slot n: its header, the open rows and its block file; the job is then not saved.
    // Refused, with nothing changed, when the block file cannot be emptied.
    Status DeleteBlock(int n);

    // The user changed a stored value, or opened the Save Data window: the job is not saved.
    void MarkChanged() { Changed(); }

    // The units of a new job ("E" or "M"; "" while none is chosen).
    void SetUnits(const std::string& units);

    // From now on, every operation keeps a snapshot of the job in the workspace (the desktop
    // program's; a command's run has nothing to offer back).
    void KeepSnapshots();

    // Takes over the job of an ended run: its snapshot and its block files; the job is then not
    // saved, with the ended run's data file as its save target. The ended run's folder is
    // removed. Refused when its block files cannot be read or copied: the job is then a new,
    // empty one, and the folder stays.
    Status Adopt(Recoverable& ended);

    // The index record as the Index Record window holds it.
    void SetIndexRecord(const std::string& refNum, const std::string& date,
                        const std::string& project, const std::string& engineer);

    // The slot being opened (BlockNo), and the open rows emptied as a double-click does.
    void SelectBlock(int n) { job_.blockNo = n; }
    void ClearOpenRows() { ClearBlockRows(job_); }

    // Block n's header from the Block Identification window's fields.
    void StoreBlockHeader(int n, const BlockHeaderFields& fields);

    // Block n's rows: read from its file into the grid, and stored back from the grid's texts;
    // a store that cannot be completed changes nothing.
    BlockRowsLoad LoadBlockRows(int n) { return sidewalk::LoadBlockRows(job_, ws_, n); }
    Status StoreBlockRows(int n, const GridTexts& grid, const BlockRowsLoad& loaded);

    // The program ends: the workspace files and folder are deleted. Nothing works after it.
    void Shutdown() { ws_.Shutdown(); }

  private:
    friend struct SessionTestAccess; // tests set a job up directly
    explicit Session(Workspace ws) : ws_(std::move(ws)) {}
    void Changed();      // a stored value changed: not saved, and in the snapshot
    void Snap();         // writes the snapshot, when snapshots are kept
    void Saved(bool is); // made, opened or saved: nothing changed since
    Job job_;
    Workspace ws_;
    bool snapshots_ = false;
    bool changed_ = false; // since the job was made, opened or saved
};

} // namespace sidewalk
