// Columns, tori, caps and frustums built from rounded sections: the sine
// column, blob, squared tori, spherical harmonic box, cone, heart tube,
// spherical shell piece, rounded trapezoid and the two gears.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeSineCol(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSineColFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBlob(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBlobFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSquaredTorus(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSquaredTorusFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSphericalHBox(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSphericalHBoxFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCone(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeConeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHeartII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHeartIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSquaredTorusII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSquaredTorusIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSphereCapII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSphereCapIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRoundedTrapezoid(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRoundedTrapezoidFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGearII109(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGearII109Filled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGearIII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGearIIIFilled(BaseshapePoint* point, uint8_t slot);
