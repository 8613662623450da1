// The job session's operations.
#include "session/session.hpp"

#include <cerrno>
#include <ctime>

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

void Session::New() {
    job_.dataFileName = kNoName;
    ClearJob(job_);
    ws_.DeleteBlockFiles();
    Saved(false);
}

ReadResult Session::Open(const fs::path& path) {
    ws_.DeleteBlockFiles();
    ReadResult result = ReadDataFile(job_, ws_, path);
    if (result.read()) job_.dataFileName = path.string();
    Saved(false);
    return result;
}

void Session::Changed() {
    job_.dataSaved = false;
    changed_ = true;
    Snap();
}

void Session::Saved(bool is) {
    job_.dataSaved = is;
    changed_ = false;
    Snap();
}

void Session::Snap() {
    // A snapshot that cannot be written costs only the offer after a crash; the work goes on.
    if (snapshots_)
        (void)ReplaceWorkspaceFile(ws_.File(kSnapshotName),
                                   SnapshotText(job_, changed_, SnapshotClock()));
}

Status Session::Adopt(Recoverable& ended) {
    // The ended run's block files become this run's, then its headers and names.
    ws_.DeleteBlockFiles();
    for (int n = 1; n <= kMaxBlocks; ++n) {
        const fs::path from = ended.folder / fs::path(ws_.BlockFileName(n)).filename();
        FileBytes bytes;
        if (const int error = ReadWholeFile(from.string(), bytes); error == ENOENT) {
            continue;
        } else if (error != 0) {
            New(); // no job half taken over; the ended run's folder stays for the next start
            return Failure({"Cannot read the rows of block " + std::to_string(n) + " from " +
                                from.string() + ": " + ReadErrorText(error),
                            "Recover Unsaved Job", MessageKind::Error});
        }
        if (const Status copied = ReplaceWorkspaceFile(ws_.BlockFileName(n), bytes.view());
            copied.failed()) {
            New();
            return copied;
        }
    }
    job_ = ended.snapshot.job;
    ClearBlockRows(job_);
    job_.blockNo = 0;
    Changed();
    Discard(ended);
    return {};
}

void Session::KeepSnapshots() {
    snapshots_ = true;
    Snap();
}

void Session::SetUnits(const std::string& units) {
    job_.jobUnits = units;
    Snap();
}

Status Session::Save() {
    if (job_.dataFileName.empty() || job_.dataFileName == kNoName)
        return Failure({"This job has no data file yet. Use Save As to choose one.",
                        "File Output Error", MessageKind::Error});
    if (const Status written = WriteDataFile(job_, ws_, fs::path(job_.dataFileName));
        written.failed())
        return written;
    Saved(true);
    return {};
}

Status Session::SaveAs(const fs::path& path) {
    if (const Status written = WriteDataFile(job_, ws_, path); written.failed()) return written;
    job_.dataFileName = path.string();
    Saved(true);
    return {};
}

Result<RunOutcome> Session::Report(const RunOptions& options) {
    const Result<std::string> work = WriteWorkFile(job_, ws_);
    if (!work) return Failure(work.error());
    return RunWorkText(ws_, *work, options);
}

Status Session::DeleteBlock(int n) {
    if (const Status emptied = ReplaceWorkspaceFile(ws_.BlockFileName(n), ""); emptied.failed())
        return emptied;
    job_.header(n) = BlockHeader{};
    ClearBlockRows(job_);
    Changed();
    return {};
}

void Session::SetIndexRecord(const std::string& refNum, const std::string& date,
                             const std::string& project, const std::string& engineer) {
    const bool changed = refNum != job_.idxRefNum || date != job_.idxDate ||
                         project != job_.idxProject || engineer != job_.idxEng;
    job_.idxRefNum = refNum;
    job_.idxDate = date;
    job_.idxProject = project;
    job_.idxEng = engineer;
    if (changed) Changed();
}

void Session::StoreBlockHeader(int n, const BlockHeaderFields& fields) {
    const BlockHeader before = job_.header(n);
    sidewalk::StoreBlockHeader(job_, n, fields);
    if (!(job_.header(n) == before)) Changed();
}

Status Session::StoreBlockRows(int n, const GridTexts& grid, const BlockRowsLoad& loaded) {
    const auto rowsBefore = job_.rows;
    const std::string descriptionBefore = job_.header(n).blkDesc;
    if (const Status stored = sidewalk::StoreBlockRows(job_, ws_, n, grid, loaded); stored.failed())
        return stored;
    if (job_.rows != rowsBefore || job_.header(n).blkDesc != descriptionBefore) Changed();
    return {};
}

} // namespace sidewalk
