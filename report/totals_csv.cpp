// Totals as CSV.
#include "report/totals_csv.hpp"

#include <initializer_list>

#include "data/number.hpp"

namespace sidewalk {

namespace {

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

void Row(std::string& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& f : fields) {
        if (!first) out += ',';
        out += Quoted(f);
        first = false;
    }
    out += "\r\n";
}

std::string Fig(double v) {
    return Format(v, "0.000");
}

const char* StatusText(BlockStatus status) {
    switch (status) {
    case BlockStatus::Computed:
        return "computed";
    case BlockStatus::Rejected:
        return "rejected";
    case BlockStatus::CannotCompute:
        return "cannot be computed";
    case BlockStatus::NotClosed:
        break;
    }
    return "not closed";
}

} // namespace

std::string TotalsCsv(bool metric, const std::vector<BlockSummary>& blocks, const JobFigures& job) {
    std::string out;
    if (metric)
        Row(out,
            {"block", "description", "sidewalk_100mm_sq_m", "sidewalk_150mm_sq_m", "grass_sq_m",
             "roadway_curb_m", "return_1_curb_m", "return_2_curb_m", "total_curb_m", "status"});
    else
        Row(out,
            {"block", "description", "sidewalk_4in_sq_ft", "sidewalk_6in_sq_ft", "grass_sq_ft",
             "roadway_curb_ft", "return_1_curb_ft", "return_2_curb_ft", "total_curb_ft", "status"});
    for (const BlockSummary& b : blocks) {
        if (b.status == BlockStatus::Computed)
            Row(out, {std::to_string(b.number), b.description, Fig(b.sw4Area), Fig(b.sw6Area),
                      Fig(b.grassArea), Fig(b.roadwayCurb), Fig(b.return1Curb), Fig(b.return2Curb),
                      Fig(b.totalCurb), StatusText(b.status)});
        else
            Row(out, {std::to_string(b.number), b.description, "", "", "", "", "", "", "",
                      StatusText(b.status)});
    }
    Row(out, {"job", "GRAND TOTAL", Fig(job.grand4Area), Fig(job.grand6Area),
              Fig(job.grandGrassArea), "", "", "", Fig(job.grandCurb), ""});
    return out;
}

} // namespace sidewalk
