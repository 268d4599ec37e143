// Unit polyhedra shared by the samplers that build on them: the dodecahedron
// (its vertices and the triangles of its pentagons) and the icosahedron,
// rounded to three decimals. Read-only.
#pragma once

#include <cstdint>

inline constexpr int kDodecahedronVertexCount = 20;
inline constexpr int kDodecahedronTriangleCount = 30;
inline constexpr int kIcosahedronVertexCount = 12;

extern const float gDodecahedronVertices[kDodecahedronVertexCount][3];
// Three consecutive corners of a pentagon each, five per pentagon, for the
// six pentagons whose point reflections are the other six faces.
extern const uint8_t gDodecahedronTriangles[kDodecahedronTriangleCount][3];
extern const float gIcosahedronVertices[kIcosahedronVertexCount][3];
