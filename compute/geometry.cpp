// Return quantities and block ends, in plain IEEE double, each formula in the order written.
#include "compute/geometry.hpp"

#include <cmath>
#include <optional>
#include <string>

#include "data/number.hpp"
#include "report/page.hpp"

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

Curve CurveRadii(const RunState& s, double r) {
    Curve k;
    k.outside =
        (s.sideOfRoad == "L" && s.curveDir == "R") || (s.sideOfRoad == "R" && s.curveDir == "L");
    const double bigR = s.baselineRadius;
    const double c = s.curbWidth;
    const double d = s.backCurbToBackSw;
    const double sw = s.sidewalkWidth;
    if (k.outside) {
        const double w = s.curveDir == "L" ? s.rightCurbOffset : s.leftCurbOffset;
        k.a = bigR + w + c + d;
        k.rf = k.a - d - c;
        k.af = k.a - sw;
        k.cr = k.a - d + r;
    } else {
        const double w = s.curveDir == "L" ? s.leftCurbOffset : s.rightCurbOffset;
        k.a = bigR - w - c - d;
        k.rf = d + k.a + c;
        k.af = k.a + sw;
        k.cr = d + k.a - r;
    }
    return k;
}

struct ReturnQuantities {
    double curb = 0, sw4 = 0, grass = 0;
};

