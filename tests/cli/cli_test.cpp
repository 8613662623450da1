// The sidewalk-report command as a whole process: its outputs, messages, exit status and the
// removal of its workspace on every path.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "cli/source_date_epoch.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

const fs::path kData = fs::path(SIDEWALK_TESTS_DIR) / "data";

struct Result {
    int status = -1;
    std::string out, err;
};

class Cli : public ::testing::Test {
  protected:
    // Runs the command with a private runtime folder, so that left-over workspaces show: TMPDIR,
    // or XDG_RUNTIME_DIR, which comes first (TMPDIR then names no folder).
    Result Run(const std::string& args, bool runtimeDir = false, const std::string& shell = "") {
        const std::string folders =
            shell + (runtimeDir ? "XDG_RUNTIME_DIR='" + tmp_.string() + "' TMPDIR=/none"
                                : "XDG_RUNTIME_DIR= TMPDIR='" + tmp_.string() + "'");
        const std::string cmd = folders + " SOURCE_DATE_EPOCH=1141693509 " + as_ + "'" +
                                std::string(SIDEWALK_REPORT_BIN) + "' " + args + " >'" +
                                (dir_ / "out").string() + "' 2>'" + (dir_ / "err").string() + "'";
        const int raw = std::system(cmd.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = ReadText(dir_ / "out");
        r.err = ReadText(dir_ / "err");
        EXPECT_TRUE(fs::is_empty(tmp_)) << "workspace left behind by: " << args;
        return r;
    }
    std::string Path(const char* name) const { return "'" + (dir_ / name).string() + "'"; }
    static std::string Data(const char* name) { return "'" + (kData / name).string() + "'"; }

    void SetUp() override { fs::create_directory(tmp_); }

    // Runs from now on as a plain user (nobody), owner of every file in the test's folder, as
    // the command is run in earnest: root's writes would pass every permission.
    void AsPlainUser() {
        if (::geteuid() != 0) return;
        as_ = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        ASSERT_EQ(::lchown(scratch_.path().c_str(), 65534, 65534), 0);
        for (const auto& entry : fs::recursive_directory_iterator(scratch_.path()))
            ASSERT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0);
    }

    test::Scratch scratch_;
    fs::path dir_ = scratch_.path();
    fs::path tmp_ = scratch_.path() / "tmp";
    std::string as_; // the command that runs the command as another user
};

// Every expected report of the tests' data through the command, computed in memory: a data file
// read, written and run, or a work file as it stands; the totals beside it.
TEST_F(Cli, ReportsEveryExpectedFile) {
    for (const auto& entry : fs::directory_iterator(kData)) {
        const fs::path expected = entry.path();
        if (expected.extension() != ".SPL") continue;
        const bool work = fs::exists(fs::path(expected).replace_extension(".WRK"));
        const fs::path input = fs::path(expected).replace_extension(work ? ".WRK" : ".V41");
        const Result r = Run(std::string(work ? "--work-file" : "") + " --totals-csv " +
                             Path("t.csv") + " '" + input.string() + "'");
        EXPECT_EQ(r.status, 0) << input << r.err;
        EXPECT_EQ(r.out, ReadText(expected)) << input;
        if (const fs::path csv = fs::path(expected).replace_extension(".csv"); fs::exists(csv)) {
            EXPECT_EQ(ReadText(dir_ / "t.csv"), ReadText(csv)) << input;
        }
    }
}

// To a file, from standard input, in the user's runtime folder (which comes before TMPDIR).
TEST_F(Cli, ReportsFromStandardInputToAFile) {
    const Result r =
        Run("--output " + Path("report.prn") + " - < " + Data("tangent-english.V41"), true);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadText(dir_ / "report.prn"), ReadText(kData / "tangent-english.SPL"));
}

