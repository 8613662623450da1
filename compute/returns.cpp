// Return quantities and block ends, in plain IEEE double, each formula in the order written.
#include <cmath>
#include <optional>

#include "compute/quantities.hpp"

namespace sidewalk {

namespace {

// Arc functions that refuse arguments outside -1..1; one within 1e-9 of a bound is clamped.
std::optional<double> Clamped(double x) {
    if (std::isnan(x)) return std::nullopt;
    if (std::abs(x) > 1.0) {
        if (std::abs(x) - 1.0 > 1e-9) return std::nullopt;
        x = x > 0 ? 1.0 : -1.0;
    }
    return x;
}
std::optional<double> ArcCos(double x) {
    const auto c = Clamped(x);
    return c ? std::optional<double>(std::acos(*c)) : std::nullopt;
}
std::optional<double> ArcSin(double x) {
    const auto c = Clamped(x);
    return c ? std::optional<double>(std::asin(*c)) : std::nullopt;
}

struct Curve {
    bool outside = false;
    double a = 0;  // back of sidewalk
    double rf = 0; // face of curb
    double af = 0; // front of sidewalk
    double cr = 0; // centre of the return
};

Curve CurveRadii(const BlockShape& s, const UnitRules& u, double r) {
    Curve k;
    k.outside = (s.side == "L" && s.curveDir == "R") || (s.side == "R" && s.curveDir == "L");
    const double bigR = s.radius;
    const double c = u.curbWidth;
    const double d = s.d;
    const double sw = s.sw;
    if (k.outside) {
        const double w = s.curveDir == "L" ? s.w2 : s.w1;
        k.a = bigR + w + c + d;
        k.rf = k.a - d - c;
        k.af = k.a - sw;
        k.cr = k.a - d + r;
    } else {
        const double w = s.curveDir == "L" ? s.w1 : s.w2;
        k.a = bigR - w - c - d;
        k.rf = d + k.a + c;
        k.af = k.a + sw;
        k.cr = d + k.a - r;
    }
    return k;
}

// Curb length C, sidewalk a4 and grass ag of a return of radius r; nothing when an arc
// argument is out of domain or a quantity is not finite.
std::optional<ReturnFigures> ComputeReturn(const BlockShape& s, const UnitRules& u, int type,
                                           double r) {
    ReturnFigures q;
    const double c = u.curbWidth;
    const double d = s.d;
    const double sw = s.sw;
    const bool withGrass = type == 4;
    if (s.curveDir == "T") {
        const double dd = r - d;
        const auto phi1 = ArcCos(dd / r);
        if (!phi1) return std::nullopt;
        q.phi1 = *phi1;
        q.curb = (r + c) * *phi1;
        q.sw4 = r * r * *phi1 / 2 - r * dd * std::sin(*phi1) / 2;
        if (withGrass) {
            const auto phi2 = ArcCos((dd + sw) / r);
            if (!phi2) return std::nullopt;
            q.phi2 = *phi2;
            q.grass = r * r * *phi2 / 2 - (dd + sw) * r * std::sin(*phi2) / 2;
            q.sw4 = q.sw4 - q.grass;
        }
    } else {
        const Curve k = CurveRadii(s, u, r);
        const auto theta1 = ArcCos((k.cr * k.cr + k.a * k.a - r * r) / (2 * k.a * k.cr));
        if (!theta1) return std::nullopt;
        const auto phi1 = ArcSin(std::sin(*theta1) * k.a / r);
        if (!phi1) return std::nullopt;
        q.phi1 = *phi1;
        q.curb = (r + c) * *phi1;
        if (k.outside)
            q.sw4 = (r * r * *phi1 + k.a * k.a * *theta1 - k.cr * k.a * std::sin(*theta1)) / 2;
        else
            q.sw4 = (r * r * *phi1 - k.a * k.a * *theta1 + k.cr * k.a * std::sin(*theta1)) / 2;
        if (withGrass) {
            double theta2 = 0;
            if (d != sw) {
                const auto t2 = ArcCos((k.cr * k.cr + k.af * k.af - r * r) / (2 * k.af * k.cr));
                if (!t2) return std::nullopt;
                theta2 = *t2;
            }
            const auto phi2 = ArcSin(std::sin(theta2) * k.af / r);
            if (!phi2) return std::nullopt;
            q.phi2 = *phi2;
            if (k.outside)
                q.grass =
                    (r * r * *phi2 + k.af * k.af * theta2 - k.cr * k.af * std::sin(theta2)) / 2;
            else
                q.grass =
                    (r * r * *phi2 - k.af * k.af * theta2 + k.cr * k.af * std::sin(theta2)) / 2;
            q.sw4 = q.sw4 - q.grass;
        }
    }
    if (!std::isfinite(q.curb) || !std::isfinite(q.sw4) || !std::isfinite(q.grass))
        return std::nullopt;
    return q;
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

} // namespace

Expected<ReturnFigures, CannotCompute>
ReturnQuantities(const BlockShape& shape, const UnitRules& rules, int type, double radius) {
    if (radius == 0) return ReturnFigures{};
    if (shape.d > radius) return Unexpected(CannotCompute::DistanceOverRadius);
    if (const auto computed = ComputeReturn(shape, rules, type, radius)) return *computed;
    return Unexpected(CannotCompute::DoesNotMeet);
}

Expected<BlockEnd, CannotCompute> EndOfBlock(const BlockShape& s, const UnitRules& u,
                                             const BlockSums& sums, double length,
                                             double closingRadius, const JobFigures& job) {
    const double l = length;
    const double g = s.grass;
    const double sw = s.sw;
    BlockEnd e;
    BlockFigures& f = e.figures;
    f.return1Curb = sums.return1Curb;
    f.return2Curb = sums.return2Curb;
    f.totalCurb = sums.totalCurb;
    f.grassArea = sums.grassArea;
    f.sw4Area = sums.sw4Area;
    f.sw6Area = sums.sw6Area;
    double compared1 = 0, compared2 = 0; // curved block: the two lengths the check compares
    if (s.curveDir == "T") {
        f.totalCurb += l;
        f.roadwayCurb = l;
        f.grassArea += (l - sums.grassDeductLength) * g;
        f.sw4Area += (l - sums.sidewalkDeductLength) * sw;
        e.impossible = sums.sidewalkDeductLength > l;
    } else {
        const Curve k = CurveRadii(s, u, closingRadius);
        const double c = u.curbWidth;
        const double d = s.d;
        const double bigR = s.radius;
        double rg = 0, rsw = 0, r6 = 0;
        if (k.outside) {
            rg = c + k.rf + g / 2;
            rsw = c + k.rf + g + sw / 2;
            r6 = c + k.rf + d / 2;
        } else {
            rg = k.rf - c - g / 2;
            rsw = k.rf - c - d + sw / 2;
            r6 = k.rf - c - d / 2;
        }
        f.roadwayCurb = l * k.rf / bigR;
        f.totalCurb += f.roadwayCurb;
        f.grassArea += (l * rg / bigR - sums.grassDeductLength * rg / k.a) * g;
        f.sw4Area += (l * rsw / bigR - sums.sidewalkDeductLength * rsw / k.a) * sw;
        f.sw6Area += (sums.driveway6Length * r6 / k.a - sums.driveway6Length) * d;
        compared1 = sums.sidewalkDeductLength * rsw / k.a;
        compared2 = l * rsw / bigR;
        e.impossible = compared1 > compared2;
    }
    if (!AllFinite({l, f.roadwayCurb, f.totalCurb, f.grassArea, f.sw4Area, f.sw6Area, f.return1Curb,
                    f.return2Curb, compared1, compared2, job.grand4Area + f.sw4Area,
                    job.grand6Area + f.sw6Area, job.grandGrassArea + f.grassArea,
                    job.grandCurb + f.totalCurb}))
        return Unexpected(CannotCompute::DoesNotMeet);
    return e;
}

} // namespace sidewalk
