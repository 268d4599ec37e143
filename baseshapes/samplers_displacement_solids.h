// Solids that carry the baseshape's displacement map: the polygonal prism,
// dome, arc, wall, octahedron and cube, surface and filled.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeDCylinderPol(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDCylinderPolFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDDome(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDDomeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDArc(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDArcFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDWall(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDWallFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDOctahedron(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDOctahedronFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDCube(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDCubeFilled(BaseshapePoint* point, uint8_t slot);
