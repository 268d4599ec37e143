// Shapes built from polygons, profiles of revolution and small groups of
// parts: prisms with pyramidal caps, the toothed ring, the spline bodies of
// revolution, the rippled disc and the futuristic group.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// Largest side count a prism takes from its parameter.
inline constexpr int kPrismMaxSides = 65536;

void SampleBaseshapePrisms(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePrismsFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGearI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGearIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSplineR(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSplineFlower(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDisc(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeFuturistic(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeFuturisticFilled(BaseshapePoint* point, uint8_t slot);
