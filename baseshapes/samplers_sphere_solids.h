// Solids drawn from one longitude-latitude parametrisation of the unit
// sphere: "Lens", "Crystal Core", "Lamp", "Leaf", "Dodecahedral Surface" and
// "Strange Sphere", surface and filled.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// Directions "Dodecahedral Surface" tries before it settles for the sphere:
// a parameter whose islands are too small to hit must not freeze a worker.
inline constexpr int kDodecahedralSurfaceTries = 256;

void SampleBaseshapeLens(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLensFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCrystalCore(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCrystalCoreFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLamp(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLampFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLeaf(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLeafFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDodecahedralSurface(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDodecahedralSurfaceFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStrangeSphere(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStrangeSphereFilled(BaseshapePoint* point, uint8_t slot);
