// sidewalk-report: runs a job's report from the command line with the same reader, writer and
// report code as the desktop program, for checking and batch work.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <iostream>
#include <malloc.h>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include "alignment/alignment_check.hpp"
#include "cli/source_date_epoch.hpp"
#include "compute/run_report.hpp"
#include "compute/sketch_svg.hpp"
#include "data/atomic_file.hpp"
#include "data/descriptor.hpp"
#include "data/file_text.hpp"
#include "data/folder_fd.hpp"
#include "data/reader.hpp"
#include "data/version.hpp"
#include "data/writer.hpp"
#include "report/totals_csv.hpp"
#include "session/job_sketches.hpp"
#include "session/runtime_dir.hpp"
#include "session/session.hpp"
#include "session/stale_workspaces.hpp"

namespace {

using namespace sidewalk;

constexpr int kExitOk = 0;
constexpr int kExitLimit = 1;
constexpr int kExitFailed = 2;

constexpr std::string_view kUsage =
    "usage: sidewalk-report [--output FILE] [--totals-csv FILE] [--sketch DIR] DATAFILE\n"
    "       sidewalk-report --work-file [--output FILE] [--totals-csv FILE] WORKFILE\n"
    "       sidewalk-report --rewrite OUTFILE DATAFILE\n"
    "       sidewalk-report --check-alignment LANDXML [--alignment NAME] DATAFILE\n"
    "       sidewalk-report --help | --version\n"
    "\n"
    "Reads the job's data file DATAFILE (.V41; - for standard input) and writes its quantity\n"
    "report.\n"
    "\n"
    "  --output FILE      write the report to FILE instead of standard output\n"
    "  --totals-csv FILE  also write the block and job totals to FILE as CSV\n"
    "  --sketch DIR       also write a plan sketch of each block with a description to\n"
    "                     DIR/block-NNN.svg, NNN its block number (DIR is made if missing)\n"
    "  --work-file        run the report on a card file as it stands (no reader, no writer)\n"
    "  --rewrite OUTFILE  read DATAFILE and save the job to OUTFILE in the current card\n"
    "                     layout (an older file is converted); no report\n"
    "  --check-alignment LANDXML\n"
    "                     check each block's direction and radius against the alignment of\n"
    "                     the LandXML file along the block's stations; no report\n"
    "  --alignment NAME   the alignment of the file to check against (needed when it holds\n"
    "                     more than one)\n"
    "\n"
    "Exit status: 0 done; 1 done, but the reader stopped at its limit of 100 blocks or\n"
    "100 rows in a block (the output holds what was read); 2 nothing written, or only what\n"
    "the message names. --check-alignment: 0 every block agrees; 1 one does not; 2 a file\n"
    "cannot be read.\n";

struct Arguments {
    bool workFile = false;
    std::optional<std::string> output;
    std::optional<std::string> totalsCsv;
    std::optional<std::string> rewrite;
    std::optional<std::string> sketch;
    std::optional<std::string> landXml, alignment;
    std::string input;
};

void PrintMessage(const Message& m) {
    std::cerr << m.title << ": " << m.text << '\n';
}

// A command line that cannot be run: the reason first, then the usage.
int Usage(const std::string& reason) {
    std::cerr << "sidewalk-report: " << reason << "\n\n" << kUsage;
    return kExitFailed;
}

// The arguments, or why they cannot be run.
Expected<Arguments, std::string> Parse(const std::vector<std::string>& args) {
    using Why = Unexpected<std::string>;
    Arguments a;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // An option's value: once only, and there.
        auto value = [&](std::optional<std::string>& into, const char* what) -> std::string {
            if (into) return arg + " is given twice";
            if (i + 1 >= args.size()) return arg + " needs " + what;
            into = args[++i];
            return {};
        };
        std::string why;
        if (arg == "--work-file") {
            why = a.workFile ? "--work-file is given twice" : "";
            a.workFile = true;
        } else if (arg == "--output" || arg == "--totals-csv" || arg == "--rewrite") {
            why = value(arg == "--output"       ? a.output
                        : arg == "--totals-csv" ? a.totalsCsv
                                                : a.rewrite,
                        "a file name");
        } else if (arg == "--sketch") {
            why = value(a.sketch, "a folder name");
        } else if (arg == "--check-alignment") {
            why = value(a.landXml, "a LandXML file name");
        } else if (arg == "--alignment") {
            why = value(a.alignment, "an alignment name");
        } else if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1,
                              args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            why = "unknown option " + arg;
        } else {
            positional.push_back(arg);
        }
        if (!why.empty()) return Why(why);
    }
    if (positional.empty()) return Why("no data file named");
    if (positional.size() > 1)
        return Why("one data file, not " + std::to_string(positional.size()));
    if (a.rewrite && (a.workFile || a.output || a.totalsCsv || a.sketch))
        return Why("--rewrite cannot be combined with --work-file, --output, --totals-csv or "
                   "--sketch");
    if (a.workFile && a.sketch) // a sketch is drawn from a job's blocks
        return Why("--work-file cannot be combined with --sketch");
    if (a.landXml && (a.workFile || a.output || a.totalsCsv || a.sketch || a.rewrite))
        return Why("--check-alignment cannot be combined with --work-file, --output, "
                   "--totals-csv, --sketch or --rewrite");
    if (a.alignment && !a.landXml) return Why("--alignment needs --check-alignment");
    a.input = positional[0];
    return a;
}

