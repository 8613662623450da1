// Numbers in texts: the Val rule that reads them, the Format patterns of "#" and "0"
// placeholders that write them, and rounding to a whole number.
#pragma once

#include <string>
#include <string_view>

namespace sidewalk {

// The Val rule: blanks anywhere are ignored; an optional sign, digits with "." as the only
// decimal point and an optional exponent (E or e) are read up to the first other character.
// An empty text, or one without a leading number, gives 0. A magnitude beyond the largest
// finite double reads as that largest value with its sign.
double Val(std::string_view text);

// Writes value with a pattern such as "####0.000": each "0" of the integer part forces a digit,
// "#" prints one only when significant, the integer part is never cut, there are exactly as
// many decimals as placeholders after the point, and a negative value gets a leading "-".
// The exact binary value is rounded to the pattern's decimals, an exact tie going away from
// zero; a value that rounds to zero has no minus sign. Never depends on the locale.
std::string Format(double value, std::string_view pattern);

// A Format pattern read once: its decimals ("0" or "#" after the point) and its forced integer
// digits ("0" before the point).
struct FormatPattern {
    int decimals = 0;
    int minIntDigits = 0;
};

constexpr FormatPattern ParsePattern(std::string_view pattern) {
    FormatPattern p;
    bool afterPoint = false;
    for (char c : pattern) {
        if (c == '.')
            afterPoint = true;
        else if (afterPoint && (c == '0' || c == '#'))
            ++p.decimals;
        else if (!afterPoint && c == '0')
            ++p.minIntDigits;
    }
    return p;
}

// Format with a pattern read before, and the same appended to out.
std::string Format(double value, const FormatPattern& pattern);
void AppendFormat(std::string& out, double value, const FormatPattern& pattern);
// The same right-justified: blanks first when it is shorter than width.
void AppendFormat(std::string& out, double value, const FormatPattern& pattern, int width);

// A figure as Format writes it, laid out in a buffer of its own where it can be (the figures of
// report lines: at most 3 decimals, not zero, less than 2^52 in magnitude), else Format's text.
class FigureText {
  public:
    static constexpr std::size_t kRoom = 32; // a sign, 20 forced digits, a point, 3 decimals
    FigureText(double value, const FormatPattern& pattern);
    FigureText(const FigureText&) = delete;
    FigureText& operator=(const FigureText&) = delete;
    std::string_view view() const { return view_; }

  private:
    char buffer_[kRoom];
    std::string slow_;
    std::string_view view_;
};

// Converts to a whole number by rounding, a tie going to the even neighbour.
double RoundHalfEven(double value);

} // namespace sidewalk
