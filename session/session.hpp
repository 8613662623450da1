// The job session: the one job being edited and its private workspace, with the operations the
// desktop windows and the sidewalk-report command share. Each operation returns its problems
// as messages for the caller to show.
#pragma once

#include <filesystem>
#include <functional>

#include "compute/run_report.hpp"
#include "data/atomic_file.hpp"
#include "data/block_file.hpp"
#include "data/file_stamp.hpp"
#include "data/job.hpp"
#include "data/message.hpp"
#include "data/reader.hpp"
#include "data/workspace.hpp"
#include "session/job_history.hpp"

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
    // A stored value changed since the job was made, opened, saved or taken back.
    bool changed() const { return changed_; }

    // A new job: "NoName", cleared, no block files, not saved. The units are chosen afterwards.
    void New();

    // Reads a data file into the job. The path becomes the save target only when the file was
    // read (wholly or up to a limit); a rejected or unreadable file leaves the old one.
    Result<CardFileRead> Open(const std::filesystem::path& path);
    // Reads a card file from a stream (standard input), named so in messages; the job then has
    // no data file, as after New.
    Result<CardFileRead> Open(std::istream& in, std::string_view name);

    // The data file holds other bytes than when it was opened or last saved, or is gone: a save
    // would write over another program's or person's work. False for a job without a file.
    bool ChangedOnDisk() const;

    // Writes the job to its data file; marks it saved. Refused for a job without a file name, and
    // as WriteFileAtomically refuses (a read-only file only when not confirmed).
    Status Save(Replace replace = Replace::Unasked);

    // Writes the job to path; on success path becomes the save target and the job is saved.
    Status SaveAs(const std::filesystem::path& path, Replace replace = Replace::Unasked);

    // Writes the work file and runs the report into the workspace's report file.
    Result<RunOutcome> Report(const RunOptions& options = {});

    // Empties slot n: its header, the open rows and its block file; the job is then not saved.
    // Refused, with nothing changed, when the block file cannot be emptied.
    Status DeleteBlock(int n);

    // The user opened the Save Data window: the job is not saved until a save.
    void MarkChanged();

    // The units of a new job ("E" or "M"; "" while none is chosen).
    void SetUnits(const std::string& units);

    // From now on the workspace is the job's recovery data: every change is written to it at once
    // and durably, with a snapshot of the job, to be offered back after a crash (the desktop
    // program's; a command's run has nothing to offer back). A write that fails is told through
    // tell once, and again only after one worked.
    void KeepSnapshots(std::function<void(const Message&)> tell = {});

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
    // a store that cannot be completed changes nothing. Once stored, the file holds what the
    // grid holds: loaded counts it as read.
    Result<BlockRowsLoad> LoadBlockRows(int n) { return sidewalk::LoadBlockRows(job_, ws_, n); }
    Status StoreBlockRows(int n, const GridTexts& grid, BlockRowsLoad& loaded);
    // The open grid's rows, stored at each committed change so that they are kept for recovery;
    // a store that fails is told as a failed keep.
    void KeepGridRows(int n, const GridTexts& grid, BlockRowsLoad& loaded);

    // Undo and Redo: every change above, back to the job as it was made, opened or taken back,
    // and forward again. Back at the last save the job is saved again. Each returns the block
    // files' write failure, if any, with nothing changed.
    const JobStep* ToUndo() const { return history_.ToUndo(); }
    const JobStep* ToRedo() const { return history_.ToRedo(); }
    Status Undo() { return Move(true); }
    Status Redo() { return Move(false); }
    const JobHistory& history() const { return history_; }

    // Every change while it lives is one step of the history, named what ("Paste").
    class Step {
      public:
        Step(Session& session, std::string what) : history_(session.history_) {
            history_.BeginGroup(std::move(what));
        }
        ~Step() { history_.EndGroup(); }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

      private:
        JobHistory& history_;
    };

    // The program ends: the workspace files and folder are deleted. Nothing works after it.
    void Shutdown() { ws_.Shutdown(); }

    // The program is asked to end (logout, shutdown, a closed terminal): work not saved is left
    // as recovery data for the next start, the rest goes as at Shutdown. Nothing works after it.
    void EndKeepingWork();

  private:
    friend struct SessionTestAccess; // tests set a job up directly
    explicit Session(Workspace ws) : ws_(std::move(ws)) {}
    // The one path of every change: applies it, compares the job before and after (or takes
    // the change's word that it changed block n's file), marks the job changed, keeps it and
    // adds what changed to the history as what. It fails only as the change does (a recovery
    // write that fails is told through Kept), so a change that cannot fail ignores its Status.
    template <typename Apply> Status Edit(const char* what, int block, Apply apply);
    // Takes the step back (undo) or does it again.
    Status Move(bool undo);
    // Puts back the values of a step: its before (undo) or after (redo).
    Status Put(const JobStep& step, bool undo);
    // The job is changed (not saved) or, back at the clean state, as it was then; and kept.
    void Mark(bool changed);
    // Block n's file as it stands; none when there is none or it cannot be read.
    std::optional<std::string> BlockFileText(int n) const;
    // Made, opened or saved (saved true only for a save): nothing changed since.
    void Reset(bool saved, FileStamp disk);
    void Keep();                      // writes the snapshot, when snapshots are kept
    void Kept(const Status& written); // tells a failed write once
    Job job_;
    Workspace ws_;
    FileStamp disk_; // the data file as it was last read or written
    bool snapshots_ = false;
    bool changed_ = false; // since the job was made, opened, saved or taken back
    bool saved_ = false;   // the last of those was a save
    bool keepFailing_ = false;
    std::function<void(const Message&)> tell_;
    JobHistory history_;
};

} // namespace sidewalk
