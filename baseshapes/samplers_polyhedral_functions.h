// Spheres patterned by their distances to the vertices of an inscribed
// polyhedron: "Polyhedral Fn I" to "IV" and "Device" (whose default sampler
// keeps a per-slot random walk in gSlotDeviceWalk), surface and filled.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapePolyhedralFnI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolyhedralFnIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolyhedralFnII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolyhedralFnIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolyhedralFnIII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolyhedralFnIIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolyhedralFnIV(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolyhedralFnIVFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDevice(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDeviceFilled(BaseshapePoint* point, uint8_t slot);
