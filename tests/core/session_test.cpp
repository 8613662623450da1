// The job session: New, Open, Save, Save As, Report and DeleteBlock, with the save target and
// DataSaved after each, and files no card file could be; what each operation leaves changed,
// saved and kept for recovery; a data file changed by someone else before a save.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "data/file_text.hpp"
#include "session/recovery_dir.hpp"
#include "session/runtime_dir.hpp"
#include "session/session.hpp"
#include "session/snapshot.hpp"
#include "session_access.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

using test::kEnglish;

// The English sample copied to dir, so that saving it touches no file of the source tree.
fs::path SampleJob(const test::Scratch& dir) {
    const fs::path job = dir / "JOB.V41";
    WriteText(job, ReadText(kEnglish));
    return job;
}

Session MakeSession() {
    auto session = Session::Create();
    if (!session) ADD_FAILURE() << session.error().text;
    return std::move(*session); // throws, and so fails the test, rather than read nothing
}

struct RejectedRow {
    std::string name, reason;
};

class SessionRejects : public testing::TestWithParam<RejectedRow> {};

TEST_P(SessionRejects, AFileThatNeverBecomesTheSaveTarget) {
    const test::Scratch dir;
    WriteText(dir / "NOTES.TXT", "not a card file\r\n");
    WriteText(dir / "HUGE.IMG", "CRZ41\r\n");
    fs::resize_file(dir / "HUGE.IMG", kMaxTextFileBytes + 1); // sparse: no disk used
    ASSERT_EQ(::mkfifo((dir / "PIPE.V41").c_str(), 0600), 0); // nobody writes: never waited on
    fs::create_directory(dir / "FOLDER.V41");
    const fs::path job = SampleJob(dir);
    Session s = MakeSession();
    ASSERT_TRUE(s.Open(job).has_value());
    ASSERT_TRUE(s.Save().has_value()); // saved once, so that Open visibly clears DataSaved
    const Result<CardFileRead> r = s.Open(dir / GetParam().name);
    ASSERT_FALSE(r);
    EXPECT_NE(r.error().text.find(GetParam().reason), std::string::npos) << r.error().text;
    EXPECT_EQ(SessionTestAccess::JobOf(s).dataFileName, job.string());
    EXPECT_FALSE(SessionTestAccess::JobOf(s).dataSaved);
    EXPECT_FALSE(fs::exists(s.workspace().BlockFileName(1)));
}

INSTANTIATE_TEST_SUITE_P(Files, SessionRejects, testing::ValuesIn(std::vector<RejectedRow>{
    {"NOTES.TXT", "Invalid File - Select Another File!"},
    {"MISSING.V41", std::strerror(ENOENT)},
    {"HUGE.IMG", "larger than 16 MB"},
    {"PIPE.V41", "a named pipe, a device or a socket"},
    {"FOLDER.V41", std::strerror(EISDIR)},
}), test::RowName());

TEST(Session, AStreamWithoutEndIsRefusedUnread) {
    std::istringstream endless("CRZ41\r\n" + std::string(kMaxTextFileBytes, 'x'));
    Session s = MakeSession();
    EXPECT_FALSE(ReadDataFile(SessionTestAccess::JobOf(s), s.workspace(), endless, "/dev/zero"));
}

// Every operation, from a job just opened: whether it leaves the job changed and saved, and the
// recovery data saying the same at once.
TEST(Session, EachOperationMarksChangedSavedAndKept) {
    const test::Scratch dir;
    const fs::path job = SampleJob(dir);
    auto rows = [](Session& s, const char* type) {
        BlockRowsLoad loaded = s.LoadBlockRows(1).value_or({1});
        GridTexts grid = s.job().rows;
        if (*type != '\0') grid[1].type = type;
        return s.StoreBlockRows(1, grid, loaded);
    };
    // clang-format off
    const struct { const char* name; std::function<void(Session&)> op; bool changed, saved; } cases[] = {
        {"opened", [](Session&) {}, false, false},
        {"index record as it was", [](Session& s) { s.SetIndexRecord("DT-0412", "04/17/2006", "4417-021-03", "T. HOLLOWAY"); }, false, false},
        {"index record changed", [](Session& s) { s.SetIndexRecord("R-2", "", "", ""); }, true, false},
        {"block header as it was", [](Session& s) { s.StoreBlockHeader(1, LoadBlockHeader(s.job(), 1)); }, false, false},
        {"block header changed", [](Session& s) { auto f = LoadBlockHeader(s.job(), 1); f.blkDesc = "NEW"; s.StoreBlockHeader(1, f); }, true, false},
        {"rows as they were", [&](Session& s) { ASSERT_TRUE(rows(s, "").has_value()); }, false, false},
        {"rows changed", [&](Session& s) { ASSERT_TRUE(rows(s, "7").has_value()); }, true, false},
        {"block deleted", [](Session& s) { ASSERT_TRUE(s.DeleteBlock(2).has_value()); }, true, false},
        {"save window opened", [](Session& s) { s.MarkChanged(); }, true, false},
        {"changed, saved", [](Session& s) { s.MarkChanged(); ASSERT_TRUE(s.Save().has_value()); }, false, true},
        {"changed, save as failed", [&](Session& s) { s.MarkChanged(); ASSERT_TRUE(s.SaveAs(dir / "NO" / "J.V41").failed()); }, true, false},
        {"report run", [](Session& s) { ASSERT_TRUE(s.Report()); }, false, false},
        {"new, units chosen", [](Session& s) { s.MarkChanged(); s.New(); s.SetUnits("M"); }, false, false},
        {"new, changed, saved without a name", [](Session& s) { s.New(); s.MarkChanged(); ASSERT_TRUE(s.Save().failed()); }, true, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        Session s = MakeSession();
        ASSERT_TRUE(s.Open(job).has_value());
        s.KeepSnapshots();
        c.op(s);
        EXPECT_EQ(s.changed(), c.changed) << c.name;
        EXPECT_EQ(s.job().dataSaved, c.saved) << c.name;
        const Snapshot kept = ReadSnapshot(ReadText(s.workspace().File(kSnapshotName)));
        EXPECT_EQ(kept.changed, c.changed) << c.name;
    }
}

// A recovery write that fails is told once, tried again at each change, and told again only
// after one worked.
TEST(Session, AFailedRecoveryWriteIsToldOnce) {
    Session s = MakeSession();
    std::vector<std::string> told;
    s.KeepSnapshots([&told](const Message& m) { told.push_back(m.text); });
    const fs::path snapshot = s.workspace().File(kSnapshotName);
    fs::remove(snapshot);
    fs::create_directory(snapshot); // nothing can be renamed over it
    s.MarkChanged();
    s.SetIndexRecord("R-1", "", "", ""); // tried again, not told again
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], "Your changes cannot be kept for recovery: cannot write the file " +
                           snapshot.string() + ": Is a directory. Save the job to keep them.");
    fs::remove(snapshot);
    s.SetIndexRecord("R-2", "", "", "");
    EXPECT_EQ(ReadSnapshot(ReadText(snapshot)).job.idxRefNum, "R-2");
    fs::remove(snapshot);
    fs::create_directory(snapshot);
    s.SetIndexRecord("R-3", "", "", "");
    EXPECT_EQ(told.size(), 2u);
}

