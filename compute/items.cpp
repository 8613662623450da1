// Item quantities by type.
#include "compute/items.hpp"

#include <string>

#include "data/number.hpp"
#include "data/pad_field.hpp"
#include "report/page.hpp"

namespace sidewalk {

namespace {

constexpr const char* kInch = "\"";

std::string A8(double a, const char* pattern) { return PadField(Format(a, pattern), 8, "L"); }
std::string St(const RunState& s) { return PadField(s.stationText, 11, "L"); }
std::string T2(const RunState& s) { return Format(s.cardType, "00"); }
std::string T3(const RunState& s) { return PadField(Format(s.cardType, "##0"), 2, "L"); }

void DrivewayLimit(RunState& s, double a) {
    const double limit = s.metric() ? 18.2 : 60.0;
    if (a > limit) {
        StarBox(s, {" ***  DRIVEWAY GREATER THAN STANDARD INDEX ALLOWS"});
        s.lineNo += 5;
    }
}

void Driveway0(RunState& s) {
    const double a = s.areaOrLength;
    WriteLine(s, " TYPE " + T2(s) + "  6" + kInch + " DRIVEWAY           = " + A8(a, "###0.000") +
                     " " + s.lengthUnit + "      APPROX STA. " + St(s));
    DrivewayLimit(s, a);
    const double d = s.backCurbToBackSw;
    if (d > 0) {
        s.sidewalkDeductLength += a;
        s.sw6Area += d * a;
        s.grassDeductLength += a;
        s.driveway6Length += a;
    }
}

void DrivewayEnglish(RunState& s) {
    double a = s.areaOrLength;
    WriteLine(s, " TYPE " + T2(s) + "  6" + kInch + " DRIVEWAY           = " + A8(a, "##0.000") +
                     " FT        APPROX STA. " + St(s));
    DrivewayLimit(s, a);
    const double d = s.backCurbToBackSw;
    if (!(d > 0)) return;
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
    s.driveway6Length += a;
}

void DrivewayMetric(RunState& s) {
    double a = s.areaOrLength;
    WriteLine(s, " TYPE " + T2(s) + "  150.0MM DRIVEWAY      = " + A8(a, "##0.000") +
                     " M         APPROX STA. " + St(s));
    DrivewayLimit(s, a);
    const double d = s.backCurbToBackSw;
    if (!(d > 0)) return;
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
    s.driveway6Length += a;
}

} // namespace

bool HandleItem(RunState& s) {
    const double a = s.areaOrLength;
    const bool m = s.metric();
    switch (s.cardType) {
    case 0:
        Driveway0(s);
        return true;
    case 2:
    case 3:
        if (m)
            DrivewayMetric(s);
        else
            DrivewayEnglish(s);
        return true;
    case 5:
        WriteLine(s, " TYPE " + T3(s) + "  EXTRA GRASS AREA      = " + A8(a, "##0.000") + " SQ." +
                         s.lengthUnit + "   APPROX STA. " + St(s));
        s.grassArea += a;
        return true;
    case 6:
        s.extraCurbNo += 1;
        WriteLine(s, " TYPE " + T3(s) + "  EX. CURB # " + Format(s.extraCurbNo, "0") +
                         "          = " + A8(a, "##0.000") + s.lengthUnit +
                         "       APPROX STA. " + St(s));
        s.totalCurb += a;
        if (s.extraCurbNo == 1)
            s.return1Curb += a;
        else
            s.return2Curb += a;
        return true;
    case 7:
        WriteLine(s, " TYPE " + T3(s) +
                         (m ? "  EXTRA 100.0MM AREA    = " + A8(a, "##0.000") + " SQ. M     "
                            : "  EXTRA 4" + std::string(kInch) + " AREA         = " +
                                  A8(a, "##0.000") + " SQ. FT.   ") +
                         "APPROX STA. " + St(s));
        s.sw4Area += a;
        return true;
    case 8:
        WriteLine(s, " TYPE " + T3(s) +
                         (m ? "  EXTRA 150.0MM AREA    = " + A8(a, "##0.000") + " SQ. M     "
                            : "  EXTRA 6" + std::string(kInch) + " AREA         = " +
                                  A8(a, "##0.000") + " SQ.FT.    ") +
                         "APPROX STA. " + St(s));
        s.sw6Area += a;
        return true;
    case 9:
        WriteLine(s, " TYPE " + T3(s) +
                         (m ? "  100.0MM EXCEPTION     = " + A8(a, "##0.000") + " M         "
                            : "  4" + std::string(kInch) + " EXCEPTION          = " +
                                  A8(a, "##0.000") + " FT.       ") +
                         "APPROX STA. " + St(s));
        s.sidewalkDeductLength += a;
        return true;
    default:
        return false;
    }
}

} // namespace sidewalk
