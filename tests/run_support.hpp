// Helpers for the report tests: card builders in the data file layout and a fixed-time run.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compute/run_report.hpp"
#include "data/cards.hpp"
#include "report/page.hpp"

namespace sidewalk::test {

inline std::string Header(const std::string& units = "E") {
    return "CRZ41 REF     PROJ-1      01/01/2006 " + units + " ENGINEER";
}

inline std::string Block(const std::string& dir, const std::string& side, const std::string& d,
                         const std::string& s, const std::string& w1, const std::string& w2,
                         const std::string& radius, const std::string& desc = "BLOCK") {
    Job job;
    job.header(1) = {dir, side, d, s, w1, w2, radius, desc};
    std::string card;
    EXPECT_FALSE(BlockCard(job, 1, card));
    return card;
}

inline std::string Row(const std::string& type, const std::string& area, const std::string& station,
                       const std::string& plus, const std::string& radius = "") {
    std::string card;
    EXPECT_FALSE(RowCard({type, area, station, plus, radius}, 1, 1, card));
    return card;
}

// 1 January 1970, 00:00:00 UTC.
inline RunState RunJob(const std::vector<std::string>& cards, std::time_t at = 0) {
    return RunCards("ZARN V4.2.0 04/2006", cards, RunOptions{at});
}

inline std::vector<std::string> Lines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < report.size()) {
        const auto end = report.find("\r\n", from);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(report.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

// The lines of each page of the report, split at its form-feed lines.
inline std::vector<std::vector<std::string>> Pages(const std::string& report) {
    std::vector<std::vector<std::string>> pages;
    for (std::string_view page : SplitPages(report))
        pages.push_back(Lines(std::string(page)));
    return pages;
}

inline int Count(const std::string& report, const std::string& line) {
    int n = 0;
    for (const std::string& l : Lines(report))
        n += l == line ? 1 : 0;
    return n;
}

} // namespace sidewalk::test
