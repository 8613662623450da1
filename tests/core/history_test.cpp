// Undo and Redo through the session: each operation taken back gives the job and its block
// files as they were, done again as it left them; back at the saved state the job is saved.
#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "session/session.hpp"
#include "session/snapshot.hpp"
#include "session_access.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;

// The job's stored values and its block files' texts; the open rows are the grid's.
struct JobState {
    Job job;
    std::map<int, std::string> files;
    bool operator==(const JobState&) const = default;
};

JobState StateOf(const Session& s) {
    JobState state{s.job(), {}};
    ClearBlockRows(state.job);
    state.job.dataSaved = false;
    for (int n = 1; n <= kMaxBlocks; ++n)
        if (const auto text = test::ReadText(s.workspace().BlockFileName(n)); !text.empty())
            state.files[n] = text;
    return state;
}

// Block n's rows with row r's type set, as the grid stores them.
Status TypeRow(Session& s, int n, int r, const char* type) {
    BlockRowsLoad loaded = s.LoadBlockRows(n).value_or({n});
    GridTexts grid = s.job().rows;
    grid[static_cast<std::size_t>(r)] = {type, "10", "12", "50", ""};
    return s.StoreBlockRows(n, grid, loaded);
}

struct HistoryRow {
    std::string name, what; // the row, and the step's name in the Edit menu
    std::function<void(Session&)> op;
};

class Undoing : public testing::TestWithParam<HistoryRow> {};

TEST_P(Undoing, PutsTheJobBackAndRedoingDoesItAgain) {
    const test::Scratch dir;
    test::WriteText(dir / "JOB.V41", test::ReadText(test::kEnglish));
    Session s = std::move(*Session::Create());
    ASSERT_TRUE(s.Open(dir / "JOB.V41"));
    s.SelectBlock(1);
    const JobState before = StateOf(s);
    GetParam().op(s);
    const JobState after = StateOf(s);
    ASSERT_NE(after, before);
    ASSERT_NE(s.ToUndo(), nullptr);
    EXPECT_EQ(s.ToUndo()->what, GetParam().what);
    ASSERT_TRUE(s.Undo().has_value());
    EXPECT_EQ(StateOf(s), before);
    EXPECT_EQ(s.ToUndo(), nullptr); // one action, one step
    ASSERT_TRUE(s.Redo().has_value());
    EXPECT_EQ(StateOf(s), after);
    EXPECT_EQ(s.ToRedo(), nullptr);
}

const auto kHeaderNamed = [](Session& s) {
    BlockHeaderFields f = LoadBlockHeader(s.job(), 3);
    f.blkDesc = "RENAMED";
    s.StoreBlockHeader(3, f);
};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Operations, Undoing, testing::ValuesIn(std::vector<HistoryRow>{
    {"a committed cell", "Typing", [](Session& s) { ASSERT_TRUE(TypeRow(s, 1, 2, "7").has_value()); }},
    {"a paste of rows", "Paste", [](Session& s) {
        const Session::Step step(s, "Paste");
        for (int r = 1; r <= 30; ++r) ASSERT_TRUE(TypeRow(s, 1, r, "4").has_value());
    }},
    {"rows of a block without a file", "Typing", [](Session& s) { ASSERT_TRUE(TypeRow(s, 60, 1, "9").has_value()); }},
    {"a block deleted", "Delete Block", [](Session& s) { ASSERT_TRUE(s.DeleteBlock(2).has_value()); }},
    {"a block header", "Block Data", kHeaderNamed},
    {"a new block and its rows", "Enter Block Data", [](Session& s) {
        const Session::Step step(s, "Enter Block Data");
        s.StoreBlockHeader(40, {"Left", "Right", "10", "4", "22", "22", "450", "NEW"});
        ASSERT_TRUE(TypeRow(s, 40, 1, "1").has_value());
    }},
    {"the index record", "Index Record", [](Session& s) { s.SetIndexRecord("R-9", "", "P", ""); }},
    {"the units", "Units", [](Session& s) { s.SetUnits("M"); }},
}), test::RowName());
// clang-format on

// Back at the saved state the job is saved, the recovery data says so, and past it changed.
TEST(History, UndoToTheSavedStateMakesTheJobSaved) {
    const test::Scratch dir;
    test::WriteText(dir / "JOB.V41", test::ReadText(test::kEnglish));
    Session s = std::move(*Session::Create());
    ASSERT_TRUE(s.Open(dir / "JOB.V41"));
    s.KeepSnapshots();
    s.SetIndexRecord("R-1", "", "", "");
    ASSERT_TRUE(s.Save().has_value());
    kHeaderNamed(s);
    ASSERT_TRUE(s.changed());
    ASSERT_TRUE(s.Undo().has_value());
    EXPECT_FALSE(s.changed());
    EXPECT_TRUE(s.job().dataSaved);
    EXPECT_FALSE(ReadSnapshot(test::ReadText(s.workspace().File(kSnapshotName))).changed);
    ASSERT_TRUE(s.Undo().has_value()); // past the save: changed again
    EXPECT_TRUE(s.changed());
    EXPECT_FALSE(s.job().dataSaved);
    EXPECT_EQ(s.job().idxRefNum, "DT-0412");
    // A change after an undo forgets what could be redone, the saved state with it.
    s.SetIndexRecord("R-2", "", "", "");
    EXPECT_EQ(s.ToRedo(), nullptr);
    ASSERT_TRUE(s.Undo().has_value());
    EXPECT_TRUE(s.changed()); // the opened state is not the saved one any more
}

} // namespace
} // namespace sidewalk
