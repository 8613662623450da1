// The job session's operations.
#include "session/session.hpp"

#include <cctype>
#include <cerrno>

#include "data/atomic_file.hpp"
#include "data/file_text.hpp"
#include "data/writer.hpp"
#include "session/snapshot.hpp"
#include "session/stale_workspaces.hpp"

namespace sidewalk {

namespace fs = std::filesystem;

Result<Session> Session::Create(const fs::path& parent) {
    Result<Workspace> ws = Workspace::Create(parent);
    if (!ws) return Failure(ws.error());
    if (const Status written = ws->WriteVersionFile(); written.failed())
        return Failure(written.error());
    return Session(std::move(*ws));
}

template <typename Apply> Status Session::Edit(const char* what, int block, Apply apply) {
    const Job before = job_;
    const std::optional<std::string> fileBefore = block > 0 ? BlockFileText(block) : std::nullopt;
    bool wroteBlockFile = false;
    if (const Status applied = apply(wroteBlockFile); applied.failed()) return applied;
    if (!wroteBlockFile && job_ == before) return {};
    JobStep step = Difference(what, before, job_);
    if (block > 0)
        if (std::optional<std::string> after = BlockFileText(block); after != fileBefore)
            step.files.emplace(block, Change<std::optional<std::string>>{fileBefore, after});
    history_.Push(std::move(step));
    Mark(true);
    return {};
}

void Session::Mark(bool changed) {
    if (changed && snapshots_ && !ws_.durable()) {
        // The first change since the job was made, opened or saved: what the workspace holds
        // becomes work to keep, and is on disk before the snapshot says so.
        Kept(ws_.SyncFiles());
        ws_.KeepDurably(true);
    }
    changed_ = changed;
    job_.dataSaved = !changed && saved_;
    Keep();
}

std::optional<std::string> Session::BlockFileText(int n) const {
    // A file that cannot be read is no change of the history's: its store fails as well.
    const Result<FileBytes> bytes = ws_.Read(ws_.BlockFileName(n));
    return bytes ? std::optional<std::string>(bytes->view()) : std::nullopt;
}

Status Session::Put(const JobStep& step, bool undo) {
    // The files first: the only part that can fail, put back as they were when one does.
    std::vector<int> written;
    for (const auto& [n, change] : step.files) {
        const std::optional<std::string>& text = undo ? change.before : change.after;
        if (const Status put = ws_.Write(ws_.BlockFileName(n), text.value_or("")); put.failed()) {
            for (int done : written) {
                const auto& back = step.files.at(done);
                // Best effort: the file that failed is told; these were just written, so
                // writing them again works as well as that did.
                (void)ws_.Write(ws_.BlockFileName(done),
                                (undo ? back.after : back.before).value_or(""));
            }
            return put;
        }
        written.push_back(n);
    }
    if (step.record) PutRecord(job_, undo ? step.record->before : step.record->after);
    for (const auto& [n, change] : step.headers)
        job_.header(n) = undo ? change.before : change.after;
    // The open grid's rows follow their file; the window, if open, shows them again.
    if (job_.blockNo > 0 && step.files.contains(job_.blockNo)) {
        const Result<BlockRowsLoad> reloaded = LoadBlockRows(job_.blockNo);
        (void)reloaded; // a file just written reads back; if not, the rows stay empty, not wrong
    }
    return {};
}

Status Session::Move(bool undo) {
    const JobStep* step = undo ? history_.ToUndo() : history_.ToRedo();
    if (step == nullptr) return {};
    if (const Status put = Put(*step, undo); put.failed()) return put;
    if (undo)
        history_.Undone();
    else
        history_.Redone();
    Mark(!history_.AtClean());
    return {};
}

void Session::Reset(bool saved, FileStamp disk) {
    if (saved)
        history_.MarkClean();
    else
        history_.Clear();
    changed_ = false;
    saved_ = saved;
    job_.dataSaved = saved;
    disk_ = disk;
    ws_.KeepDurably(false); // nothing to keep until the next change
    Keep();
}

void Session::Keep() {
    if (!snapshots_) return;
    const Snapshot snapshot{job_, changed_, SnapshotClock(), disk_, {}};
    Kept(ws_.Write(ws_.File(kSnapshotName), SnapshotText(snapshot), Keep::Durable));
}

void Session::Kept(const Status& written) {
    if (!written.failed()) {
        keepFailing_ = false;
        return;
    }
    if (keepFailing_) return; // told already; tried again at every change
    keepFailing_ = true;
    if (!tell_) return;
    std::string reason = written.error().text;
    if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(reason[0]));
    if (reason.ends_with('.')) reason.pop_back();
    tell_({"Your changes cannot be kept for recovery: " + reason + ". Save the job to keep them.",
           "Recovery Data", MessageKind::Warning});
}

void Session::New() {
    job_.dataFileName = kNoName;
    ClearJob(job_);
    ws_.DeleteBlockFiles();
    Reset(false, {});
}

Result<CardFileRead> Session::Open(const fs::path& path) {
    ws_.DeleteBlockFiles();
    // Stamped before it is read: a change made meanwhile is found at the save, never missed.
    const FileStamp disk = StampOf(path);
    Result<CardFileRead> result = ReadDataFile(job_, ws_, path);
    if (result) job_.dataFileName = path.string();
    Reset(false, result ? disk : disk_);
    return result;
}

