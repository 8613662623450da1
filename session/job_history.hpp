// The job's history of changes, for Undo and Redo: each step holds what one user action changed
// (the index record and units, block headers, block files) with the values it replaced, so that
// it can be taken back and done again in order.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/job.hpp"

namespace sidewalk {

// The job's values outside the block slots: the index record and the units.
struct JobRecord {
    std::string refNum, project, date, engineer, units;
    bool operator==(const JobRecord&) const = default;
};

JobRecord RecordOf(const Job& job);
void PutRecord(Job& job, const JobRecord& record);

// A value before and after a step.
template <typename T> struct Change { T before, after; };

// What one user action changed. A block file without content had no file.
struct JobStep {
    std::string what; // the action, as the Edit menu names it: "Undo " + what
    std::optional<Change<JobRecord>> record;
    std::map<int, Change<BlockHeader>> headers;
    std::map<int, Change<std::optional<std::string>>> files;

    bool empty() const { return !record && headers.empty() && files.empty(); }
    // Takes a later change of the same action into this step: the values first replaced stay.
    void Merge(JobStep later);
    // Memory the step holds, roughly, in bytes.
    std::size_t Bytes() const;
};

// The changes between two states of the job's index record, units and headers.
JobStep Difference(std::string what, const Job& before, const Job& after);

class JobHistory {
  public:
    // Forgets every step; the job as it stands is the clean state (made, opened or saved), or
    // with clean false no state is (a job taken back from an ended run, never saved here).
    void Clear(bool clean = true);
    // The job as it stands is the clean state: saved.
    void MarkClean() { clean_ = at_; }
    bool AtClean() const { return clean_ == at_; }

    // Adds a step after those done; steps undone are forgotten. An empty step is no step.
    void Push(JobStep step);
    // The step Undo takes back, and Redo does again; null when there is none.
    const JobStep* ToUndo() const { return at_ > 0 ? &steps_[at_ - 1] : nullptr; }
    const JobStep* ToRedo() const { return at_ < steps_.size() ? &steps_[at_] : nullptr; }
    // Moves past the step returned by ToUndo or ToRedo.
    void Undone() { --at_; }
    void Redone() { ++at_; }

    // Every change until EndGroup is one step, named what.
    void BeginGroup(std::string what);
    void EndGroup();

    std::size_t size() const { return steps_.size(); }
    std::size_t Bytes() const;

  private:
    std::vector<JobStep> steps_;
    std::size_t at_ = 0;                   // steps done: steps_[0..at_)
    std::optional<std::size_t> clean_ = 0; // at_ when the job was last made, opened or saved
    bool grouping_ = false;
    bool groupStarted_ = false; // the open group has its step
    std::string groupName_;
};

} // namespace sidewalk
