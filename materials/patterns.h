// Pattern functions of the procedural textures: periodic and golden-ratio
// lattices, lattices laid on the sphere through a tanh-weighted projection,
// and a cell pattern on the 20 vertex directions of a dodecahedron. Pure
// functions: no random draws, no allocation.
#pragma once

inline constexpr int kPatternDirectionCount = 20;

// Dodecahedron vertices rounded to three decimals; the texture randomiser's
// white test evaluates its presets along them too.
extern const float (&gPatternDirections)[kPatternDirectionCount][3];

// Triangle wave of period 2 pi whose flanks are bent by a second arcsine:
// 0 at 0, 1 at pi / 2.
double TriangleWaveArcsine(double t);
// Each half period of the triangle wave a quarter circle.
double RoundedTriangleWave(double t);
// Distance from the centre to the edge of a hexagon of inner radius
// sqrt(3) / 2, in direction t.
double HexagonRadius(double t);
// t + 0.25 exp(-61.54 (t - 0.5)^2): a bump at 0.5 on the identity.
double BumpCurve(double t);

// Variants 0 (sine), 1 (triangle waves), 2 (sharpened); 0 for any other.
float PatternGyroid(float x, float y, float z, int variant);
// The six cosines of the golden lattice in double precision: (3 - C) / 2.
float PatternGoldenCosineD(float x, float y, float z);
// The same lattice with each cosine replaced by its signed square root.
float PatternGoldenCosine(float x, float y, float z);
// The same lattice on rounded triangle waves.
float PatternGoldenTriangle(float x, float y, float z);
// Hexagonal waves on the sphere projection, variants 0 to 4 (others 0).
float PatternSphereHex(float x, float y, float z, int variant, float parameter);
// Square and hexagon lattices on the sphere projection, variants 0 to 18;
// above 18 the hexagon cells of the last row.
float PatternSphereTrig(float x, float y, float z, int variant, float parameter);
// Cells around the nearest two pattern directions, variants 0 to 4; any
// other variant gives the distance to the nearest.
float PatternNearestDirection(float x, float y, float z, int variant);

// The plane point (u, w) of the sphere projection of (x, y, z); the origin
// and the pole (0, 0, -1) give their limit (0, 0).
void SphereProjection(float x, float y, float z, float parameter, float& u, float& w);
