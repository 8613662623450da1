// The constants of English and metric jobs, and the checks of a block header.
#include "compute/quantities.hpp"

namespace sidewalk {

UnitRules RulesFor(bool metric) {
    if (!metric) return UnitRules{};
    return UnitRules{.metric = true,
                     .curbWidth = 0.15,
                     .drivewayFlare = 3.0,
                     .dropCurbTaperWide = 2.1,
                     .dropCurbTaperNarrow = 1.2,
                     .narrowGrassLimit = 3.0,
                     .drivewayLimit = 18.2,
                     .reasonableWidth = 7.62};
}

HeaderCheck CheckHeader(const BlockShape& shape, const UnitRules& rules) {
    HeaderCheck check;
    if (shape.sw > shape.d) {
        check.rejected = true;
        return check;
    }
    check.widthUnreasonable = shape.sw > rules.reasonableWidth;
    check.distanceUnreasonable = shape.d > rules.reasonableWidth;
    check.radiusNotCoded = shape.curveDir != "T" && shape.radius == 0;
    return check;
}

} // namespace sidewalk
