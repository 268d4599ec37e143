// The stair: twelve blocks of two rounded boxes each on a fixed table of
// steps, within x in [-4, 4], y in [-6, 8], z in [-6, 6] times s/7.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeStair(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStairFilled(BaseshapePoint* point, uint8_t slot);
