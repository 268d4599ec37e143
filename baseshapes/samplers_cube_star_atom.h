// Closed shapes from faces, edges or products of simple curves: the cube,
// the wireframe dodecahedron, the star shape, the triaxial hexatorus, and
// the atom (a small sphere inside three flattened rings).
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// Vertex pairs the wireframe draws before it settles for a fixed edge
// (the chance of needing them all is below 1e-18).
inline constexpr int kWireframeEdgeTries = 256;

void SampleBaseshapeCube(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCubeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeWireframeDodecahedron(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStarShape(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStarShapeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTriaxialHexatorus(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTriaxialHexatorusFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAtom(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeAtomFilled(BaseshapePoint* point, uint8_t slot);