std::optional<Session> MakeSession() {
    // First the workspaces of killed runs that hold nothing to recover.
    const Result<std::filesystem::path> parent = WorkspaceParent();
    if (!parent) {
        PrintMessage(parent.error());
        return std::nullopt;
    }
    SweepStaleWorkspaces(*parent);
    Result<Session> session = Session::Create(*parent);
    if (!session) {
        PrintMessage(session.error());
        return std::nullopt;
    }
    return std::move(*session);
}

// Says why it failed, if it did; true when it was done.
bool Done(const Status& status) {
    if (status.failed()) PrintMessage(status.error());
    return status.has_value();
}

// Tells what reading a data file said; false when nothing can be written from it.
bool Told(const Result<CardFileRead>& read, bool& limitReached) {
    if (!read) {
        PrintMessage(read.error());
        return false;
    }
    for (const Message& m : read->notices)
        PrintMessage(m);
    limitReached = read->limitReached;
    return true;
}

// Opens DATAFILE; false when nothing can be written from it.
bool Load(Session& session, const std::string& dataFile, bool& limitReached) {
    return Told(dataFile == "-" ? session.Open(std::cin, dataFile) : session.Open(dataFile),
                limitReached);
}

int Rewrite(const Arguments& a) {
    auto session = MakeSession();
    if (!session) return kExitFailed;
    bool limitReached = false;
    if (!Load(*session, a.input, limitReached)) return kExitFailed;
    if (!Done(session->SaveAs(*a.rewrite))) return kExitFailed;
    return limitReached ? kExitLimit : kExitOk;
}

// The SVG sketch of every described block, as DIR/block-NNN.svg, each made beside its name and
// renamed over it (a link of that name is replaced, never written through). The sketches of
// blocks this job does not have go first, and that is said.
bool WriteSketches(const Session& session, const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    const Descriptor folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (error || !folder.valid()) {
        PrintMessage({"Cannot write sketches into " + dir + ": " +
                          (error ? error.message() : std::string(std::strerror(errno))),
                      "File Output Error"});
        return false;
    }
    const std::vector<NumberedSketch> sketches = SketchJob(session.job(), session.workspace());
    auto nameOf = [](int block) {
        char name[16];
        std::snprintf(name, sizeof name, "block-%03d.svg", block);
        return std::string(name);
    };
    int removed = 0;
    for (const std::string& name : EntriesAt(folder.get())) {
        struct stat st {};
        const bool ours = name.size() == 13 && name.starts_with("block-") &&
                          name.ends_with(".svg") &&
                          std::all_of(name.begin() + 6, name.begin() + 9,
                                      [](char c) { return c >= '0' && c <= '9'; });
        if (!ours || ::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            S_ISDIR(st.st_mode) ||
            std::any_of(sketches.begin(), sketches.end(),
                        [&](const NumberedSketch& s) { return nameOf(s.block) == name; }))
            continue;
        if (::unlinkat(folder.get(), name.c_str(), 0) == 0) ++removed;
    }
    if (removed > 0)
        PrintMessage({"removed " + std::to_string(removed) +
                          (removed == 1 ? " sketch of a block" : " sketches of blocks") +
                          " this job does not have",
                      "Sketches"});
    if (sketches.empty())
        PrintMessage({"no sketch was written: no block of this job has a description", "Sketches"});
    const Job& job = session.job();
    const std::string file = std::filesystem::path(job.dataFileName).filename().string();
    for (const NumberedSketch& s : sketches) {
        const std::string about =
            "block " + std::to_string(s.block) + ", Ref No. " + job.idxRefNum + ", " + file;
        if (!Done(ReplaceFileAt(folder.get(), dir + "/", nameOf(s.block),
                                SketchSvg(s.sketch, about), Keep::Durable)))
            return false;
    }
    return true;
}

