// Boxes, blocks and polyhedra: "Pyramid", "Rounded Box", "Pipe Box", "Bar",
// "Road" and "Tetrahedron".
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapePyramid(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePyramidFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRoundedBox(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRoundedBoxFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePipeBox(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePipeBoxFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBar(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBarFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRoad(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRoadFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTetrahedron(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTetrahedronFilled(BaseshapePoint* point, uint8_t slot);
