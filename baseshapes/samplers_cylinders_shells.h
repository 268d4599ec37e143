// Closed shapes from direct formulas: the cylinder, the ring of boxes, the
// two patterned spheres, the heart, the spiral shell and the horned torus.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// Draws of the patterned sphere before it gives up on finding a point
// outside its holes and keeps the last one drawn.
inline constexpr int kFutureSphereTries = 256;

void SampleBaseshapeCylinder(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCylinderFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRingI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRingIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeFutureSphereI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeFutureSphereIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeFutureSphereII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeFutureSphereIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHeart(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHeartFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeShellI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeShellIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHorned(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHornedFilled(BaseshapePoint* point, uint8_t slot);
