// Writing and reading the job's snapshot.
#include "session/snapshot.hpp"

#include <charconv>
#include <chrono>
#include <optional>
#include <vector>

#include "data/number.hpp"

namespace sidewalk {

namespace {

constexpr std::string_view kFirstLine = "SIDEWALK JOB SNAPSHOT 1";

void Escaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

// The tab-separated fields of a line, unescaped; nothing for a broken escape.
std::optional<std::vector<std::string>> Fields(std::string_view line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c != '\\') {
            fields.back() += c;
        } else if (++i < line.size()) {
            const char e = line[i];
            if (e != '\\' && e != 't' && e != 'n' && e != 'r') return std::nullopt;
            fields.back() += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : '\\';
        } else {
            return std::nullopt;
        }
    }
    return fields;
}

} // namespace

long long SnapshotClock() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string SnapshotText(const Snapshot& snapshot) {
    const Job& job = snapshot.job;
    std::string out(kFirstLine);
    auto line = [&out](std::string_view key, std::initializer_list<std::string_view> values) {
        out += '\n';
        out += key;
        for (std::string_view v : values) {
            out += '\t';
            Escaped(out, v);
        }
    };
    line("changed", {snapshot.changed ? "1" : "0"});
    line("when", {std::to_string(snapshot.when)});
    const FileStamp& disk = snapshot.disk;
    line("disk", {disk.exists ? "1" : "0", std::to_string(disk.size), std::to_string(disk.modified),
                  std::to_string(disk.hash)});
    line("saved", {job.dataSaved ? "1" : "0"});
    line("file", {job.dataFileName});
    line("tag", {job.fileTag});
    line("units", {job.jobUnits});
    line("index", {job.idxRefNum, job.idxDate, job.idxProject, job.idxEng});
    for (int n = 1; n <= kMaxBlocks; ++n) {
        const BlockHeader& h = job.header(n);
        if (h == BlockHeader{}) continue;
        line("block", {std::to_string(n), h.aliTyp, h.blSide, h.bcbsw, h.widsw, h.w1, h.w2,
                       h.radiusBl, h.blkDesc});
    }
    out += '\n';
    return out;
}

Snapshot ReadSnapshot(std::string_view text) {
    Snapshot s;
    s.changed = true; // until the snapshot itself says otherwise
    if (!text.starts_with(kFirstLine) || text.size() < kFirstLine.size() + 1 ||
        text[kFirstLine.size()] != '\n') {
        s.damage = "it is not a job snapshot";
        return s;
    }
    Job& job = s.job;
    int unread = 0;
    std::size_t at = kFirstLine.size() + 1;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) break; // cut short: its last line is not whole
        const auto fields = Fields(text.substr(at, end - at));
        at = end + 1;
        const std::string key = fields ? (*fields)[0] : std::string();
        const auto want = [&](std::size_t count) { return fields->size() == count + 1; };
        const auto number = [&](std::size_t i, auto& value) {
            const std::string& f = (*fields)[i];
            return std::from_chars(f.data(), f.data() + f.size(), value).ec == std::errc{};
        };
        long long value = 0;
        if (key == "changed" && want(1)) {
            s.changed = (*fields)[1] == "1";
        } else if (key == "when" && want(1) && number(1, value)) {
            s.when = value;
        } else if (key == "disk" && want(4) && number(2, s.disk.size) &&
                   number(3, s.disk.modified) && number(4, s.disk.hash)) {
            s.disk.exists = (*fields)[1] == "1";
        } else if (key == "saved" && want(1)) {
            job.dataSaved = (*fields)[1] == "1";
        } else if (key == "file" && want(1)) {
            job.dataFileName = (*fields)[1];
        } else if (key == "tag" && want(1)) {
            job.fileTag = (*fields)[1];
        } else if (key == "units" && want(1)) {
            job.jobUnits = (*fields)[1];
        } else if (key == "index" && want(4)) {
            job.idxRefNum = (*fields)[1];
            job.idxDate = (*fields)[2];
            job.idxProject = (*fields)[3];
            job.idxEng = (*fields)[4];
        } else if (key == "block" && want(9) && number(1, value) && value >= 1 &&
                   value <= kMaxBlocks) {
            const auto& f = *fields;
            job.header(static_cast<int>(value)) = {f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]};
        } else {
            ++unread;
        }
    }
    if (at < text.size()) {
        s.damage = "it was cut short";
        s.changed = true;
    } else if (unread > 0) {
        s.damage =
            std::to_string(unread) + (unread == 1 ? " line" : " lines") + " of it cannot be read";
        s.changed = true;
    }
    return s;
}

std::string SnapshotTime(long long when) {
    const auto seconds = static_cast<std::time_t>(when / 1000);
    std::tm tm{};
    localtime_r(&seconds, &tm);
    return Format(tm.tm_mon + 1, "00") + "/" + Format(tm.tm_mday, "00") + "/" +
           Format(tm.tm_year + 1900, "0000") + " " + Format(tm.tm_hour, "00") + ":" +
           Format(tm.tm_min, "00");
}

} // namespace sidewalk
