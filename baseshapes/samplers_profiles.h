// Solids of revolution whose profiles are cubic Bezier curves or arcs:
// "Spline FlowerII", "Tornado", "Sting", "Dome", "Double Spline R.",
// "Dome II" and "Pol. Spline R.".
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeSplineFlowerII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTornado(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTornadoFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSting(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStingFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDome(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDomeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDoubleSplineR(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDoubleSplineRFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDomeII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDomeIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolSplineR(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolSplineRFilled(BaseshapePoint* point, uint8_t slot);
