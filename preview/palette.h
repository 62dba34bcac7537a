#ifndef STREWGEN_PREVIEW_PALETTE_H_
#define STREWGEN_PREVIEW_PALETTE_H_

#include <cstdint>

#include "preview/image.h"

namespace strewgen {

// Colours that depend on the id alone, so the same id looks the same in
// every picture. Terrain hues step by the golden ratio, so neighbouring tile
// ids lie far apart on the colour wheel; item hues are hashed (for the items
// beyond the ranked ones below). Terrain is muted, items bright.
Rgb terrainColour(uint16_t tileId);
Rgb itemColour(uint16_t itemId);

// Darkens or lightens a terrain colour: higher ground is lighter, and a
// slope facing the light (rising towards the north-west) lighter still.
Rgb shadeTerrain(Rgb colour, int altitude, int risePerCell);

// Twelve bright colours far apart from each other, for the most frequent
// items of a picture (rank 0 is the most frequent).
inline constexpr int kRankedColours = 12;
Rgb rankedItemColour(int rank);

// A darker edge for item marks.
Rgb outlineOf(Rgb colour);

}  // namespace strewgen

#endif  // STREWGEN_PREVIEW_PALETTE_H_
