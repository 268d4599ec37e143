// Shapes drawn as stacks of horizontal tube rings, like contour lines: on a
// cylinder (11 rings), a sphere (19) or a rounded box (19). The filled twins
// fill the tube's cross-section.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeContourCylinder(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeContourCylinderFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeContourCircle(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeContourCircleFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeContourBox(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeContourBoxFilled(BaseshapePoint* point, uint8_t slot);
