// Shapes that follow a closed curve or a one-sided surface: the trefoil
// knots, the (P, Q) torus knot, the Mobius strip and the Klein bottle.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// The Fourier trefoil at angle t, with 2t and 3t passed in so that callers
// keep their own rounding of the multiples; distance from the origin
// between about 0.76 and 1.77.
void TrefoilCurve(float t, float t2, float t3, float* out);

// A point on the sphere of radius r about the origin from two words (the
// ends of the knot tubes and of the wireframe edges).
void SphereOffsetFromWords(uint32_t phiWord, uint32_t lambdaWord, float r, float* out);

void SampleBaseshapeTrefoilKnotI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTrefoilKnotIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTrefoilKnotII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTrefoilKnotIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTrefoilKnotIII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTrefoilKnotIIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeMobiusStrip(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeMobiusStripFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeKlein(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeKleinFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTorusKnotII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTorusKnotIIFilled(BaseshapePoint* point, uint8_t slot);
