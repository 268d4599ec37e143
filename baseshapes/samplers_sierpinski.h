// The chaos-game Sierpinski pyramid: each call takes one step from the
// slot's previous point toward a corner of a square pyramid.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeSierpinski(BaseshapePoint* point, uint8_t slot);
