// The private workspace folder: files replaced whole, and the sweep of those of ended runs that
// never takes a live one.
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "data/atomic_file.hpp"
#include "killed_run.hpp"
#include "session/snapshot.hpp"
#include "session/stale_workspaces.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

// Both ways of replacing a file leave exactly the content and nothing beside it; a new file gets
// 0666 less the umask, a replaced user's file keeps its mode.
TEST(ReplaceFile, ContentModesAndNothingLeftBeside) {
    const test::Scratch dir;
    const mode_t saved = ::umask(027);
    for (const bool workspace : {false, true}) {
        const fs::path file = dir / (workspace ? "WORK.TMP" : "JOB.V41");
        auto write = [&](std::string_view text) {
            return workspace ? ReplaceWorkspaceFile(file, text) : WriteFileAtomically(file, text);
        };
        ASSERT_TRUE(write("first\r\n").has_value());
        EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640)) << file;
        fs::permissions(file, fs::perms(0600));
        ASSERT_TRUE(write("second\r\n").has_value());
        EXPECT_EQ(ReadText(file), "second\r\n");
        if (!workspace) {
            EXPECT_EQ(fs::status(file).permissions(), fs::perms(0600));
        }
    }
    ::umask(saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);
    // What saves killed half-way left beside the file goes with the next save; a save being
    // written now (its file locked) and the user's own files of like names stay.
    const char* const beside[] = {".JOB.V41.sidewalk-save-killed", ".JOB.V41.sidewalk-save-writin",
                                  ".JOB.V41.20261208", ".JOB.V41.ABCDEFGH", ".JOB.V41.v41copy1"};
    for (const char* name : beside)
        WriteText(dir / name, "half");
    const Descriptor writing(::open((dir / beside[1]).c_str(), O_RDONLY));
    ASSERT_EQ(::flock(writing.get(), LOCK_EX), 0);
    ASSERT_TRUE(WriteFileAtomically(dir / "JOB.V41", "third\r\n").has_value());
    for (const char* name : beside)
        EXPECT_EQ(fs::exists(dir / name), name != beside[0]) << name;
    // A name as long as a file system allows is saved too (its temporary name is shorter).
    EXPECT_TRUE(WriteFileAtomically(dir / std::string(255, 'n'), "long").has_value());
    // A file that cannot be made names itself and leaves nothing.
    const auto error = ReplaceWorkspaceFile(dir / "no" / "SECT0001.TMP", "x");
    ASSERT_TRUE(error.failed());
    EXPECT_EQ(error.error().title, "File Output Error");
    EXPECT_NE(error.error().text.find(std::strerror(ENOENT)), std::string::npos);
}

// A save refuses at once, keeping the old file, what it must not simply write over; a read-only
// file or one with other names is written over once the user agreed, keeping its mode.
TEST(ReplaceFile, TargetsThatAreRefused) {
    const test::Scratch dir;
    // clang-format off
    const struct { const char* name; std::string why; bool confirmable; } cases[] = {
        {"read-only", "it is read-only", true}, {"linked", "it has other names (hard links)", true},
        {"pipe", "it is a named pipe, a device or a socket", false}, {"folder", std::strerror(EISDIR), false},
        {"theirs", "it belongs to another user", false}};
    // clang-format on
    for (const auto& c : cases) {
        const fs::path file = dir / c.name;
        WriteText(file, "old");
        if (c.why.starts_with("it is read")) fs::permissions(file, fs::perms(0444));
        if (c.why.starts_with("it has")) fs::create_hard_link(file, dir / "other name");
        if (c.why.starts_with("it is a")) fs::remove(file), ::mkfifo(file.c_str(), 0600);
        if (c.why == std::strerror(EISDIR)) fs::remove(file), fs::create_directory(file);
        if (c.why.starts_with("it belongs") &&
            (::geteuid() != 0 || ::chown(file.c_str(), 65534, 65534) != 0))
            continue;
        const Status refused = WriteFileAtomically(file, "new");
        ASSERT_TRUE(refused.failed()) << c.name;
        EXPECT_NE(refused.error().text.find(file.string() + ": " + c.why), std::string::npos)
            << c.name;
        EXPECT_EQ(WriteFileAtomically(file, "new", Replace::Confirmed).has_value(), c.confirmable)
            << c.name;
        if (fs::is_regular_file(file)) {
            EXPECT_EQ(ReadText(file), c.confirmable ? "new" : "old") << c.name;
        }
    }
    EXPECT_EQ(fs::status(dir / "read-only").permissions(), fs::perms(0444));
}