// An output that names the file being read (the same file, by any name): refused, for writing
// it would put the report where the job was.
bool OverwritesInput(const Arguments& a) {
    struct stat in {};
    if (::stat(a.input.c_str(), &in) != 0) return false;
    for (const auto& out : {a.output, a.totalsCsv}) {
        struct stat st {};
        if (out && ::stat(out->c_str(), &st) == 0 && st.st_dev == in.st_dev &&
            st.st_ino == in.st_ino) {
            PrintMessage({"Cannot write the file " + *out + ": it would overwrite the data file " +
                              a.input + ".",
                          "File Output Error"});
            return true;
        }
    }
    return false;
}

// The bytes of the data or work file named (standard input for "-"), held as read; false, said,
// when they cannot be had.
struct InputText {
    FileBytes file;
    std::string stream;
    std::string_view view;

    bool Read(const std::string& from) {
        if (from == "-") {
            Result<std::string> text = ReadWholeStream(std::cin, from);
            if (!text) {
                PrintMessage(text.error());
                return false;
            }
            stream = std::move(*text);
            view = stream;
            return true;
        }
        Result<FileBytes> bytes = ReadWholeFile(from, kMaxTextFileBytes, true);
        if (!bytes) {
            PrintMessage(bytes.error());
            return false;
        }
        file = std::move(*bytes);
        view = file.view();
        return true;
    }
};

using ReportSink = std::function<void(std::string_view)>;

// Writes the report that produce(sink) gives to sink piece by piece: to the --output file, which
// is replaced only once the report is whole, or to standard output. False, said, when it cannot
// be written.
bool WriteReport(const Arguments& a, const std::function<void(const ReportSink&)>& produce) {
    if (a.output) {
        return Done(WriteFileAtomically(*a.output, [&produce](int fd) {
            int error = 0;
            try {
                produce([&error, fd](std::string_view piece) {
                    if (error == 0) error = WriteAllBytes(fd, piece);
                });
            } catch (const std::bad_alloc&) {
                return ENOMEM; // the new file goes, and the old one stays
            }
            return error;
        }));
    }
    produce([](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), stdout); });
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintMessage(Message{"Cannot write the report to standard output", "File Output Error"});
        return false;
    }
    return true;
}

