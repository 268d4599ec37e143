// Moves transformations 4 to 7 of the escape-time fractal types onto the
// surface already visible in the depth buffer.
#pragma once

#include "engine/random.h"

inline constexpr int kSurfacePlacementCandidates = 20000;

// The placement's own random state (the render coordinator's thread only).
extern RandomState gSurfacePlacementRandom;

// For transformations 4..7: m00 becomes 0.5, and the first of up to 20,000
// random points (x, 0, z) with x, z in [-1.5, 1.5) that lands in the image
// in front of the depth buffer (depth 0..65530) gives tx and tz. Transfor-
// mations without such a point keep their translation.
void PlaceTransformationsOnSurface();
