// Surfaces without a volume, so one sampler serves both tables: the spiral
// "Open Shell" and the uncapped tubes "Open Cylinder", "Open Rounded Box" and
// "Open Polygon".
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// Most sides "Open Polygon" takes: beyond a thousand the polygon is a circle
// to the eye.
inline constexpr int kOpenPolygonMaxSides = 1000;

void SampleBaseshapeOpenShell(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeOpenCylinder(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeOpenRoundedBox(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeOpenPolygon(BaseshapePoint* point, uint8_t slot);