// Before a save: the data file still holds what was opened or last saved. A file only touched
// holds the same bytes, and writing over it loses nothing.
TEST(Session, ADataFileChangedOnDiskIsFound) {
    const test::Scratch dir;
    std::string sameSize = ReadText(kEnglish);
    sameSize[10] = sameSize[10] == '1' ? '2' : '1';
    // clang-format off
    const struct { const char* name; std::function<void(const fs::path&)> change; bool found; } cases[] = {
        {"untouched", [](const fs::path&) {}, false},
        {"rewritten", [](const fs::path& f) { WriteText(f, "CRZ41\r\n"); }, true},
        {"same size, other bytes", [&](const fs::path& f) { WriteText(f, sameSize); }, true},
        {"touched only", [](const fs::path& f) { fs::last_write_time(f, fs::last_write_time(f) + std::chrono::hours(1)); }, false},
        {"deleted", [](const fs::path& f) { fs::remove(f); }, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        const fs::path job = SampleJob(dir);
        Session s = MakeSession();
        ASSERT_TRUE(s.Open(job).has_value());
        c.change(job);
        EXPECT_EQ(s.ChangedOnDisk(), c.found) << c.name;
        ASSERT_TRUE(s.Save().has_value());
        EXPECT_FALSE(s.ChangedOnDisk()) << c.name; // the save is the file's state now
    }
}

// The recovery data outlives a reboot: under the state folder, wherever the runtime folder is; a
// relative XDG_STATE_HOME is none.
TEST(Session, RecoveryDataIsKeptInTheStateFolder) {
    const test::Scratch home;
    const std::string oldHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    ::setenv("HOME", home.path().c_str(), 1);
    for (const std::string& state : {(home / "state").string(), std::string("relative")}) {
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
        const fs::path folder =
            (state[0] == '/' ? fs::path(state) : home / ".local/state") / "sidewalk";
        EXPECT_EQ(*RecoveryParent(), folder);
        EXPECT_EQ(fs::status(folder).permissions(), fs::perms(0700)) << state;
    }
    ::unsetenv("XDG_STATE_HOME");
    ::setenv("HOME", oldHome.c_str(), 1);
}

// The runtime folder and TMPDIR hold a workspace only when no other user can change what is made
// there: a folder of the user's that only they can write to, or a sticky one for TMPDIR.
TEST(Session, OnlyFoldersOfOurOwnHoldAWorkspace) {
    const test::Scratch base;
    const fs::path run = base / "run", tmp = base / "tmp";
    // modes of the runtime folder and TMPDIR; owner: another user's runtime folder (as root)
    // clang-format off
    const struct { const char* name; int run, tmp; bool other; const char* chosen; } cases[] = {
        {"private runtime folder", 0700, 0700, false, "run"}, {"runtime folder open to all", 0777, 0700, false, "tmp"},
        {"sticky runtime folder", 01777, 0700, false, "tmp"}, {"sticky temporary folder", 0777, 01777, false, "tmp"},
        {"runtime folder of another user", 0700, 0700, true, "tmp"}, {"none fit", 0777, 0777, false, ""}};
    // clang-format on
    for (const auto& c : cases) {
        fs::remove_all(run);
        fs::create_directory(run);
        fs::create_directory(tmp);
        ::chmod(run.c_str(), static_cast<mode_t>(c.run));
        ::chmod(tmp.c_str(), static_cast<mode_t>(c.tmp));
        if (c.other && (::geteuid() != 0 || ::chown(run.c_str(), 65534, 65534) != 0)) continue;
        ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
        ::setenv("TMPDIR", tmp.c_str(), 1);
        const Result<fs::path> chosen = WorkspaceParent();
        EXPECT_EQ(chosen ? chosen->filename().string() : "", c.chosen) << c.name;
    }
    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("TMPDIR");
}

} // namespace
} // namespace sidewalk
