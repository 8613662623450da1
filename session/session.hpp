// The job session: the one job being edited and its private workspace, with the operations the
// desktop windows and the sidewalk-report command share. Each operation returns its problems
// as messages for the caller to show.
#pragma once

#include <filesystem>
#include <optional>

#include "compute/run_report.hpp"
#include "data/job.hpp"
#include "data/message.hpp"
#include "data/reader.hpp"
#include "data/workspace.hpp"

namespace sidewalk {

class Session {
  public:
    // Makes the workspace inside parent (/tmp when empty) and
    // writes its version record. Returns nothing and sets error when either fails.
    static std::optional<Session> Create(Message& error, const std::filesystem::path& parent = {});

    Job& job() { return job_; }
    const Job& job() const { return job_; }
    const Workspace& workspace() const { return ws_; }

    // A new job: "NoName", cleared, no block files, not saved. The units are chosen afterwards.
    void New();

    // Reads a data file into the job. The path becomes the save target only when the file was
    // read (wholly or up to a limit); a rejected or unreadable file leaves the old one.
    ReadResult Open(const std::filesystem::path& path);

    // Writes the job to its data file; marks it saved. Refused for a job without a file name.
    std::optional<Message> Save();

    // Writes the job to path; on success path becomes the save target and the job is saved.
    std::optional<Message> SaveAs(const std::filesystem::path& path);

    // Writes the work file and runs the report into the workspace's report file.
    RunOutcome Report(const RunOptions& options = {});

    // Empties slot n: its header, the open rows and its block file; the job is then not saved.
    // Refused, with nothing changed, when the block file cannot be emptied.
    std::optional<Message> DeleteBlock(int n);

    // The user changed a stored value: the job is no longer saved.
    void MarkChanged() { job_.dataSaved = false; }

    // The program ends: the workspace files and folder are deleted. Nothing works after it.
    void Shutdown() { ws_.Shutdown(); }

  private:
    explicit Session(Workspace ws) : ws_(std::move(ws)) {}
    Job job_;
    Workspace ws_;
};

} // namespace sidewalk
