// The job session's operations.
#include "session/session.hpp"

#include "data/atomic_file.hpp"
#include "data/writer.hpp"

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
    job_.dataSaved = false;
}

ReadResult Session::Open(const fs::path& path) {
    ws_.DeleteBlockFiles();
    ReadResult result = ReadDataFile(job_, ws_, path);
    if (result.read()) job_.dataFileName = path.string();
    job_.dataSaved = false;
    return result;
}

Status Session::Save() {
    if (job_.dataFileName.empty() || job_.dataFileName == kNoName)
        return Failure({"This job has no data file yet. Use Save As to choose one.",
                        "File Output Error", MessageKind::Error});
    if (const Status written = WriteDataFile(job_, ws_, fs::path(job_.dataFileName));
        written.failed())
        return written;
    job_.dataSaved = true;
    return {};
}

Status Session::SaveAs(const fs::path& path) {
    if (const Status written = WriteDataFile(job_, ws_, path); written.failed()) return written;
    job_.dataFileName = path.string();
    job_.dataSaved = true;
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
    job_.dataSaved = false;
    return {};
}

void Session::SetIndexRecord(const std::string& refNum, const std::string& date,
                             const std::string& project, const std::string& engineer) {
    if (refNum != job_.idxRefNum || date != job_.idxDate || project != job_.idxProject ||
        engineer != job_.idxEng)
        MarkChanged();
    job_.idxRefNum = refNum;
    job_.idxDate = date;
    job_.idxProject = project;
    job_.idxEng = engineer;
}

void Session::StoreBlockHeader(int n, const BlockHeaderFields& fields) {
    const BlockHeader before = job_.header(n);
    sidewalk::StoreBlockHeader(job_, n, fields);
    if (!(job_.header(n) == before)) MarkChanged();
}

Status Session::StoreBlockRows(int n, const GridTexts& grid, const BlockRowsLoad& loaded) {
    const auto rowsBefore = job_.rows;
    const std::string descriptionBefore = job_.header(n).blkDesc;
    if (const Status stored = sidewalk::StoreBlockRows(job_, ws_, n, grid, loaded); stored.failed())
        return stored;
    if (job_.rows != rowsBefore || job_.header(n).blkDesc != descriptionBefore) MarkChanged();
    return {};
}

} // namespace sidewalk
