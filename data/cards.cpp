// Formatting of header, block and row cards.
#include "data/cards.hpp"

#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "data/text.hpp"

namespace sidewalk {

namespace {

struct NumericField {
    const char* name;
    const std::string& text;
    const char* pattern;
    int width;
};

Message DoesNotFit(const std::string& where, const NumericField& f, const std::string& shown) {
    return Message{where + ": the " + f.name + " " + shown + " does not fit in the " +
                       std::to_string(f.width) + " columns of its card field. Nothing was written.",
                   "Data Error", MessageKind::Error};
}

// Formats each field and appends it, right-justified and followed by a blank when `blank`.
std::optional<Message> AppendNumbers(std::string& out, const std::string& where,
                                     std::initializer_list<NumericField> fields) {
    for (const NumericField& f : fields) {
        const std::string text = Format(Val(f.text), f.pattern);
        if (static_cast<int>(text.size()) > f.width) return DoesNotFit(where, f, text);
        out += PadField(text, f.width, "L");
        out += ' ';
    }
    return std::nullopt;
}

Message CodeDoesNotFit(const std::string& where, const char* name, const std::string& text) {
    return Message{where + ": the " + name + " \"" + text +
                       "\" is longer than its one column on the card. Nothing was written.",
                   "Data Error", MessageKind::Error};
}

} // namespace

std::string HeaderCard(const Job& job) {
    return "CRZ41 " + PadField(job.idxRefNum, 7, "R") + " " + PadField(job.idxProject, 11, "R") +
           " " + PadField(job.idxDate, 10, "R") + " " + job.jobUnits + " " + job.idxEng;
}

std::optional<Message> BlockCard(const Job& job, int n, std::string& card) {
    const BlockHeader& h = job.header(n);
    const std::string where = "Block " + std::to_string(n);
    if (h.aliTyp.size() > 1) return CodeDoesNotFit(where, "direction", h.aliTyp);
    if (h.blSide.size() > 1) return CodeDoesNotFit(where, "side", h.blSide);

    std::string out = "11 " + h.aliTyp + " " + PadField(h.blSide, 1, "R") + " ";
    if (auto error = AppendNumbers(
            out, where,
            {{"distance from back of curb to back of sidewalk", h.bcbsw, "####0.000", 8},
             {"sidewalk width", h.widsw, "#0.000", 6},
             {"left curb offset W1", h.w1, "##0.000", 7},
             {"right curb offset W2", h.w2, "##0.000", 7},
             {"baseline radius", h.radiusBl, "#####0.0000", 11}}))
        return error;
    out += UpperCase(h.blkDesc);
    card = std::move(out);
    return std::nullopt;
}

std::optional<Message> RowCard(const BlockRow& row, int block, int rowNo, std::string& card) {
    const std::string where = "Block " + std::to_string(block) + ", row " + std::to_string(rowNo);
    if (row.type.size() > 1) return CodeDoesNotFit(where, "type", row.type);

    std::string out = "0" + row.type + " ";
    // Station and plus are joined by "+" instead of a blank.
    if (auto error = AppendNumbers(
            out, where,
            {{"area or length", row.area, "###0.000", 8}, {"station", row.station, "####0", 4}}))
        return error;
    out.back() = '+';
    if (auto error = AppendNumbers(
            out, where, {{"plus", row.plus, "00.000", 6}, {"radius", row.radius, "####0.000", 8}}))
        return error;
    out.pop_back(); // the radius ends the card
    card = std::move(out);
    return std::nullopt;
}

} // namespace sidewalk
