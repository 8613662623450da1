// Text rules shared by every card file.
#include "data/text.hpp"

#include <cstdint>
#include <cstring>

namespace sidewalk {

void UpperCaseInPlace(std::string& text) {
    UpperCaseInPlace(text.data(), text.size());
}

namespace {

// The capital of a small letter written in two UTF-8 bytes whose capital takes two bytes as
// well (Latin-1, Latin Extended-A, Greek, Cyrillic), or 0: the card's byte count never changes.
char32_t TwoByteCapital(char32_t c) {
    if (c >= 0xE0 && c <= 0xFE) return c == 0xF7 ? 0 : c - 0x20; // not the division sign
    if (c == 0xFF) return 0x178;
    const bool oddSmall = (c >= 0x100 && c <= 0x137 && c != 0x131) || (c >= 0x14A && c <= 0x177);
    const bool evenSmall = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((oddSmall && c % 2 == 1) || (evenSmall && c % 2 == 0)) return c - 1;
    if (c >= 0x3B1 && c <= 0x3C9) return c == 0x3C2 ? 0x3A3 : c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return 0;
}

// Capitals for the two-byte UTF-8 letters of a text; every other byte stays.
void UpperCaseTwoByteLetters(char* text, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size; ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((lead & 0xE0) != 0xC0 || (next & 0xC0) != 0x80) continue;
        const char32_t capital = TwoByteCapital(((lead & 0x1Fu) << 6) | (next & 0x3Fu));
        if (capital != 0) {
            text[i] = static_cast<char>(0xC0 | (capital >> 6));
            text[i + 1] = static_cast<char>(0x80 | (capital & 0x3F));
        }
        ++i;
    }
}

} // namespace

void UpperCaseInPlace(char* text, std::size_t size) {
    // Sixteen bytes at a time (GCC and Clang vector types): as signed bytes, those of 0x80 and
    // above are negative, so only a..z lie in the range and lose their 0x20 bit. Capitals stay
    // as they are, so a short text's last vector may overlap the one before it.
    typedef signed char Bytes __attribute__((vector_size(16)));
    Bytes high = {}; // any byte of 0x80 and above, for the letters beyond ASCII
    auto capitals = [&high](char* at) {
        Bytes v;
        std::memcpy(&v, at, sizeof v);
        high |= v;
        const Bytes lower = (v >= 'a') & (v <= 'z'); // -1 where a..z, else 0
        v -= lower & 0x20;
        std::memcpy(at, &v, sizeof v);
    };
    if (size == 0) return;
    if (size < sizeof(Bytes)) {
        char shortText[sizeof(Bytes)] = {};
        std::memcpy(shortText, text, size);
        capitals(shortText);
        std::memcpy(text, shortText, size);
    } else {
        std::size_t i = 0;
        for (; i + sizeof(Bytes) <= size; i += sizeof(Bytes))
            capitals(text + i);
        if (i < size) capitals(text + size - sizeof(Bytes));
    }
    std::uint64_t halves[2];
    std::memcpy(halves, &high, sizeof halves);
    if (((halves[0] | halves[1]) & 0x8080808080808080u) != 0) UpperCaseTwoByteLetters(text, size);
}

bool ChangesInCapitals(std::string_view text) {
    typedef signed char Bytes __attribute__((vector_size(16)));
    if (text.size() < sizeof(Bytes)) {
        for (const char c : text)
            if ((c >= 'a' && c <= 'z') || static_cast<signed char>(c) < 0) return true;
        return false;
    }
    Bytes found = {}; // a..z, or a byte of 0x80 and above (negative as a signed byte)
    const auto look = [&found](const char* at) {
        Bytes v;
        std::memcpy(&v, at, sizeof v);
        found |= ((v >= 'a') & (v <= 'z')) | (v < 0);
    };
    std::size_t i = 0;
    for (; i + sizeof(Bytes) <= text.size(); i += sizeof(Bytes))
        look(text.data() + i);
    if (i < text.size()) look(text.data() + text.size() - sizeof(Bytes)); // overlapping the last
    std::uint64_t halves[2];
    std::memcpy(halves, &found, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    UpperCaseInPlace(out);
    return out;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string Columns(std::string_view line, int first, int width) {
    return std::string(ColumnsView(line, first, width));
}

std::string StrInt(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

} // namespace sidewalk
