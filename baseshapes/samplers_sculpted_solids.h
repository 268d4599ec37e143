// Shapes of their own: "Symmetric Fn" (a double cone carried through a
// k-fold complex polynomial), "Sculpture" (a sphere bent by a nonlinear map),
// "Snowflake Set" (a profile pushed twice through a fractional power),
// "Cg Sphere" (kind 133, a sphere with four dimples; kind 161 shares the
// display name), "Triangular Catenoid" and "Atomic".
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// Largest symmetry order "Symmetric Fn" takes from its "Sides": it also caps
// the power loop, which a huge value would otherwise make endless.
inline constexpr int kSymmetricFnMaxSides = 256;

void SampleBaseshapeSymmetricFn(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSymmetricFnFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSculpture(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSculptureFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSnowflakeSet(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSnowflakeSetFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCgSphere133(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTriangularCatenoid(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAtomic(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAtomicFilled(BaseshapePoint* point, uint8_t slot);
