// The sphere and the two tori, surface and filled. Composite samplers call
// them directly on a point of their own: they read only its size and
// parameter 1 (p[0], the tube radius of the tori).
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeSphere(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSphereFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTorusI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTorusIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTorusII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTorusIIFilled(BaseshapePoint* point, uint8_t slot);