// The totals are written only after the report, and a failure then says what was written.
TEST_F(Cli, TotalsThatCannotBeWrittenComeAfterTheReport) {
    const Result r = Run("--output " + Path("r.prn") + " --totals-csv " + Path("none/t.csv") + " " +
                         Data("tangent-english.V41"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(ReadText(dir_ / "r.prn"), ReadText(kData / "tangent-english.SPL"));
    EXPECT_NE(r.err.find("The report was written; the totals and the sketches were not."),
              std::string::npos)
        << r.err;
}

// 32 report runs at once in one runtime folder and 16 saves at once to one target, again and
// again, all succeed: no run takes another's workspace or temporary file.
TEST_F(Cli, ManyRunsAtOnce) {
    const std::string bin = "'" + std::string(SIDEWALK_REPORT_BIN) + "' ",
                      job = Data("tangent-english.V41");
    const std::string runs =
        "cd '" + dir_.string() + "' && export XDG_RUNTIME_DIR= TMPDIR='" + tmp_.string() +
        "' && for i in $(seq 32); do for j in $(seq 10); do " + bin + "--output r$i.prn " + job +
        " || echo failed; done & done; for i in $(seq 16); do for j in $(seq 40); do " + bin +
        "--rewrite out.V41 " + job + " || echo failed; done & done; wait";
    ASSERT_EQ(std::system((runs + " >'" + (dir_ / "output").string() + "' 2>&1").c_str()), 0);
    EXPECT_EQ(ReadText(dir_ / "output"), "");
    EXPECT_TRUE(fs::is_empty(tmp_));
}

// A file size limit fails the write, told as any write error, and the old file stays: on the
// first piece of a small report, or on a later one of a large report written as it is made.
TEST_F(Cli, AFileSizeLimitFailsTheWrite) {
    const std::string small = ReadText(kData / "tangent-english.V41");
    std::string large = small.substr(0, small.find('\n') + 1);
    for (int block = 0; block < 100; ++block)
        large += small.substr(small.find('\n') + 1);
    WriteText(dir_ / "large.V41", large);
    for (const auto& [job, limit] :
         {std::pair{Data("tangent-english.V41"), 1}, std::pair{Path("large.V41"), 100}}) {
        WriteText(dir_ / "r.prn", "old");
        const auto files = [this] {
            return std::count_if(fs::directory_iterator(dir_), {}, [](const fs::path& p) {
                return p.filename() != "out" && p.filename() != "err";
            });
        };
        const auto before = files();
        const Result r = Run("--output " + Path("r.prn") + " " + job, false,
                             "ulimit -f " + std::to_string(limit) + "; ");
        EXPECT_EQ(r.status, 2) << job;
        EXPECT_NE(r.err.find(std::strerror(EFBIG)), std::string::npos) << r.err;
        EXPECT_EQ(ReadText(dir_ / "r.prn"), "old");
        EXPECT_EQ(files(), before) << job; // the new file went
    }
}

// Outputs that are not regular files, or that are the data file itself, are refused at once:
// nothing is waited on, nothing written.
TEST_F(Cli, OutputsThatAreNoFileOrTheJobAreRefused) {
    ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0600), 0);
    fs::copy_file(kData / "tangent-english.V41", dir_ / "job.V41");
    for (const std::string& args : {std::string("--output /dev/null"), "--output " + Path("pipe"),
                                    "--rewrite " + Path("pipe"), "--totals-csv " + Path("."),
                                    "--output " + Path("job.V41")}) {
        const Result r = Run(args + " " + Path("job.V41"));
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.err.rfind("File Output Error: Cannot write the file ", 0), 0u) << r.err;
    }
    EXPECT_EQ(ReadText(dir_ / "job.V41"), ReadText(kData / "tangent-english.V41"));
}

// A job past the program's limits is reported as far as it goes (status 1); a file that is no
// job is not reported at all (status 2).
TEST_F(Cli, ExitStatusSaysWhetherAReportWasWritten) {
    std::string many = "CRZ41 R\r\n";
    for (int b = 0; b < 101; ++b)
        many += "11 T R 10 4\r\n";
    WriteText(dir_ / "many.V41", many);
    WriteText(dir_ / "bad.V41", "NOT A JOB\r\n");
    for (const auto& [job, status, written] :
         {std::tuple{"many.V41", 1, true}, {"bad.V41", 2, false}}) {
        EXPECT_EQ(Run("--output " + Path("r.prn") + " " + Path(job)).status, status) << job;
        EXPECT_EQ(fs::remove(dir_ / "r.prn"), written) << job;
    }
}

// --sketch, run by a plain user in a folder of theirs, writes valid SVG, replaces a link at a
// sketch's name rather than writing through it to the user's file it names, removes the
// sketches of blocks the job does not have, names the job in each title, and says when a job
// has no sketch to write.
TEST_F(Cli, SketchFilesNeverFollowALinkOrStayStale) {
    const fs::path dir = dir_ / "sketches";
    fs::create_directory(dir);
    WriteText(dir_ / "outside", "mine");
    fs::create_symlink(dir_ / "outside", dir / "block-001.svg");
    WriteText(dir / "block-050.svg", "stale");
    WriteText(dir / "block-7.svg", "not a sketch's name");
    WriteText(dir_ / "none.V41", "CRZ41 R\r\n");
    AsPlainUser();
    const std::string sketch = "--output " + Path("r.prn") + " --sketch '" + dir.string() + "' ";
    Result r = Run(sketch + Data("tangent-english.V41"));
    EXPECT_EQ(r.err, "Sketches: removed 1 sketch of a block this job does not have\n");
    EXPECT_EQ(ReadText(dir_ / "outside"), "mine");
    EXPECT_NE(ReadText(dir / "block-001.svg").find("(block 1, Ref No. "), std::string::npos);
    EXPECT_EQ(std::system(("xmllint --noout '" + (dir / "block-001.svg").string() + "'").c_str()),
              0);
    EXPECT_TRUE(!fs::exists(dir / "block-050.svg") && fs::exists(dir / "block-7.svg"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "block-001.svg")));
    r = Run(sketch + Path("none.V41"));
    EXPECT_NE(r.err.find("Sketches: no sketch was written"), std::string::npos) << r.err;
}

