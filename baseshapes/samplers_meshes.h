// The two kinds drawn on the baseshape's loaded STL mesh. A missing or empty
// mesh gives the origin.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeSTLMesh(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStlMeshII(BaseshapePoint* point, uint8_t slot);
