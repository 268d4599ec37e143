// The displacement-mapped kinds: plane, double-sided plane, column, cylinder,
// disc, sphere, square cylinder, square column and bumped torus, their relief
// (and texture) drawn from the baseshape's displacement map. Without a map
// they return the origin.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeDPlane(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDPlaneFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDDPlane(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDDPlaneFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDColumn(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDColumnFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDCylinder(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDCylinderFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDDisc(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDDiscFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDSphere(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDSphereFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDCylinderSQ(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDCylinderSQFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDColumnSQ(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDColumnSQFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBumpTorus(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBumpTorusFilled(BaseshapePoint* point, uint8_t slot);
