// Three rings in the three coordinate planes, one picked per point: "Axial
// Sphere", "Axial Octahedron" and "Axial Box", surface and filled.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeAxialSphere(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAxialSphereFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAxialOctahedron(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAxialOctahedronFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAxialBox(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAxialBoxFilled(BaseshapePoint* point, uint8_t slot);
