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

template <typename Apply> Status Session::Edit(Apply apply) {
    const Job before = job_;
    bool wroteBlockFile = false;
    if (const Status applied = apply(wroteBlockFile); applied.failed()) return applied;
    if (!wroteBlockFile && job_ == before) return {};
    if (snapshots_ && !ws_.durable()) {
        // The first change since the job was made, opened or saved: what the workspace holds
        // becomes work to keep, and is on disk before the snapshot says so.
        Kept(ws_.SyncFiles());
        ws_.KeepDurably(true);
    }
    changed_ = true;
    job_.dataSaved = false;
    Keep();
    return {};
}

void Session::Reset(bool saved, FileStamp disk) {
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
    (void)Edit([](bool& wrote) {
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
    (void)Edit([](bool& wrote) {
        wrote = true;
        return Status{};
    });
}

void Session::SetUnits(const std::string& units) {
    job_.jobUnits = units;
    Keep(); // the units of a job not yet keyed: nothing to save, but kept with it
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
    return Edit([&](bool& wrote) -> Status {
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
    (void)Edit([&](bool&) {
        job_.idxRefNum = refNum;
        job_.idxDate = date;
        job_.idxProject = project;
        job_.idxEng = engineer;
        return Status{};
    });
}

void Session::StoreBlockHeader(int n, const BlockHeaderFields& fields) {
    (void)Edit([&](bool&) {
        sidewalk::StoreBlockHeader(job_, n, fields);
        return Status{};
    });
}

Status Session::StoreBlockRows(int n, const GridTexts& grid, BlockRowsLoad& loaded) {
    return Edit([&](bool&) -> Status {
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
