// A cube or sphere bent by one parameter: stretched by the distance from a
// corner point (Cg Box I), dented at one corner or at all eight (Cg Box II,
// III), or with its polar caps folded inward (kind 161 "Cg Sphere").
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeCgBoxI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCgBoxII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCgBoxIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCgBoxIII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCgBoxIIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCgSphere161(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCgSphere161Filled(BaseshapePoint* point, uint8_t slot);
