// Tubes swept along a curve: the two tube routines that put one point on a
// short segment's tube, the folded-triangular radius factor that fills a
// tube's section evenly, and the three tube kinds built on them ("Torus Knot
// I", "Rounded Torus Knot", "Tubular Loxodrome").
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// A point on the tube of the given radius around the segment from p2 to p1,
// circular or of rounded-square section; two draws (position along the
// segment, angle about it). Returns out.
float* SampleTubeSegment(float* out, const float* p1, const float* p2, const float* radius, uint8_t slot);
float* SampleSquareTubeSegment(float* out, const float* p1, const float* p2, const float* radius, uint8_t slot);

// Two draws folded into [0, 1] with density 2x: as a radius factor it fills a
// disc evenly.
float RandomFoldedTriangular(uint8_t slot);

void SampleBaseshapeTorusKnotI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTorusKnotIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRoundedTorusKnot(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRoundedTorusKnotFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTubularLoxodrome(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTubularLoxodromeFilled(BaseshapePoint* point, uint8_t slot);