Result<CardFileRead> Session::Open(std::istream& in, std::string_view name) {
    ws_.DeleteBlockFiles();
    Result<CardFileRead> result = ReadDataFile(job_, ws_, in, name);
    if (result) job_.dataFileName = kNoName;
    Reset(false, result ? FileStamp{} : disk_);
    return result;
}

bool Session::ChangedOnDisk() const {
    if (job_.dataFileName.empty() || job_.dataFileName == kNoName) return false;
    return ChangedSince(disk_, StampOf(job_.dataFileName));
}

Status Session::Adopt(Recoverable& ended) {
    // The ended run's block files become this run's, then its headers and names.
    ws_.DeleteBlockFiles();
    Job job = ended.snapshot.job;
    for (int n = 1; n <= kMaxBlocks; ++n) {
        const std::string name = fs::path(ws_.BlockFileName(n)).filename().string();
        const fs::path from = ended.folder / name;
        long long when = 0;
        const Result<std::string> bytes = ReadEndedFile(ended.lock.get(), name, when);
        if (!bytes) {
            const int error = bytes.error().systemError;
            if (error == ENOENT) continue;
            New(); // no job half taken over; the ended run's folder stays for the next start
            return Failure(RowsUnreadable(n, from.string(), error, "Recover Unsaved Job"));
        }
        if (const Status copied = ws_.Write(ws_.BlockFileName(n), *bytes); copied.failed()) {
            New();
            return copied;
        }
        // Rows whose header a damaged snapshot lost come back in a block of the Block
        // Identification window's defaults, named so that it is seen and kept at the next save.
        if (!bytes->empty() && job.header(n) == BlockHeader{})
            job.header(n) = {
                "T", "R", "", "",
                "",  "",  "", "BLOCK NUMBER " + std::to_string(n) + " - HEADER NOT RECOVERED"};
    }
    job_ = job;
    ClearBlockRows(job_);
    job_.blockNo = 0;
    Reset(false, ended.snapshot.disk);
    history_.Clear(false); // taken back unsaved: no state of its history is the saved one
    (void)Edit("", 0, [](bool& wrote) {
        wrote = true; // taken back: not saved
        return Status{};
    });
    Discard(ended);
    return {};
}

void Session::KeepSnapshots(std::function<void(const Message&)> tell) {
    snapshots_ = true;
    tell_ = std::move(tell);
    Keep();
}

void Session::MarkChanged() {
    (void)Edit("", 0, [](bool& wrote) {
        wrote = true;
        return Status{};
    });
}

void Session::SetUnits(const std::string& units) {
    // The units of a job not yet keyed: nothing to save, but kept with it, and a step of its
    // history that leaves a job as clean as it was.
    const bool clean = history_.AtClean() && !changed_;
    const JobRecord before = RecordOf(job_);
    job_.jobUnits = units;
    if (const JobRecord after = RecordOf(job_); after != before)
        history_.Push(JobStep{"Units", Change<JobRecord>{before, after}, {}, {}});
    if (clean) history_.MarkClean();
    Keep();
}

Status Session::Save(Replace replace) {
    if (job_.dataFileName.empty() || job_.dataFileName == kNoName)
        return Failure({"This job has no data file yet. Use Save As to choose one.",
                        "File Output Error", MessageKind::Error});
    return SaveAs(job_.dataFileName, replace);
}

Status Session::SaveAs(const fs::path& path, Replace replace) {
    if (const Status written = WriteDataFile(job_, ws_, path, replace); written.failed())
        return written;
    job_.dataFileName = path.string();
    Reset(true, StampOf(path));
    return {};
}

Result<RunOutcome> Session::Report(const RunOptions& options) {
    const Result<std::string> work = WriteWorkFile(job_, ws_);
    if (!work) return Failure(work.error());
    return RunWorkText(ws_, *work, options);
}

Status Session::DeleteBlock(int n) {
    return Edit("Delete Block", n, [&](bool& wrote) -> Status {
        if (const Status emptied = ws_.Write(ws_.BlockFileName(n), ""); emptied.failed())
            return emptied;
        wrote = true;
        job_.header(n) = BlockHeader{};
        ClearBlockRows(job_);
        return {};
    });
}

void Session::SetIndexRecord(const std::string& refNum, const std::string& date,
                             const std::string& project, const std::string& engineer) {
    (void)Edit("Index Record", 0, [&](bool&) {
        job_.idxRefNum = refNum;
        job_.idxDate = date;
        job_.idxProject = project;
        job_.idxEng = engineer;
        return Status{};
    });
}

void Session::StoreBlockHeader(int n, const BlockHeaderFields& fields) {
    (void)Edit("Block Data", 0, [&](bool&) {
        sidewalk::StoreBlockHeader(job_, n, fields);
        return Status{};
    });
}

Status Session::StoreBlockRows(int n, const GridTexts& grid, BlockRowsLoad& loaded) {
    return Edit("Typing", n, [&](bool&) -> Status {
        if (const Status stored = sidewalk::StoreBlockRows(job_, ws_, n, grid, loaded);
            stored.failed())
            return stored;
        loaded.block = n;
        loaded.fileRead = true;
        return {};
    });
}

void Session::KeepGridRows(int n, const GridTexts& grid, BlockRowsLoad& loaded) {
    if (const Status stored = StoreBlockRows(n, grid, loaded); stored.failed()) Kept(stored);
}

void Session::EndKeepingWork() {
    if (snapshots_ && changed_) {
        Keep();
        ws_.LeaveForRecovery();
    } else {
        ws_.Shutdown();
    }
}

} // namespace sidewalk
