// Shapes drawn from triangles of constant tables: the octahedron, the
// dodecahedron's pentagon bands, the star of five tetrahedra, and the two
// triangle routines they share.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// Both routines read a triangle record: vertex A in p[0..2], B in p[3..5],
// C in p[6..8] and, for the edge band, the band width in p[9].

// A point in the band along one of the three edges; three draws, no colour.
void SampleTriangleEdgeBand(BaseshapePoint* triangle, uint8_t slot);
// A point of the triangle (crowding toward C); two draws and the colour tail.
void SampleTrianglePointColored(BaseshapePoint* triangle, uint8_t slot);

void SampleBaseshapeOctahedron(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeOctahedronFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDodecahedronI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDodecahedronIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTimeStar(BaseshapePoint* point, uint8_t slot);
