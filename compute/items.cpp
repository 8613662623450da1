// Item quantities by type: driveways (types 0, 2, 3), extra grass, curb, sidewalk and driveway
// areas (5 to 8) and sidewalk exceptions (9).
#include "compute/quantities.hpp"

namespace sidewalk {

namespace {

void Driveway0(BlockSums& s, const BlockShape& b, double a) {
    const double d = b.d;
    if (d > 0) {
        s.sidewalkDeductLength += a;
        s.sw6Area += d * a;
        s.grassDeductLength += a;
        s.driveway6Length += a;
    }
}

// Type 2 and 3 sums, English rule: the flares and tapers are taken through the deductions.
double DrivewaySumsEnglish(BlockSums& s, const BlockShape& b, const UnitRules& u, int type,
                           double a) {
    const double d = b.d;
    const double sw = b.sw;
    const double g = b.grass;
    const double f = u.drivewayFlare;
    if (g > u.narrowGrassLimit) {
        if (type == 2) a = a - 2 * u.dropCurbTaperWide;
        s.sidewalkDeductLength += a;
        s.sw6Area += d * a + f * g;
        s.grassDeductLength += a + f;
    } else {
        const double t = sw * f / d;
        if (type == 2) a = a - 2 * u.dropCurbTaperNarrow;
        s.sw6Area += d * a + f * d + sw * t;
        s.grassDeductLength += a + 2 * f - (f - t);
        s.sidewalkDeductLength += a + 2 * t;
    }
    return a;
}

// Type 2 and 3 sums, metric rule: the areas come off the 4-inch and grass areas directly.
double DrivewaySumsMetric(BlockSums& s, const BlockShape& b, const UnitRules& u, int type,
                          double a) {
    const double d = b.d;
    const double sw = b.sw;
    const double g = b.grass;
    const double f = u.drivewayFlare;
    if (g >= u.narrowGrassLimit) {
        if (type == 2) a = a - 2 * u.dropCurbTaperWide;
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
        if (type == 2) a = a - 2 * u.dropCurbTaperNarrow;
        s.sw6Area += (d - 3.0) * a;
        s.sw6Area += 3.0 * f + 3.0 * a;
        s.grassArea -= (2 * f + a) * g;
        s.grassArea += g * g;
        s.sw4Area -= sw * a;
        s.sw4Area -= (3.0 - g) * (3.0 - g);
    }
    return a;
}

} // namespace

bool IsItemType(int type) {
    return type == 0 || type == 2 || type == 3 || (type >= 5 && type <= 9);
}

bool OverDrivewayLimit(const UnitRules& rules, int type, double length) {
    return (type == 0 || type == 2 || type == 3) && length > rules.drivewayLimit;
}

void AddItem(BlockSums& s, const BlockShape& shape, const UnitRules& rules, int type, double a) {
    switch (type) {
    case 0:
        Driveway0(s, shape, a);
        break;
    case 2:
    case 3: // the shortened length of a type 2 serves this card's sums only
        if (shape.d > 0)
            s.driveway6Length += rules.metric ? DrivewaySumsMetric(s, shape, rules, type, a)
                                              : DrivewaySumsEnglish(s, shape, rules, type, a);
        break;
    case 5:
        s.grassArea += a;
        break;
    case 6:
        s.extraCurbNo += 1;
        s.totalCurb += a;
        if (s.extraCurbNo == 1)
            s.return1Curb += a;
        else
            s.return2Curb += a;
        break;
    case 7:
        s.sw4Area += a;
        break;
    case 8:
        s.sw6Area += a;
        break;
    case 9:
        s.sidewalkDeductLength += a;
        break;
    default:
        break;
    }
}

} // namespace sidewalk
