// The steps of the job's history and how a later change joins a step.
#include "session/job_history.hpp"

#include <utility>

namespace sidewalk {

namespace {

// The oldest steps go once there are more: far more than a day's keying takes back.
constexpr std::size_t kMaxSteps = 1000;

template <typename T>
void MergeChanges(std::map<int, Change<T>>& into, std::map<int, Change<T>>& later) {
    for (auto& [n, change] : later) {
        auto [at, added] = into.try_emplace(n, std::move(change));
        if (!added) at->second.after = std::move(change.after);
    }
}

std::size_t BytesOf(const std::string& s) {
    return sizeof s + (s.capacity() > 15 ? s.capacity() : 0);
}

std::size_t BytesOf(const BlockHeader& h) {
    return BytesOf(h.aliTyp) + BytesOf(h.blSide) + BytesOf(h.bcbsw) + BytesOf(h.widsw) +
           BytesOf(h.w1) + BytesOf(h.w2) + BytesOf(h.radiusBl) + BytesOf(h.blkDesc);
}

std::size_t BytesOf(const std::optional<std::string>& file) {
    return sizeof file + (file ? BytesOf(*file) : 0);
}

} // namespace

JobRecord RecordOf(const Job& job) {
    return {job.idxRefNum, job.idxProject, job.idxDate, job.idxEng, job.jobUnits};
}

void PutRecord(Job& job, const JobRecord& record) {
    job.idxRefNum = record.refNum;
    job.idxProject = record.project;
    job.idxDate = record.date;
    job.idxEng = record.engineer;
    job.jobUnits = record.units;
}

void JobStep::Merge(JobStep later) {
    if (!record)
        record = std::move(later.record);
    else if (later.record)
        record->after = std::move(later.record->after);
    MergeChanges(headers, later.headers);
    MergeChanges(files, later.files);
}

std::size_t JobStep::Bytes() const {
    std::size_t bytes = sizeof *this + BytesOf(what);
    if (record) bytes += 10 * sizeof(std::string);
    for (const auto& [n, c] : headers)
        bytes += 64 + BytesOf(c.before) + BytesOf(c.after); // 64: a map node
    for (const auto& [n, c] : files)
        bytes += 64 + BytesOf(c.before) + BytesOf(c.after);
    return bytes;
}

JobStep Difference(std::string what, const Job& before, const Job& after) {
    JobStep step{std::move(what), std::nullopt, {}, {}};
    if (const JobRecord was = RecordOf(before), is = RecordOf(after); was != is)
        step.record = Change<JobRecord>{was, is};
    for (int n = 1; n <= kMaxBlocks; ++n)
        if (before.header(n) != after.header(n))
            step.headers.emplace(n, Change<BlockHeader>{before.header(n), after.header(n)});
    return step;
}

void JobHistory::Clear(bool clean) {
    steps_.clear();
    at_ = 0;
    clean_ = clean ? std::optional<std::size_t>(0) : std::nullopt;
    groupStarted_ = false;
}

void JobHistory::Push(JobStep step) {
    if (step.empty()) return;
    if (grouping_ && groupStarted_ && at_ == steps_.size() && at_ > 0) {
        steps_.back().Merge(std::move(step));
        return;
    }
    if (grouping_) {
        step.what = groupName_;
        groupStarted_ = true;
    }
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(at_), steps_.end());
    if (clean_ && *clean_ > at_) clean_.reset(); // the saved state was undone and is gone
    steps_.push_back(std::move(step));
    ++at_;
    if (steps_.size() > kMaxSteps) {
        steps_.erase(steps_.begin());
        --at_;
        if (clean_) clean_ = *clean_ > 0 ? std::optional(*clean_ - 1) : std::nullopt;
    }
}

void JobHistory::BeginGroup(std::string what) {
    grouping_ = true;
    groupStarted_ = false;
    groupName_ = std::move(what);
}

void JobHistory::EndGroup() {
    grouping_ = false;
    groupStarted_ = false;
}

std::size_t JobHistory::Bytes() const {
    std::size_t bytes = sizeof *this;
    for (const JobStep& step : steps_)
        bytes += step.Bytes();
    return bytes;
}

} // namespace sidewalk
