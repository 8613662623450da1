// Formatting of header, block and row cards.
#include "data/cards.hpp"

#include "data/card_layout.hpp"
#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "data/text.hpp"

namespace sidewalk {

namespace {

Unexpected<Message> DoesNotFit(const std::string& where, const NumberField& f,
                               const std::string& shown) {
    return Failure({where + ": the " + std::string(f.name) + " " + shown + " does not fit in the " +
                        std::to_string(f.columns.width) +
                        " columns of its card field. Nothing was written.",
                    "Data Error", MessageKind::Error});
}

// Formats each field and appends it right-justified and followed by a blank.
Status
AppendNumbers(std::string& out, const std::string& where,
              std::initializer_list<std::pair<const NumberField&, const std::string&>> fields) {
    for (const auto& [f, value] : fields) {
        const std::string text = Format(Val(value), f.pattern);
        // Shown as typed, and no longer than a message can hold ("1e308999" formats to 309 digits).
        if (static_cast<int>(text.size()) > f.columns.width)
            return DoesNotFit(where, f, value.size() > 20 ? value.substr(0, 20) + "..." : value);
        out += PadField(text, f.columns.width, "L");
        out += ' ';
    }
    return {};
}

Unexpected<Message> CodeDoesNotFit(const std::string& where, const char* name,
                                   const std::string& text) {
    return Failure({where + ": the " + name + " \"" + text +
                        "\" is longer than its one column on the card. Nothing was written.",
                    "Data Error", MessageKind::Error});
}

} // namespace

std::string HeaderCard(const Job& job) {
    return std::string(kCurrentTag) + " " + PadField(job.idxRefNum, 7, "R") + " " +
           PadField(job.idxProject, 11, "R") + " " + PadField(job.idxDate, 10, "R") + " " +
           job.jobUnits + " " + job.idxEng;
}

Result<std::string> BlockCard(const Job& job, int n) {
    const BlockHeader& h = job.header(n);
    const std::string where = "Block " + std::to_string(n);
    if (h.aliTyp.size() > 1) return CodeDoesNotFit(where, "direction", h.aliTyp);
    if (h.blSide.size() > 1) return CodeDoesNotFit(where, "side", h.blSide);

    std::string out =
        std::string(kBlockCardType) + " " + h.aliTyp + " " + PadField(h.blSide, 1, "R") + " ";
    using namespace block_card;
    if (const Status done = AppendNumbers(out, where,
                                          {{kBcbsw, h.bcbsw},
                                           {kWidsw, h.widsw},
                                           {kW1, h.w1},
                                           {kW2, h.w2},
                                           {kRadiusBl, h.radiusBl}});
        done.failed())
        return Failure(done.error());
    out += UpperCase(h.blkDesc);
    return out;
}

Result<std::string> RowCard(const BlockRow& row, int block, int rowNo) {
    const std::string where = "Block " + std::to_string(block) + ", row " + std::to_string(rowNo);
    if (row.type.size() > 1) return CodeDoesNotFit(where, "type", row.type);

    std::string out = "0" + row.type + " ";
    using namespace row_card;
    // Station and plus are joined by "+" instead of a blank.
    if (const Status done = AppendNumbers(out, where, {{kArea, row.area}, {kStation, row.station}});
        done.failed())
        return Failure(done.error());
    out.back() = '+';
    if (const Status done = AppendNumbers(out, where, {{kPlus, row.plus}, {kRadius, row.radius}});
        done.failed())
        return Failure(done.error());
    out.pop_back(); // the radius ends the card
    return out;
}

} // namespace sidewalk
