// The icosahedron with raised or sunken face centres and the diamond box
// (a cube's edges bevelled to rhombic prisms), surface and filled.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeIcosahedron(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeIcosahedronFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDiamondBox(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDiamondBoxFilled(BaseshapePoint* point, uint8_t slot);