// Only the folders of ended runs with nothing to recover go: a killed run's, a stale one's, one
// whose snapshot says nothing changed, a hidden half-made one a minute old; never a live one, one
// with changes not saved, a snapshot damaged or being written, rows without a snapshot, a link or
// a pipe where a file should be (never followed nor waited on), a young hidden one, or anything
// else.
TEST(Workspace, SweepOfEndedRuns) {
    const test::Scratch parent;
    const auto live = Workspace::Create(parent.path());
    ASSERT_TRUE(live);
    struct stat st {};
    ASSERT_EQ(::stat(live->TempDir().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);             // private to its user
    test::KilledRun(parent.path(), [](Session&) {}); // its workspace is left behind
    const std::string unsaved = SnapshotText({Job{}, true, 0, {}, {}}), saved = SnapshotText({});
    // file: in the folder (none: the name is a file); content "<fifo>" or "<link>": one of those
    // clang-format off
    const struct { const char* name; const char* file; std::string content; bool removed; } cases[] = {
        {"sidewalk-stale1", "WORK.TMP", "", true},     {"sidewalk-unsav1", "SNAPSHOT.V41", unsaved, false},
        {"sidewalk-saved1", "SNAPSHOT.V41", saved, true},
        {"sidewalk-broke1", "SNAPSHOT.V41", saved.substr(0, 40), false},
        {"sidewalk-being1", ".SNAPSHOT.V41.sidewalk-save-abcdef", "", false},
        {"sidewalk-rows01", "SECT0007.TMP", "7 ", false}, {"sidewalk-nrow01", "SECT0007.TMP", "", true},
        {"sidewalk-fifo01", "SNAPSHOT.V41", "<fifo>", false}, {"sidewalk-link01", "SECT0001.TMP", "<link>", false},
        {"sidewalk-toolong", "WORK.TMP", "", false},   {"sidewalk-afile1", nullptr, "", false},
        {".sidewalk-new-half12", "WORK.TMP", "", true}, {".sidewalk-new-young1", "WORK.TMP", "", false},
        {".sidewalk-new-toolong", "WORK.TMP", "", false},
    };
    // clang-format on
    for (const auto& c : cases) {
        const fs::path path = parent / c.name, file = c.file != nullptr ? path / c.file : path;
        if (c.file != nullptr) fs::create_directory(path);
        if (c.content == "<fifo>") ::mkfifo(file.c_str(), 0600);
        if (c.content == "<link>") fs::create_symlink(parent / "sidewalk-afile1", file);
        if (!c.content.starts_with("<")) WriteText(file, c.content);
        if (c.removed)
            fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    }
    EXPECT_EQ(SweepStaleWorkspaces(parent.path(), Workspaces::Recovery), 5); // the killed run's, 4
    for (const auto& c : cases)
        EXPECT_EQ(fs::exists(fs::symlink_status(parent / c.name)), !c.removed) << c.name;
    EXPECT_EQ(std::distance(fs::directory_iterator(parent.path()), {}), 11);
}

// A workspace's name swapped for a link to another folder while its run lives: neither a write
// nor the clean-up reaches that folder.
TEST(Workspace, ASwappedNameNeverLeadsTheCleanUpElsewhere) {
    const test::Scratch parent, other;
    WriteText(other / "MINE.TXT", "kept");
    auto ws = Workspace::Create(parent.path());
    const fs::path name = fs::path(ws->TempDir()).parent_path();
    fs::rename(name, parent / "moved");
    fs::create_directory_symlink(other.path(), name);
    ASSERT_TRUE(ws->Write(ws->WorkFile(), "work").has_value()); // into its own folder
    ws->Shutdown();
    EXPECT_EQ(std::distance(fs::directory_iterator(other.path()), {}), 1);
    EXPECT_EQ(test::ReadText(other / "MINE.TXT"), "kept");
    EXPECT_TRUE(fs::is_empty(parent / "moved")); // its own files went, through its descriptor
}

} // namespace
} // namespace sidewalk