int Report(const Arguments& a) {
    if (OverwritesInput(a)) return kExitFailed;
    RunOptions options{ParseSourceDateEpoch(std::getenv("SOURCE_DATE_EPOCH"))};
    bool limitReached = false;
    // Sketches are drawn from the blocks' files in a workspace; a report alone is computed in
    // memory, from the same reader, writer and run, and written out as the run goes.
    std::optional<Session> session;
    RunOutcome run;
    if (a.sketch) {
        session = MakeSession();
        if (!session || !Load(*session, a.input, limitReached)) return kExitFailed;
        Result<RunOutcome> ran = session->Report(options);
        if (!ran) {
            PrintMessage(ran.error());
            return kExitFailed;
        }
        run = std::move(*ran);
        if (!WriteReport(a, [&run](const ReportSink& sink) { sink(run.report); }))
            return kExitFailed;
    } else {
        // What killed runs of the workspace's kind left behind goes first, as with a workspace.
        if (const Result<std::filesystem::path> parent = WorkspaceParent())
            SweepStaleWorkspaces(*parent);
        InputText text;
        if (!text.Read(a.input)) return kExitFailed;
        // The work text in pieces: the cards as written, the rows where they were read.
        Job job;
        BlockRowTexts rows;
        Result<CardFilePieces> work{CardFilePieces()};
        if (!a.workFile) {
            if (!Told(ReadCardFileText(job, text.view, rows), limitReached)) return kExitFailed;
            work = CardFileInPieces(job, rows);
            if (!work) {
                PrintMessage(work.error());
                return kExitFailed;
            }
        }
        const std::vector<std::string_view> pieces =
            a.workFile ? std::vector<std::string_view>{text.view} : work->Pieces();
        if (!WriteReport(a, [&](const ReportSink& sink) {
                options.reportSink = sink;
                options.listCards = false; // no sketches to draw from them
                run = RunCardPieces(VersionLine(), pieces, options);
            }))
            return kExitFailed;
    }
    // The report first: the totals and the sketches are written only when it is, and a
    // failure after it says what was written.
    if (a.totalsCsv &&
        !Done(WriteFileAtomically(*a.totalsCsv, TotalsCsv(run.metric, run.blocks, run.grand)))) {
        PrintMessage(
            {"The report was written; the totals and the sketches were not.", "File Output Error"});
        return kExitFailed;
    }
    if (a.sketch && !WriteSketches(*session, *a.sketch)) {
        PrintMessage({std::string("The report") + (a.totalsCsv ? " and the totals were" : " was") +
                          " written; not every sketch was.",
                      "File Output Error"});
        return kExitFailed;
    }
    return limitReached ? kExitLimit : kExitOk;
}

// Each block's curve data against the alignment: a table on standard output.
int CheckAlignment(const Arguments& a) {
    const Result<LandXmlFile> file = ReadLandXml(*a.landXml);
    if (!file) {
        PrintMessage(file.error());
        return kExitFailed;
    }
    const Result<const Alignment*> alignment = ChooseAlignment(*file, a.alignment.value_or(""));
    if (!alignment) {
        PrintMessage(alignment.error());
        return kExitFailed;
    }
    auto session = MakeSession();
    if (!session) return kExitFailed;
    bool limitReached = false;
    if (!Load(*session, a.input, limitReached)) return kExitFailed;
    const Result<RunOutcome> run = session->Report();
    if (!run) {
        PrintMessage(run.error());
        return kExitFailed;
    }
    std::vector<BlockCheck> checks;
    for (const CodedBlock& block : CodedBlocks(session->job(), *run))
        checks.push_back(CheckBlock(block, **alignment, file->unit, run->metric));
    for (const std::string& line : CheckTable(checks, (*alignment)->name))
        std::cout << line << '\n';
    std::cout.flush();
    if (!std::cout) {
        PrintMessage(Message{"Cannot write the check to standard output", "File Output Error"});
        return kExitFailed;
    }
    const bool allAgree = std::all_of(checks.begin(), checks.end(), [](const BlockCheck& c) {
        return c.verdict == Verdict::Agrees;
    });
    return allAgree && !limitReached ? kExitOk : kExitLimit;
}

} // namespace

int main(int argc, char** argv) {
    // The file texts of a run (a few hundred kB each) come and go one after another: keep them
    // on the heap, where each reuses the pages of the last, instead of mapping fresh pages.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << kUsage;
        return kExitOk;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "sidewalk-report " << VersionText() << '\n';
        return kExitOk;
    }
    const Expected<Arguments, std::string> a = Parse(args);
    if (!a) return Usage(a.error());
    // A file size limit makes a write fail (EFBIG, told as any write error) rather than kill the
    // run half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        return a->rewrite ? Rewrite(*a) : a->landXml ? CheckAlignment(*a) : Report(*a);
    } catch (const std::bad_alloc&) {
        PrintMessage(
            {"There is not enough memory for this job. Nothing was written.", "Critical Error"});
        return kExitFailed;
    }
}