// Runs with sketches (drawn through a workspace) killed at any moment may leave their workspace
// behind; a later run, even one without a workspace, removes them all.
TEST_F(Cli, KilledRunsLeaveNothingOnceAnotherRuns) {
    std::string job = "CRZ41 R\r\n";
    for (int b = 0; b < 100; ++b) {
        job += "11 T R 10 4\r\n01    0.000   10+00.000   25.000\r\n";
        for (int r = 0; r < 60; ++r)
            job += "07    1.000   10+50.000    0.000\r\n";
        job += "01    0.000   13+00.000   25.000\r\n";
    }
    WriteText(dir_ / "big.V41", job);
    for (int run = 0; run < 20; ++run) {
        char after[16]; // 1 to 20 ms: before, while and after the workspace is made
        std::snprintf(after, sizeof after, "0.%03d", 1 + run);
        const std::string killed = "XDG_RUNTIME_DIR= TMPDIR='" + tmp_.string() +
                                   "' timeout --foreground -s KILL " + after + " '" +
                                   SIDEWALK_REPORT_BIN + "' --sketch " + Path("sk") + " --output " +
                                   Path("r.prn") + " " + Path("big.V41") + " >/dev/null 2>&1";
        (void)!std::system(killed.c_str());
    }
    // A folder still being made (hidden) is left alone for a minute: a minute later, then. (Each
    // killed run is waited for: --foreground kills the run alone, and timeout waits for it.)
    for (const auto& left : fs::directory_iterator(tmp_))
        fs::last_write_time(left, left.last_write_time() - std::chrono::minutes(2));
    EXPECT_EQ(Run("--output " + Path("r.prn") + " " + Path("big.V41")).status, 0); // tmp_ empty
}

TEST_F(Cli, UsageAndBadArguments) {
    Result r = Run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("usage: sidewalk-report", 0), 0u);
    EXPECT_EQ(Run("--version").out, "sidewalk-report 4.2.0\n");
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"", "no data file named"}, {"--frob x.V41", "unknown option --frob"},
        {"a.V41 b.V41", "one data file, not 2"}, {"--output", "--output needs a file name"},
        {"--rewrite out.V41", "no data file named"}, {"--sketch", "--sketch needs a folder name"},
        {"--rewrite o.V41 --output p a.V41", "--rewrite cannot be combined with --work-file, --output"},
        {"--output a --output b x.V41", "--output is given twice"},
        {"--work-file --sketch d x.WRK", "--work-file cannot be combined with --sketch"},
        {"--alignment A x.V41", "--alignment needs --check-alignment"},
        {"--check-alignment a.xml --output r x.V41", "--check-alignment cannot be combined with"},
    };
    // clang-format on
    for (const auto& [args, reason] : cases) {
        r = Run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(r.err.rfind("sidewalk-report: " + reason, 0), 0u) << args << ": " << r.err;
        EXPECT_NE(r.err.find("\nusage: sidewalk-report"), std::string::npos) << args;
    }
}

// --check-alignment: the table on standard output, exit 1 when a block does not agree; 2, and
// nothing on standard output, when the alignment cannot be had.
TEST_F(Cli, ChecksTheBlocksAgainstAnAlignment) {
    const std::string job =
        " '" + (fs::path(SIDEWALK_EXAMPLES_DIR) / "downtown-english.V41").string() + "'";
    Result r = Run("--check-alignment '" SIDEWALK_EXAMPLES_DIR "/downtown-english.xml'" + job);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, ReadText(kData / "downtown-english.check"));
    r = Run("--check-alignment " + Data("alignment-metric.xml") + job);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Alignment File Error: The file holds several alignments: choose one of "
                     "RING RD, SPUR.\n");
}

