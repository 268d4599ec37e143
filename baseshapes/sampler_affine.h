// Kind 0: no shape of its own; continues from the slot's last seed point.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeAffineTransformation(BaseshapePoint* point, uint8_t slot);
