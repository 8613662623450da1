// Text rules shared by every card file.
#include "data/text.hpp"

#include <cstring>

namespace sidewalk {

void UpperCaseInPlace(std::string& text) {
    UpperCaseInPlace(text.data(), text.size());
}

void UpperCaseInPlace(char* text, std::size_t size) {
    // Sixteen bytes at a time (GCC and Clang vector types): as signed bytes, those of 0x80 and
    // above are negative, so only a..z lie in the range and lose their 0x20 bit.
    typedef signed char Bytes __attribute__((vector_size(16)));
    std::size_t i = 0;
    for (; i + sizeof(Bytes) <= size; i += sizeof(Bytes)) {
        Bytes v;
        std::memcpy(&v, text + i, sizeof v);
        const Bytes lower = (v >= 'a') & (v <= 'z'); // -1 where a..z, else 0
        v -= lower & 0x20;
        std::memcpy(text + i, &v, sizeof v);
    }
    for (; i < size; ++i)
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
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
