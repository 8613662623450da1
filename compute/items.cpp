// Item quantities by type.
#include "compute/items.hpp"

#include <string>

#include "data/number.hpp"
#include "data/text.hpp"
#include "report/page.hpp"

namespace sidewalk {

namespace {

constexpr FormatPattern kLength = ParsePattern("###0.000"); // a type 0 driveway
constexpr FormatPattern kFigure = ParsePattern("##0.000");  // every other item

// How an item line shows its type: driveways with two digits ("03"), extra areas, curb and
// exceptions right-justified in two (" 7").
enum class TypeShown { TwoDigits, RightJustified };

// The line of an item: " TYPE " + its type + label + its figure + tail + "APPROX STA. " + station.
void ItemLine(RunState& s, TypeShown type, std::string_view label, double a,
              const FormatPattern& pattern, std::string_view tail) {
    static constexpr FormatPattern kTwoDigits = ParsePattern("00");
    static constexpr FormatPattern kWhole = ParsePattern("##0");
    std::string& line = s.report; // built in place: one line for every item card
    line += " TYPE ";
    if (s.cardType >= 0 && s.cardType <= 99) { // every item type: its digits written directly
        const char tens = static_cast<char>('0' + s.cardType / 10);
        line += tens == '0' && type == TypeShown::RightJustified ? ' ' : tens;
        line += static_cast<char>('0' + s.cardType % 10);
    } else if (type == TypeShown::TwoDigits) {
        AppendFormat(line, s.cardType, kTwoDigits);
    } else {
        AppendFigure(line, s.cardType, kWhole, 2);
    }
    line += label;
    AppendFigure(line, a, pattern, 8);
    line += tail;
    line += "APPROX STA. ";
    AppendRightJustified(line, s.stationText, 11);
    line += kLineEnd;
}

void DrivewayLimit(RunState& s, double a) {
    const double limit = s.metric() ? 18.2 : 60.0;
    if (a > limit) {
        StarBox(s, {" ***  DRIVEWAY GREATER THAN STANDARD INDEX ALLOWS"});
        s.lineNo += 5;
    }
}

void Driveway0(RunState& s) {
    const double a = s.areaOrLength;
    ItemLine(s, TypeShown::TwoDigits, "  6\" DRIVEWAY           = ", a, kLength,
             s.metric() ? "  M        " : "  FT.      ");
    DrivewayLimit(s, a);
    const double d = s.backCurbToBackSw;
    if (d > 0) {
        s.sidewalkDeductLength += a;
        s.sw6Area += d * a;
        s.grassDeductLength += a;
        s.driveway6Length += a;
    }
}

// Type 2 and 3 sums, English rule: the flares and tapers are taken through the deductions.
double DrivewaySumsEnglish(RunState& s, double a) {
    const double d = s.backCurbToBackSw;
    const double sw = s.sidewalkWidth;
    const double g = s.grassWidth;
    const double f = s.drivewayFlare;
    if (g > s.narrowGrassLimit) {
        if (s.cardType == 2) a = a - 2 * s.dropCurbTaperWide;
        s.sidewalkDeductLength += a;
        s.sw6Area += d * a + f * g;
        s.grassDeductLength += a + f;
    } else {
        const double t = sw * f / d;
        if (s.cardType == 2) a = a - 2 * s.dropCurbTaperNarrow;
        s.sw6Area += d * a + f * d + sw * t;
        s.grassDeductLength += a + 2 * f - (f - t);
        s.sidewalkDeductLength += a + 2 * t;
    }
    return a;
}

// Type 2 and 3 sums, metric rule: the areas come off the 4-inch and grass areas directly.
double DrivewaySumsMetric(RunState& s, double a) {
    const double d = s.backCurbToBackSw;
    const double sw = s.sidewalkWidth;
    const double g = s.grassWidth;
    const double f = s.drivewayFlare;
    if (g >= s.narrowGrassLimit) {
        if (s.cardType == 2) a = a - 2 * s.dropCurbTaperWide;
        s.sw6Area += sw * a;
        s.sw4Area -= sw * a;
        double t = 3.0 * f + 3.0 * a;
        s.sw6Area += t;
        s.grassArea -= t;
        if (g > 3.0) {
            t = (g - 3.0) * a;
            s.sw6Area += t;
            s.grassArea -= t;
        }
    } else {
        if (s.cardType == 2) a = a - 2 * s.dropCurbTaperNarrow;
        s.sw6Area += (d - 3.0) * a;
        s.sw6Area += 3.0 * f + 3.0 * a;
        s.grassArea -= (2 * f + a) * g;
        s.grassArea += g * g;
        s.sw4Area -= sw * a;
        s.sw4Area -= (3.0 - g) * (3.0 - g);
    }
    return a;
}

// Types 2 and 3. The shortened length of a type 2 serves this card's sums only.
void Driveway23(RunState& s) {
    const double a = s.areaOrLength;
    const bool metric = s.metric();
    ItemLine(s, TypeShown::TwoDigits,
             metric ? "  150.0MM DRIVEWAY      = " : "  6\" DRIVEWAY           = ", a, kFigure,
             metric ? " M         " : " FT        ");
    DrivewayLimit(s, a);
    if (!(s.backCurbToBackSw > 0)) return;
    s.driveway6Length += metric ? DrivewaySumsMetric(s, a) : DrivewaySumsEnglish(s, a);
}

// Extra areas and exceptions: the label and the unit text, English then metric.
struct ExtraItem {
    const char* label[2];
    const char* tail[2];
};
constexpr ExtraItem kExtraGrass = {{"  EXTRA GRASS AREA      = ", "  EXTRA GRASS AREA      = "},
                                   {" SQ. FT.   ", " SQ. M     "}};
constexpr ExtraItem kExtraSidewalk = {{"  EXTRA 4\" AREA         = ", "  EXTRA 100.0MM AREA    = "},
                                      {" SQ. FT.   ", " SQ. M     "}};
constexpr ExtraItem kExtraDriveway = {{"  EXTRA 6\" AREA         = ", "  EXTRA 150.0MM AREA    = "},
                                      {" SQ.FT.    ", " SQ. M     "}};
constexpr ExtraItem kException = {{"  4\" EXCEPTION          = ", "  100.0MM EXCEPTION     = "},
                                  {" FT.       ", " M         "}};

void Extra(RunState& s, const ExtraItem& item, double& into) {
    const int m = s.metric() ? 1 : 0;
    ItemLine(s, TypeShown::RightJustified, item.label[m], s.areaOrLength, kFigure, item.tail[m]);
    into += s.areaOrLength;
}

} // namespace

bool HandleItem(RunState& s) {
    switch (s.cardType) {
    case 0:
        Driveway0(s);
        return true;
    case 2:
    case 3:
        Driveway23(s);
        return true;
    case 5:
        Extra(s, kExtraGrass, s.grassArea);
        return true;
    case 6: {
        const double a = s.areaOrLength;
        s.extraCurbNo += 1;
        const std::string label = "  EX. CURB # " + Format(s.extraCurbNo, "0") + "          = ";
        ItemLine(s, TypeShown::RightJustified, label, a, kFigure,
                 s.metric() ? " M         " : " FT.       ");
        s.totalCurb += a;
        if (s.extraCurbNo == 1)
            s.return1Curb += a;
        else
            s.return2Curb += a;
        return true;
    }
    case 7:
        Extra(s, kExtraSidewalk, s.sw4Area);
        return true;
    case 8:
        Extra(s, kExtraDriveway, s.sw6Area);
        return true;
    case 9:
        Extra(s, kException, s.sidewalkDeductLength);
        return true;
    default:
        return false;
    }
}

} // namespace sidewalk
