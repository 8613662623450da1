// sidewalk-report: reads a job's data file with the same reader and writer as the desktop
// program, for checking and batch work.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/job.hpp"
#include "data/reader.hpp"
#include "data/workspace.hpp"
#include "data/writer.hpp"

namespace {

using namespace sidewalk;

constexpr int kExitOk = 0;
constexpr int kExitLimit = 1;
constexpr int kExitFailed = 2;

constexpr std::string_view kUsage =
    "usage: sidewalk-report --rewrite OUTFILE DATAFILE\n"
    "       sidewalk-report --help\n"
    "\n"
    "  --rewrite OUTFILE DATAFILE  read DATAFILE and save the job to OUTFILE in the current\n"
    "                              card layout (an older file is converted)\n"
    "\n"
    "Exit status: 0 done; 1 done, but the reader stopped at its limit of 100 blocks or\n"
    "100 rows in a block; 2 nothing written.\n";

void PrintMessage(const Message& m) { std::cerr << m.title << ": " << m.text << '\n'; }

int Usage() {
    std::cerr << kUsage;
    return kExitFailed;
}

int Rewrite(const std::string& outFile, const std::string& dataFile) {
    Message error;
    std::optional<Workspace> ws = Workspace::Create(error);
    if (!ws) {
        PrintMessage(error);
        return kExitFailed;
    }
    Job job;
    job.dataFileName = dataFile;
    const ReadResult read = ReadDataFile(job, *ws);
    for (const Message& m : read.messages) PrintMessage(m);
    if (read.outcome == ReadOutcome::Invalid || read.outcome == ReadOutcome::Failed)
        return kExitFailed;
    if (auto failure = WriteDataFile(job, *ws, std::filesystem::path(outFile))) {
        PrintMessage(*failure);
        return kExitFailed;
    }
    return read.outcome == ReadOutcome::LimitReached ? kExitLimit : kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << kUsage;
        return kExitOk;
    }
    if (args.size() == 3 && args[0] == "--rewrite") return Rewrite(args[1], args[2]);
    return Usage();
}
