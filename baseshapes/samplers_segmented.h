// A sphere, a double cone and an octahedron whose horizontal extent bulges in
// bands and lobes: "Segmented Sphere", "Segmented Bicone" and "Segmented
// Octahedron", surface and filled; and the cube-root radius factor that
// fills a solid evenly.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// One draw u, returned as u^(1/3) in [0, 1].
float RandomCubeRoot(uint8_t slot);

void SampleBaseshapeSegmentedSphere(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSegmentedSphereFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSegmentedBicone(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSegmentedBiconeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSegmentedOctahedron(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSegmentedOctahedronFilled(BaseshapePoint* point, uint8_t slot);
