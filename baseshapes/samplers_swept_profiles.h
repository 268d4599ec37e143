// Profiles swept around the y axis (a grooved tyre, a three-cusped curve on
// a conical helix, a bicorn ring) and the cell shapes: a ring of touching
// pearls, a sphere squeezed into a polygon (no filled twin) and six
// hexagonal cushions (kind 157 "Hexagons").
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeWheel(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeWheelFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHelicalTricorn(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHelicalTricornFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeToroidalBicorn(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeToroidalBicornFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePearls(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePearlsFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePaperPropeller(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHexagons157(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHexagons157Filled(BaseshapePoint* point, uint8_t slot);

// Counts made from parameter 1 (pearls, propeller blades) lie in [3, this].
inline constexpr int kMaxRingCells = 1 << 20;
// The propeller's divisor keeps at least this magnitude (and its sign), so
// a blade reaches at most 8 sizes from the axis.
inline constexpr float kPropellerMinDivisor = 0.125f;
