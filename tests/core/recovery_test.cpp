// Work not saved outlives a killed run or one asked to end: a child process changes a job through
// the session and is killed or ends; a new session finds its workspace and takes the job back
// unsaved, or declines it. The snapshot keeps every byte of every value, and a damaged one gives
// what can be read.
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "killed_run.hpp"
#include "session/session.hpp"
#include "session/stale_workspaces.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;

using test::KilledRun;

TEST(Recovery, AKilledRunsChangesComeBackUnsaved) {
    const test::Scratch dir;
    const fs::path job = dir / "JOB.V41";
    test::WriteText(job, test::ReadText(test::kEnglish));
    GridTexts grid{};
    grid[2] = {"7", "12.5", "11", "50", ""};
    // changes: 0 none, 1 the index record, 2 and block 3's header and rows, 3 then saved;
    // ended: asked to end (SIGTERM, SIGHUP, SIGINT) rather than killed
    // clang-format off
    const struct { const char* name; int changes; bool ended; bool offered; } cases[] = {
        {"opened only", 0, false, false}, {"index record changed", 1, false, true},
        {"a block changed", 2, false, true}, {"changed, then saved", 3, false, false},
        {"a block changed, asked to end", 2, true, true}, {"opened only, asked to end", 0, true, false}};
    // clang-format on
    for (const auto& c : cases) {
        const test::Scratch parent;
        KilledRun(
            parent.path(),
            [&](Session& s) {
                s.Open(job);
                if (c.changes >= 1) s.SetIndexRecord("R-9", "12/08/2026", "P-\t1\\", "ENG\nTWO");
                if (c.changes >= 2) {
                    s.StoreBlockHeader(3, {"Left", "Right", "10", "4", "1", "2", "300", "NEW ST"});
                    BlockRowsLoad loaded = *s.LoadBlockRows(3);
                    s.KeepGridRows(3, grid, loaded);
                }
                if (c.changes >= 3) (void)s.SaveAs(dir / "SAVED.V41");
            },
            c.ended);
        if (c.ended) { // the scratch files went with the run
            EXPECT_EQ(c.offered ? 1 : 0, std::distance(fs::directory_iterator(parent.path()), {}));
            for (const auto& folder : fs::directory_iterator(parent.path()))
                EXPECT_FALSE(fs::exists(folder.path() / "WORK.TMP")) << c.name;
        }
        std::vector<Recoverable> found = FindRecoverable(parent.path());
        ASSERT_EQ(found.size(), c.offered ? 1u : 0u) << c.name;
        EXPECT_EQ(SweepStaleWorkspaces(parent.path()), c.offered || c.ended ? 0 : 1) << c.name;
        if (!c.offered) continue;
        auto session = Session::Create();
        ASSERT_TRUE(session);
        ASSERT_TRUE(session->Adopt(found[0]).has_value()) << c.name;
        const Job& back = session->job();
        EXPECT_FALSE(back.dataSaved);
        EXPECT_EQ(back.dataFileName, job.string());
        EXPECT_EQ(back.idxRefNum + back.idxProject + back.idxEng, "R-9P-\t1\\ENG\nTWO");
        EXPECT_EQ(back.header(1).blkDesc, "CENTRAL AVE RT - 1ST ST TO 2ND ST"); // as read
        EXPECT_EQ(back.header(3).aliTyp + back.header(3).radiusBl,
                  c.changes >= 2 ? "L300" : "R954.9297");
        EXPECT_TRUE(session->LoadBlockRows(3)->fileRead);
        EXPECT_EQ(session->job().row(1).type, c.changes >= 2 ? "7" : "4"); // its block file
        EXPECT_TRUE(fs::is_empty(parent.path())) << c.name; // the ended run's folder went
    }
}

