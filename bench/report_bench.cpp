// Speed of the largest job the program allows (100 blocks of 100 rows, every item type):
// writing the work file plus the report run, reading the data file, a sketch, and a grid cell
// kept for recovery, and the memory the history of changes takes.
//   report_bench                      run the benchmarks
//   report_bench --write-job FILE     only save that job to FILE (for timing the command)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "compute/block_sketch.hpp"
#include "compute/run_report.hpp"
#include "compute/sketch_svg.hpp"
#include "data/block_file.hpp"
#include "data/reader.hpp"
#include "data/workspace.hpp"
#include "data/writer.hpp"
#include "session/session.hpp"

namespace {

using namespace sidewalk;

// Fills the job and its block files: alternating tangent and curved blocks, each a return,
// 98 items cycling through every item type, and a closing return.
Job LargestJob(const Workspace& ws) {
    static const char* kItems[] = {"0", "2", "3", "5", "6", "7", "8", "9"};
    Job job;
    job.idxRefNum = "BENCH";
    job.idxProject = "100X100";
    job.idxDate = "01/01/2006";
    job.jobUnits = "E";
    job.idxEng = "BENCHMARK";
    for (int n = 1; n <= kMaxBlocks; ++n) {
        const bool curved = n % 2 == 0;
        job.header(n) = {curved ? (n % 4 == 0 ? "L" : "R") : "T",
                         n % 3 == 0 ? "L" : "R",
                         "12",
                         "5",
                         "22",
                         "22",
                         curved ? "954.9297" : "",
                         "BLOCK " + std::to_string(n) + " OF THE LARGEST JOB"};
        ClearBlockRows(job);
        for (int r = 1; r <= kMaxRows; ++r) {
            BlockRow& row = job.row(r);
            const bool isReturn = r == 1 || r == kMaxRows;
            row.type = isReturn ? (r == 1 ? "4" : "1") : kItems[r % 8];
            row.area = isReturn ? "0" : std::to_string(4 + r % 20);
            row.station = std::to_string(10 + r * 2);
            row.plus = std::to_string(r % 100) + ".5";
            row.radius = isReturn ? "25" : "0";
        }
        if (const Status written = WriteBlockFile(ws.BlockFileName(n), n, job); written.failed()) {
            std::fprintf(stderr, "%s\n", written.error().text.c_str());
            std::exit(1);
        }
    }
    return job;
}

Workspace MustMakeWorkspace() {
    auto ws = Workspace::Create();
    if (!ws) {
        std::fprintf(stderr, "%s\n", ws.error().text.c_str());
        std::exit(1);
    }
    return std::move(*ws);
}

void WriteDataFileAndRunReport(benchmark::State& state) {
    const Workspace ws = MustMakeWorkspace();
    const Job job = LargestJob(ws);
    if (ws.WriteVersionFile().failed()) state.SkipWithError("no version record");
    const RunOptions options{0};
    for (auto _ : state) {
        if (!WriteWorkFile(job, ws)) state.SkipWithError("write");
        const Result<RunOutcome> run = RunReport(ws, options);
        if (!run) {
            state.SkipWithError("report");
            break;
        }
        benchmark::DoNotOptimize(run->grand.grandCurb);
    }
}
BENCHMARK(WriteDataFileAndRunReport)->Unit(benchmark::kMillisecond);

void ReadDataFileOfTheLargestJob(benchmark::State& state) {
    const Workspace source = MustMakeWorkspace();
    const Job job = LargestJob(source);
    const std::filesystem::path file = source.File("LARGEST.V41");
    if (WriteDataFile(job, source, file).failed()) state.SkipWithError("write");
    const Workspace ws = MustMakeWorkspace();
    for (auto _ : state) {
        // Open deletes the block files before it reads, as a separate step.
        state.PauseTiming();
        ws.DeleteBlockFiles();
        state.ResumeTiming();
        Job read;
        read.dataFileName = file.string();
        const Result<CardFileRead> result = ReadDataFile(read, ws);
        if (!result || result->limitReached) state.SkipWithError("read");
        else benchmark::DoNotOptimize(result->blockCount);
    }
}
BENCHMARK(ReadDataFileOfTheLargestJob)->Unit(benchmark::kMillisecond);

// What the sketch window does after a row changes, for a curved block of 100 rows: the sketch
// drawn from the header and rows (and, for the command, its SVG text). The job's open rows are
// the last block's.
void SketchOfA100RowBlock(benchmark::State& state) {
    const Workspace ws = MustMakeWorkspace();
    const Job job = LargestJob(ws);
    for (auto _ : state) {
        const BlockSketch sketch = SketchBlock(job.header(kMaxBlocks), job.rows, false);
        benchmark::DoNotOptimize(SketchSvg(sketch).size());
    }
}
BENCHMARK(SketchOfA100RowBlock)->Unit(benchmark::kMillisecond);

// What one committed grid cell costs the desktop program: a 100-row block's rows stored, and its
// block file and the job's snapshot written durably (flushed to disk), in a workspace on the disk
// of the folder the benchmark runs in, as the recovery folder is.
void CommittedCellKeptForRecovery(benchmark::State& state) {
    const Job job = LargestJob(MustMakeWorkspace());
    auto session = Session::Create(std::filesystem::current_path());
    if (!session) state.SkipWithError(session.error().text.c_str());
    session->KeepSnapshots();
    session->StoreBlockHeader(1, LoadBlockHeader(job, 1));
    BlockRowsLoad loaded = *session->LoadBlockRows(1);
    GridTexts grid = job.rows;
    int typed = 0;
    for (auto _ : state) {
        grid[50].area = std::to_string(++typed % 90 + 1);
        session->KeepGridRows(1, grid, loaded);
    }
}
BENCHMARK(CommittedCellKeptForRecovery)->Unit(benchmark::kMillisecond);

// The history's memory for 1,000 steps, the most it keeps, each a paste over a whole 100-row
// block of the largest job (the largest step a user action makes): "history MB".
void HistoryOfAThousandPastes(benchmark::State& state) {
    const Job job = LargestJob(MustMakeWorkspace());
    auto session = Session::Create();
    if (!session) state.SkipWithError(session.error().text.c_str());
    for (int n = 1; n <= kMaxBlocks; ++n)
        session->StoreBlockHeader(n, LoadBlockHeader(job, n));
    for (auto _ : state) {
        for (int step = 0; step < 1000; ++step) {
            const int n = step % kMaxBlocks + 1;
            BlockRowsLoad loaded = session->LoadBlockRows(n).value_or({n});
            GridTexts grid = job.rows;
            for (int r = 1; r <= kMaxRows; ++r)
                grid[static_cast<std::size_t>(r)].area = std::to_string(step % 90 + r);
            const Session::Step paste(*session, "Paste");
            (void)session->StoreBlockRows(n, grid, loaded); // a workspace write does not fail here
        }
    }
    state.counters["history MB"] = static_cast<double>(session->history().Bytes()) / 1e6;
    state.counters["steps"] = static_cast<double>(session->history().size());
}
BENCHMARK(HistoryOfAThousandPastes)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-job") == 0) {
        const Workspace ws = MustMakeWorkspace();
        const Job job = LargestJob(ws);
        if (const Status written = WriteDataFile(job, ws, std::filesystem::path(argv[2]));
            written.failed()) {
            std::fprintf(stderr, "%s\n", written.error().text.c_str());
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