// The desktop program ends at once, leaving nothing, unless its one argument is the token.
TEST(Desktop, RunsOnlyWithItsLaunchToken) {
    const test::Scratch scratch;
    for (const char* args : {"", "hnxwul64", "HNXwul64x", "HNXwul64 a.V41 b.V41", "' HNXwul64'"}) {
        const std::string cmd = "XDG_RUNTIME_DIR='" + scratch.path().string() + "' TMPDIR='" +
                                scratch.path().string() + "' QT_QPA_PLATFORM=offscreen '" +
                                SIDEWALK_APP_BIN + "' " + args + " >'" +
                                (scratch / "out").string() + "' 2>&1";
        const int raw = std::system(cmd.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 2) << args;
        EXPECT_EQ(ReadText(scratch / "out"), "") << args;
        fs::remove(scratch / "out");
        EXPECT_TRUE(fs::is_empty(scratch.path())) << args;
    }
    // With it, the program runs until the session ends it, and then, with nothing unsaved, leaves
    // no workspace (its recovery folder is made, and stays empty).
    const std::string run = "XDG_RUNTIME_DIR='" + scratch.path().string() + "' XDG_STATE_HOME='" +
                            scratch.path().string() +
                            "' QT_QPA_PLATFORM=offscreen timeout -s TERM 1 '" + SIDEWALK_APP_BIN +
                            "' HNXwul64 >/dev/null 2>&1";
    const int raw = std::system(run.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 124); // still running when ended
    EXPECT_TRUE(fs::is_empty(scratch / "sidewalk"));
}

// sidewalk-print writes a report's sheets as a PDF through the desktop program's printing code.
TEST(PrintCommand, PdfOfAReportAndItsFailures) {
    const test::Scratch scratch;
    fs::create_directory(scratch / "tmp");
    // No runtime folder: the spool files go in a private folder under TMPDIR, gone at the end.
    const std::string print = "env -u XDG_RUNTIME_DIR TMPDIR='" + (scratch / "tmp").string() +
                              "' '" + SIDEWALK_PRINT_BIN + "'";
    const std::string pdf = (scratch / "job.pdf").string();
    const std::string report = "'" + std::string(SIDEWALK_REPORT_BIN) + "' '" +
                               (kData / "tangent-english.V41").string() + "' | ";
    // clang-format off
    const struct { std::string command; int status; const char* message; } cases[] = {
        {report + print + " --paper a4 --pages 1-1 --pdf '" + pdf + "' -", 0, ""},
        // Papers by their listed names in any case; copies one after another in the PDF.
        {report + print + " --paper 'us letter' --pages 1-1 --copies 3 --pdf '" + pdf +
             "' - && pdfinfo '" + pdf + "' | grep -q 'Pages: *3$'",
         0, ""},
        // The sketch sheet of the job's one block after its report's two pages.
        {report + print + " --pdf '" + pdf + "' --sketches '" + (kData / "tangent-english.V41").string() +
             "' - && pdfinfo '" + pdf + "' | grep -q 'Pages: *3$'", 0, ""},
        {print + " --paper B5 --pdf '" + pdf + "' -", 2, "Print Report: no paper named B5"},
        {report + print + " --pages 2-3 --pdf '" + pdf + "' -", 2, "Print Report: The report has 2 pages"},
        {print + " --pdf '" + pdf + "' '" + (scratch / "missing.SPL").string() + "'", 2,
         "File Input Error: "},
        {print + " --pdf '" + pdf + "'", 2, "Command Line: no report named"},
        {print + " --pdf '" + pdf + "' --tray Upper -", 2, "Command Line: --pdf takes no"},
        {print + " --copies 0 -", 2, "Command Line: --copies takes a whole number"},
        {print + " --list extra", 2, "Command Line: --list takes nothing else"},
        {print + " --bogus x", 2, "Command Line: unknown option --bogus"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string cmd = "(" + c.command + ") 2>'" + (scratch / "err").string() + "'";
        const int raw = std::system(cmd.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == c.status) << c.command;
        const std::string said = ReadText(scratch / "err");
        EXPECT_NE(said.find(c.message), std::string::npos) << said;
        EXPECT_EQ(said.find("QStandardPaths"), std::string::npos) << said; // no Qt warning
        EXPECT_TRUE(fs::is_empty(scratch / "tmp")) << c.command;
    }
    EXPECT_EQ(ReadText(pdf).substr(0, 5), "%PDF-");
}

TEST(SourceDateEpoch, OnlyAWholeNumberUpToTheYear9999) {
    // clang-format off
    const std::pair<const char*, std::optional<std::time_t>> epochs[] = {
        {"309", 309}, {"0", 0}, {"", std::nullopt}, {nullptr, std::nullopt}, {"-5", std::nullopt},
        {"1.5", std::nullopt}, {"12x", std::nullopt}, {"253402300799", 253402300799},
        {"253402300800", std::nullopt}, {"99999999999999999999", std::nullopt}};
    // clang-format on
    for (const auto& [text, time] : epochs)
        EXPECT_EQ(ParseSourceDateEpoch(text), time) << (text ? text : "null");
}

} // namespace
} // namespace sidewalk
