// Surfaces of revolution with squared sections or rippled radii, and the
// closed sinusoidal curves-of-tubes. None has a filled twin.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeSquaredSpring(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeScaledTrapezoid(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeScaledPseudosphere(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSinusoidalII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSinusoidalI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeMorningStar(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeScaledTorus(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePudding(BaseshapePoint* point, uint8_t slot);

// The sinusoidal denominators keep at least this magnitude (and their sign),
// so with a tube radius of sqrt(2) or more no coordinate passes 100 sizes.
inline constexpr float kSinusoidalMinDenominator = 0.01f;
// The pseudosphere's tangent magnitude is kept within [1e-6, 1e6], so its
// height stays within about 15 sizes when the tip is reached or passed.
inline constexpr float kPseudosphereTanBound = 1e6f;
