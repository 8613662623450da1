// The job session: New, Open, Save, Save As, Report and DeleteBlock, with the save target and
// DataSaved after each, and files no card file could be.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "data/file_text.hpp"
#include "session/session.hpp"
#include "session_access.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

const fs::path kEnglish = fs::path(SIDEWALK_EXAMPLES_DIR) / "downtown-english.V41";

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

TEST(Session, ARejectedFileNeverBecomesTheSaveTarget) {
    const test::Scratch dir;
    WriteText(dir / "NOTES.TXT", "not a card file\r\n");
    WriteText(dir / "HUGE.IMG", "CRZ41\r\n");
    fs::resize_file(dir / "HUGE.IMG", kMaxTextFileBytes + 1); // sparse: no disk used
    ASSERT_EQ(::mkfifo((dir / "PIPE.V41").c_str(), 0600), 0); // nobody writes: never waited on
    fs::create_directory(dir / "FOLDER.V41");
    // clang-format off
    const struct { const char* name; ReadOutcome outcome; std::string reason; } cases[] = {
        {"NOTES.TXT", ReadOutcome::Invalid, "Invalid File - Select Another File!"},
        {"MISSING.V41", ReadOutcome::Failed, std::strerror(ENOENT)},
        {"HUGE.IMG", ReadOutcome::Failed, "larger than 16 MB"},
        {"PIPE.V41", ReadOutcome::Failed, "a named pipe, a device or a socket"},
        {"FOLDER.V41", ReadOutcome::Failed, std::strerror(EISDIR)},
    };
    // clang-format on
    const fs::path job = SampleJob(dir);
    for (const auto& c : cases) {
        Session s = MakeSession();
        ASSERT_TRUE(s.Open(job).read());
        ASSERT_TRUE(s.Save().has_value()); // saved once, so that Open visibly clears DataSaved
        const ReadResult r = s.Open(dir / c.name);
        EXPECT_EQ(r.outcome, c.outcome) << c.name;
        ASSERT_EQ(r.messages.size(), 1u) << c.name;
        EXPECT_NE(r.messages[0].text.find(c.reason), std::string::npos) << r.messages[0].text;
        EXPECT_EQ(SessionTestAccess::JobOf(s).dataFileName, job.string()) << c.name;
        EXPECT_FALSE(SessionTestAccess::JobOf(s).dataSaved) << c.name;
        EXPECT_FALSE(fs::exists(s.workspace().BlockFileName(1))) << c.name;
    }
    // A stream that goes on and on is refused as well, without reading it all.
    std::istringstream endless("CRZ41\r\n" + std::string(kMaxTextFileBytes, 'x'));
    Session s = MakeSession();
    EXPECT_EQ(
        ReadDataFile(SessionTestAccess::JobOf(s), s.workspace(), endless, "/dev/zero").outcome,
        ReadOutcome::Failed);
}

// What the save window's test does not reach: Save of a new job, a failed Save As, and New.
TEST(Session, SaveSaveAsAndDataSaved) {
    const test::Scratch dir;
    Session s = MakeSession();
    const Job& job = SessionTestAccess::JobOf(s);
    s.New();
    ASSERT_TRUE(s.Save().failed()); // a new job is saved with Save As only
    EXPECT_FALSE(fs::exists("NoName"));
    ASSERT_TRUE(s.Open(kEnglish).read());
    const fs::path copy = dir / "COPY.V41";
    ASSERT_TRUE(s.SaveAs(copy).has_value());
    s.MarkChanged();
    // A failed Save As keeps the old target and leaves the job unsaved.
    EXPECT_TRUE(s.SaveAs(dir / "NO" / "SUCH" / "FOLDER.V41").failed());
    EXPECT_EQ(job.dataFileName, copy.string());
    EXPECT_FALSE(job.dataSaved);
    s.New();
    EXPECT_EQ(job.dataFileName, "NoName");
    EXPECT_FALSE(job.blockInUse(1) || job.dataSaved);
    EXPECT_FALSE(fs::exists(s.workspace().BlockFileName(1)));
}

} // namespace
} // namespace sidewalk
