// How the run reads a block card and a row card (both upper-cased): shared by the report and
// the block sketch, so that the two cannot read a card differently.
#pragma once

#include <string>
#include <string_view>

#include "compute/quantities.hpp"

namespace sidewalk {

// The block's shape: direction "T" unless the card says "L" or "R", radius 0 on a tangent, and
// the grass width D - S.
BlockShape ReadBlockShape(std::string_view card);

// The block's description: to the end of the card, trimmed.
std::string ReadBlockDescription(std::string_view card);

// Card type from columns 1-2: Val, rounded half to even, kept within a 16-bit range.
int CardTypeOf(std::string_view columns);

// A row card's figures; the station is in feet or metres (station * 100 + plus).
struct RowFields {
    double areaOrLength = 0, station = 0, radius = 0;
};
// The radius is read only when asked for (only returns compute with it), else left 0.
RowFields ReadRowFields(std::string_view card, bool withRadius = true);

} // namespace sidewalk
