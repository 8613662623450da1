// The job session's operations.
#include "session/session.hpp"

#include "data/atomic_file.hpp"
#include "data/writer.hpp"

namespace sidewalk {

namespace fs = std::filesystem;

std::optional<Session> Session::Create(Message& error, const fs::path& parent) {
    std::optional<Workspace> ws = Workspace::Create(error, parent);
    if (!ws) return std::nullopt;
    if (auto failed = ws->WriteVersionFile()) {
        error = *failed;
        return std::nullopt;
    }
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

std::optional<Message> Session::Save() {
    if (job_.dataFileName.empty() || job_.dataFileName == kNoName)
        return Message{"This job has no data file yet. Use Save As to choose one.",
                       "File Output Error", MessageKind::Error};
    if (auto error = WriteDataFile(job_, ws_, fs::path(job_.dataFileName))) return error;
    job_.dataSaved = true;
    return std::nullopt;
}

std::optional<Message> Session::SaveAs(const fs::path& path) {
    if (auto error = WriteDataFile(job_, ws_, path)) return error;
    job_.dataFileName = path.string();
    job_.dataSaved = true;
    return std::nullopt;
}

RunOutcome Session::Report(const RunOptions& options) {
    std::string work;
    if (auto error = WriteWorkFile(job_, ws_, work)) {
        RunOutcome failed;
        failed.error = error;
        return failed;
    }
    return RunWorkText(ws_, work, options);
}

std::optional<Message> Session::DeleteBlock(int n) {
    if (auto error = ReplaceWorkspaceFile(ws_.BlockFileName(n), "")) return error;
    job_.header(n) = BlockHeader{};
    ClearBlockRows(job_);
    job_.dataSaved = false;
    return std::nullopt;
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

std::optional<Message> Session::StoreBlockRows(int n, const GridTexts& grid,
                                               const BlockRowsLoad& loaded) {
    const auto rowsBefore = job_.rows;
    const std::string descriptionBefore = job_.header(n).blkDesc;
    if (auto error = sidewalk::StoreBlockRows(job_, ws_, n, grid, loaded)) return error;
    if (job_.rows != rowsBefore || job_.header(n).blkDesc != descriptionBefore) MarkChanged();
    return std::nullopt;
}

} // namespace sidewalk