// A run killed in the middle of a save (the file size limit's signal, part way through the
// write): the old file stands, at most one hidden file is left beside it, the next save removes
// that, and the change is offered back.
TEST(Recovery, KilledInTheMiddleOfASave) {
    const test::Scratch dir, parent;
    const fs::path job = dir / "JOB.V41";
    const std::string old = test::ReadText(test::kEnglish);
    test::WriteText(job, old);
    KilledRun(parent.path(), [&](Session& s) {
        s.Open(job);
        s.SetIndexRecord("R-SAVE", "", "", "");
        const rlimit small{1024, 1024}; // the save is killed by SIGXFSZ part way
        ::setrlimit(RLIMIT_FSIZE, &small);
        (void)s.Save();
    });
    EXPECT_EQ(test::ReadText(job), old);
    EXPECT_LE(std::distance(fs::directory_iterator(dir.path()), {}), 2);
    std::vector<Recoverable> found = FindRecoverable(parent.path());
    ASSERT_EQ(found.size(), 1u);
    auto session = Session::Create();
    ASSERT_TRUE(session);
    ASSERT_TRUE(session->Adopt(found[0]).has_value());
    ASSERT_TRUE(session->Save().has_value());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1); // no leftover
    EXPECT_NE(test::ReadText(job).find("R-SAVE"), std::string::npos);
}

TEST(Recovery, DeclinedIsRemovedAndALiveRunIsNeverOffered) {
    const test::Scratch parent;
    auto live = Session::Create(parent.path());
    ASSERT_TRUE(live);
    live->KeepSnapshots();
    live->MarkChanged();
    KilledRun(parent.path(), [](Session& s) { s.SetIndexRecord("R-1", "", "", ""); });
    std::vector<Recoverable> found = FindRecoverable(parent.path());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].snapshot.job.idxRefNum, "R-1");
    EXPECT_TRUE(FindRecoverable(parent.path()).empty()); // locked while it is offered
    // Block files that cannot be read: nothing half taken over, and the folder stays.
    fs::create_directory(found[0].folder / "SECT0001.TMP");
    auto session = Session::Create();
    ASSERT_TRUE(session);
    EXPECT_TRUE(session->Adopt(found[0]).failed());
    EXPECT_EQ(session->job().dataFileName + session->job().idxRefNum, "NoName");
    EXPECT_TRUE(fs::exists(found[0].folder));
}

// Rows whose snapshot is gone come back in a block named so, and are kept at the next save.
TEST(Recovery, RowsWithoutASnapshotComeBackNamedSo) {
    const test::Scratch parent, dir;
    fs::create_directory(parent / "sidewalk-abcdef");
    test::WriteText(parent / "sidewalk-abcdef" / "SECT0007.TMP",
                    "07   96.000   11+40.000    0.000\r\n");
    std::vector<Recoverable> found = FindRecoverable(parent.path(), Workspaces::Recovery);
    ASSERT_EQ(found.size(), 1u);
    auto s = Session::Create();
    ASSERT_TRUE(s->Adopt(found[0]).has_value() && s->SaveAs(dir / "BACK.V41").has_value());
    EXPECT_NE(test::ReadText(dir / "BACK.V41").find("HEADER NOT RECOVERED\r\n07   96.000"),
              std::string::npos);
}

// A damaged snapshot gives what its whole lines hold, and says what it lost.
TEST(Recovery, DamagedSnapshotsGiveWhatCanBeRead) {
    Snapshot whole{Job{}, false, 1, {}, {}};
    whole.job.idxRefNum = "R-1";
    whole.job.header(100).blkDesc = "LAST";
    const std::string text = SnapshotText(whole);
    ASSERT_EQ(ReadSnapshot(text).job.header(100).blkDesc, "LAST");
    const std::string cut = text.substr(0, text.size() - 3);
    // clang-format off
    const struct { std::string text; std::string damage; bool refRead; } cases[] = {
        {text, "", true}, {cut, "it was cut short", true},
        {text + "extra\t1\n" + "file\tback\\\n", "2 lines of it cannot be read", true},
        {"SIDEWALK JOB SNAPSHOT 2\n", "it is not a job snapshot", false}, {"", "it is not a job snapshot", false}};
    // clang-format on
    for (const auto& c : cases) {
        const Snapshot back = ReadSnapshot(c.text);
        EXPECT_EQ(back.damage, c.damage) << c.text;
        EXPECT_EQ(back.changed, !c.damage.empty()) << c.text; // damaged: offered, never swept
        EXPECT_EQ(back.job.idxRefNum, c.refRead ? "R-1" : "") << c.text;
    }
}

} // namespace
} // namespace sidewalk
