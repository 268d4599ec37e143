// Transformation presets: 85 numbered arrangements that replace the current
// set of transformations (rings, touching spheres, Steiner chains,
// polyhedra, bounded Moebius pairs...), the one entry point that applies
// them, and the placement helpers they share. Window thread only: every
// draw steps gGlobalRandomB (gGlobalRandomA for random unit vectors and the
// sphere spreading), in the order each preset lists them.
//
// Where the makers live, by family of arrangement:
//   transformation_presets_scatter.cpp   0, 1, 6, 10..15, 17, 19, 32, 83
//   transformation_presets_rings.cpp     5, 7, 8B, 16, 20, 38, 40, 43, 84
//   transformation_presets_solids.cpp    3, 8A, 18, 30, 80, 81, 82
//   transformation_presets_mobius.cpp    44, 46..53
//   transformation_placement.cpp         the helpers below
//   transformation_preset_dispatcher.cpp ApplyTransformationPreset, the
//                                        inline presets 2, 4, 9, 42, 45,
//                                        the per-type recipes of New Fractal
#pragma once

#include <cstdint>

inline constexpr int kTransformationPresetCount = 85;

// Builds preset index (0..84), then the common tail: the weights of the
// records in use normalised (equal weights when they sum to 0 or not a
// finite number, exactly 1.0 for a lone transformation), the pick table
// rebuilt, transformation 0 selected. Any other index runs the tail alone.
void ApplyTransformationPreset(int index);

// The common tail by itself.
void FinishTransformationPreset();

// ---- makers (each leaves the tail to the dispatcher) ---------------------------
void MakeTransformationPreset00();
void MakeTransformationPreset01();
void MakeTransformationPreset03();
void MakeTransformationPreset05();
void MakeTransformationPreset06();
void MakeTransformationPreset07();
void MakeTransformationPreset08A();
void MakeTransformationPreset08B();
void MakeTransformationPreset10();
void MakeTransformationPreset11();
void MakeTransformationPreset12();
void MakeTransformationPreset13();
void MakeTransformationPreset14();
void MakeTransformationPreset15();
void MakeTransformationPreset16();
void MakeTransformationPreset17();
void MakeTransformationPreset18();
void MakeTransformationPreset19();
void MakeTransformationPreset20();
void MakeTransformationPreset30();
void MakeTransformationPreset32();
void MakeTransformationPreset38();
void MakeTransformationPreset40();
void MakeTransformationPreset43();
void MakeTransformationPreset44();
void MakeTransformationPreset46();
void MakeTransformationPreset47();
void MakeTransformationPreset48();
void MakeTransformationPreset49();
void MakeTransformationPreset50();
void MakeTransformationPreset51();
void MakeTransformationPreset52();
void MakeTransformationPreset53();
void MakeTransformationPreset80();
void MakeTransformationPreset81();
void MakeTransformationPreset82();
void MakeTransformationPreset83();
void MakeTransformationPreset84();

// Preset 46 looks for two Moebius maps whose orbit stays bounded. The
// search runs on the window thread, so it is capped: at most this many
// candidate pairs of this many orbit steps each (ten million map steps,
// about a third of a second on one core at worst) instead of 50,000 of
// 50,000.
inline constexpr int kMobiusPairAttempts = 1000;
inline constexpr int kMobiusPairOrbitSteps = 10000;

// ---- placement helpers -----------------------------------------------------------
// None composes the record; the caller does.
void SetTransformationMatrix(int i, const float* rotation9);
void SetTransformationScaleMatrix(int i, float s00, float s01, float s02, float s10, float s11, float s12, float s20,
                                  float s21, float s22);
void SetTransformationUniformScale(int i, float s);
void SetTransformationPosition(int i, const float* position);
void SetTransformationPositionXYZ(int i, float x, float y, float z);

double Vec3DistanceD(const double* a, const double* b);
double Vec3LengthD(const double* a);
double Vec3DotD(const double* a, const double* b);

// Coulomb forces and energy of n points (three doubles each).
void SphereRepulsionForces(int n, double* forces, const double* points);
double SphereRepulsionEnergy(int n, const double* points);
// Spreads gTransformCount unit vectors evenly over the sphere by repulsion
// (start points from gGlobalRandomA) and makes them the positions of
// records 0 .. count - 1.
void SpreadPointsOnSphere();
// The step of the spreading, carried from one call to the next (1e-5 at start).
extern double gSphereSpreadStep;

// One inversion of the circle (x, y) radius z in the unit circle, shifted
// by a along the first axis (a from c).
void SphereMapStep(float* x, float* y, float* z, float c);
// A Steiner chain of m circles on a ring of radius R, moved off-centre by a
// random inversion: published m00, m01, tx, ty, tz of entries 0 .. m.
void PlaceRingOfTransformations(int m, float R);