// Curb length C, sidewalk a4 and grass ag of a return of radius r; nothing when an arc
// argument is out of domain or a quantity is not finite.
std::optional<ReturnQuantities> ComputeReturn(const RunState& s, double r) {
    ReturnQuantities q;
    const double c = s.curbWidth;
    const double d = s.backCurbToBackSw;
    const double sw = s.sidewalkWidth;
    const bool withGrass = s.cardType == 4;
    if (s.curveDir == "T") {
        const double dd = r - d;
        const auto phi1 = ArcCos(dd / r);
        if (!phi1) return std::nullopt;
        q.curb = (r + c) * *phi1;
        q.sw4 = r * r * *phi1 / 2 - r * dd * std::sin(*phi1) / 2;
        if (withGrass) {
            const auto phi2 = ArcCos((dd + sw) / r);
            if (!phi2) return std::nullopt;
            q.grass = r * r * *phi2 / 2 - (dd + sw) * r * std::sin(*phi2) / 2;
            q.sw4 = q.sw4 - q.grass;
        }
    } else {
        const Curve k = CurveRadii(s, r);
        const auto theta1 = ArcCos((k.cr * k.cr + k.a * k.a - r * r) / (2 * k.a * k.cr));
        if (!theta1) return std::nullopt;
        const auto phi1 = ArcSin(std::sin(*theta1) * k.a / r);
        if (!phi1) return std::nullopt;
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

void CannotComputeBox(RunState& s, std::string_view line2, std::string_view line3) {
    WriteLine(s, " ");
    WriteLine(s, Stars());
    WriteLine(s, " ***  SITUATION CANNOT BE COMPUTED");
    WriteLine(s, line2);
    WriteLine(s, line3);
    WriteLine(s, Stars());
    WriteLine(s, " ");
    WriteLine(s, " ");
}

void NotMeetingBox(RunState& s) {
    CannotComputeBox(s, " ***  RETURN DOES NOT MEET THE SIDEWALK ON THIS CURVE",
                     " ***  CHECK THE RETURN RADIUS AND THE BASELINE RADIUS");
}

// The block's figures as the block end would leave them.
struct BlockEnd {
    double l = 0, roadwayCurb = 0, totalCurb = 0, grassArea = 0, sw4Area = 0, sw6Area = 0;
    bool impossible = false;
    double compared1 = 0, compared2 = 0; // curved block: the two lengths the check compares
};

BlockEnd ComputeBlockEnd(const RunState& s) {
    BlockEnd e;
    e.l = std::abs(s.returnStation - s.firstReturnStation);
    const double l = e.l;
    const double g = s.grassWidth;
    const double sw = s.sidewalkWidth;
    e.totalCurb = s.totalCurb;
    e.grassArea = s.grassArea;
    e.sw4Area = s.sw4Area;
    e.sw6Area = s.sw6Area;
    if (s.curveDir == "T") {
        e.totalCurb += l;
        e.roadwayCurb = l;
        e.grassArea += (l - s.grassDeductLength) * g;
        e.sw4Area += (l - s.sidewalkDeductLength) * sw;
        e.impossible = s.sidewalkDeductLength > l;
        return e;
    }
    const Curve k = CurveRadii(s, s.radiusBackCurb);
    const double c = s.curbWidth;
    const double d = s.backCurbToBackSw;
    const double bigR = s.baselineRadius;
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
    e.roadwayCurb = l * k.rf / bigR;
    e.totalCurb += e.roadwayCurb;
    e.grassArea += (l * rg / bigR - s.grassDeductLength * rg / k.a) * g;
    e.sw4Area += (l * rsw / bigR - s.sidewalkDeductLength * rsw / k.a) * sw;
    e.sw6Area += (s.driveway6Length * r6 / k.a - s.driveway6Length) * d;
    e.compared1 = s.sidewalkDeductLength * rsw / k.a;
    e.compared2 = l * rsw / bigR;
    e.impossible = e.compared1 > e.compared2;
    return e;
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// Ends the block at its closing return. Returns true: the block loop starts again.
bool EndBlock(RunState& s) {
    const BlockEnd e = ComputeBlockEnd(s);
    if (!AllFinite({e.l, e.roadwayCurb, e.totalCurb, e.grassArea, e.sw4Area, e.sw6Area,
                    s.return1Curb, s.return2Curb, e.compared1, e.compared2,
                    s.grand.grand4Area + e.sw4Area, s.grand.grand6Area + e.sw6Area,
                    s.grand.grandGrassArea + e.grassArea, s.grand.grandCurb + e.totalCurb})) {
        NotMeetingBox(s);
        s.lineNo = 60;
        s.markOpenBlock(BlockStatus::CannotCompute);
        return true;
    }
    s.roadwayCurb = e.roadwayCurb;
    s.totalCurb = e.totalCurb;
    s.grassArea = e.grassArea;
    s.sw4Area = e.sw4Area;
    s.sw6Area = e.sw6Area;
    if (e.impossible) {
        if (s.lineNo > 45) PrintPageHeader(s);
        StarBox(s, {" ***  SITUATION IMPOSSIBLE-LENGTHS CODED MORE THAN BLOCK LENGTH"});
    }
    s.closeBlock();
    return true;
}

} // namespace

bool ReturnBranch(RunState& s) {
    const double r = s.radiusBackCurb;
    s.returnStation = s.stationValue;
    WriteLine(s, {" TYPE ", Format(s.cardType, "00"),
                  "  STA OF RADIUS POINT = ", StationField(s.stationText),
                  "    RADIUS TO BACK OF CURB = ", Figure(r, "###0.000", 6)});

    s.returnCount += 1;
    if (s.curveDir != "T" && s.returnCount != 2) s.firstReturnStation = s.returnStation;
    if (s.returnCount == 4) return false;
    if (s.returnCount >= 5) {
        s.lineNo = 60;
        return false;
    }

    ReturnQuantities q;
    bool computable = true;
    bool domainError = false;
    if (r != 0) {
        if (s.backCurbToBackSw > r) {
            computable = false;
        } else if (const auto computed = ComputeReturn(s, r)) {
            q = *computed;
        } else {
            computable = false;
            domainError = true;
        }
    }
    if (!computable) {
        if (domainError)
            NotMeetingBox(s);
        else
            CannotComputeBox(s, " ***  DISTANCE FROM BACK OF CURB TO BACK OF SIDEWALK",
                             " ***  IS GREATER THAN RADIUS OF RETURN");
        s.markOpenBlock(BlockStatus::CannotCompute);
        if (s.returnCount == 1) {
            s.returnCount = 5;
            s.lineNo += 7;
        } else {
            s.lineNo = 60;
        }
        return false;
    }

    s.totalCurb += q.curb;
    s.sw4Area += q.sw4;
    s.grassArea += q.grass;
    if (s.returnCount == 1) {
        s.return1Curb = q.curb;
        if (s.curveDir == "T") s.firstReturnStation = s.returnStation;
        return false;
    }
    if (s.returnCount == 2) {
        s.return2Curb += q.curb;
        return EndBlock(s);
    }
    return false;
}

} // namespace sidewalk
