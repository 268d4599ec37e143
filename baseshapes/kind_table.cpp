#include "baseshapes/kind_table.h"

// The index of the baseshape kinds: each row below names its samplers, and
// each header here the kinds whose samplers its file holds.
#include "baseshapes/sampler_affine.h"                    // 0
#include "baseshapes/samplers_axial.h"                    // 125-127
#include "baseshapes/samplers_boxes_pyramids.h"           // 63, 67, 68, 75, 76, 80
#include "baseshapes/samplers_breather_enneper.h"         // 101, 111-114
#include "baseshapes/samplers_c_shapes.h"                 // 115-118
#include "baseshapes/samplers_cg_shapes.h"                // 161, 164, 172, 173
#include "baseshapes/samplers_classic_surfaces.h"         // 4, 10, 14, 23, 24, 27
#include "baseshapes/samplers_columns_rings.h"            // 140-144, 146, 149
#include "baseshapes/samplers_columns_temples.h"          // 21, 22, 25, 26, 28
#include "baseshapes/samplers_contour_rings.h"            // 165-167
#include "baseshapes/samplers_cube_star_atom.h"           // 15-17, 19, 20
#include "baseshapes/samplers_cylinders_shells.h"         // 29, 33-36, 39, 40
#include "baseshapes/samplers_displacement.h"             // 49-55, 73, 77
#include "baseshapes/samplers_displacement_solids.h"      // 84-87, 90, 94
#include "baseshapes/samplers_fractal_solids.h"           // 168-171
#include "baseshapes/samplers_hyperbolic.h"               // 56, 64, 83
#include "baseshapes/samplers_icosahedron_diamond_box.h"  // 104, 105
#include "baseshapes/samplers_knots_mobius_klein.h"       // 5-9, 38
#include "baseshapes/samplers_loxodromes.h"               // 11, 12, 31, 32
#include "baseshapes/samplers_meshes.h"                   // 58, 60
#include "baseshapes/samplers_open_surfaces.h"            // 120-123
#include "baseshapes/samplers_polygons.h"                 // 88, 89, 92, 98, 99, 102, 103
#include "baseshapes/samplers_polyhedral_functions.h"     // 135-137, 147, 148
#include "baseshapes/samplers_prisms_gears.h"             // 43-48
#include "baseshapes/samplers_profile_rings.h"            // 190-194
#include "baseshapes/samplers_profiles.h"                 // 59, 61, 62, 66, 69, 70, 81
#include "baseshapes/samplers_revolution.h"               // 180-184, 187-189
#include "baseshapes/samplers_rings.h"                    // 65, 71, 72, 79, 82
#include "baseshapes/samplers_round_boxes.h"              // 174-179
#include "baseshapes/samplers_rounded_solids.h"           // 91, 93, 95-97, 100, 106-110
#include "baseshapes/samplers_sculpted_solids.h"          // 119, 124, 133, 134, 138, 139
#include "baseshapes/samplers_segmented.h"                // 130-132
#include "baseshapes/samplers_shells.h"                   // 185, 186
#include "baseshapes/samplers_sierpinski.h"               // 57
#include "baseshapes/samplers_sphere_solids.h"            // 145, 150, 151, 154-156
#include "baseshapes/samplers_sphere_tori.h"              // 1, 2, 18
#include "baseshapes/samplers_spiral_shells.h"            // 74, 78
#include "baseshapes/samplers_stair.h"                    // 13
#include "baseshapes/samplers_swept_profiles.h"           // 157-160, 162, 163
#include "baseshapes/samplers_teapot.h"                   // 37
#include "baseshapes/samplers_triangle_tables.h"          // 30, 41, 42
#include "baseshapes/samplers_tubes.h"                    // 3, 128, 129
#include "baseshapes/samplers_wave_bars.h"                // 152, 153

namespace {

constexpr uint8_t kF = kKindHasFilled;
constexpr uint8_t kT = kKindTexture;
constexpr uint8_t kFT = kKindHasFilled | kKindTexture;

}  // namespace

// Kind order: one row a kind with its name, flags and both samplers.
constexpr BaseshapeKind gBaseshapeKindTable[kBaseshapeKinds] = {
    {0, "Affine Transformation", kT, SampleBaseshapeAffineTransformation, nullptr},
    {1, "Sphere", kFT, SampleBaseshapeSphere, SampleBaseshapeSphereFilled},
    {2, "Torus I", kFT, SampleBaseshapeTorusI, SampleBaseshapeTorusIFilled},
    {3, "Torus Knot I", kF, SampleBaseshapeTorusKnotI, SampleBaseshapeTorusKnotIFilled},
    {4, "Pseudosphere", kFT, SampleBaseshapePseudosphere, SampleBaseshapePseudosphereFilled},
    {5, "Trefoil Knot I", kF, SampleBaseshapeTrefoilKnotI, SampleBaseshapeTrefoilKnotIFilled},
    {6, "Trefoil Knot II", kFT, SampleBaseshapeTrefoilKnotII, SampleBaseshapeTrefoilKnotIIFilled},
    {7, "Trefoil Knot III", kFT, SampleBaseshapeTrefoilKnotIII, SampleBaseshapeTrefoilKnotIIIFilled},
    {8, "Mobius Strip", kF, SampleBaseshapeMobiusStrip, SampleBaseshapeMobiusStripFilled},
    {9, "Klein", kFT, SampleBaseshapeKlein, SampleBaseshapeKleinFilled},
    {10, "Ennepers Surface", kT, SampleBaseshapeEnnepersSurface, nullptr},
    {11, "Loxodrome I", kT, SampleBaseshapeLoxodromeI, nullptr},
    {12, "Loxodrome II", kT, SampleBaseshapeLoxodromeII, nullptr},
    {13, "Stair", kF, SampleBaseshapeStair, SampleBaseshapeStairFilled},
    {14, "Nylander's Rose", kT, SampleBaseshapeNylandersRose, nullptr},
    {15, "Wireframe Dodecahedron", 0, SampleBaseshapeWireframeDodecahedron, nullptr},
    {16, "Cube", kFT, SampleBaseshapeCube, SampleBaseshapeCubeFilled},
    {17, "Star Shape", kFT, SampleBaseshapeStarShape, SampleBaseshapeStarShapeFilled},
    {18, "Torus II", kFT, SampleBaseshapeTorusII, SampleBaseshapeTorusIIFilled},
    {19, "Atom", kFT, SampleBaseshapeAtom, SampleBaseshapeAtomFilled},
    {20, "Triaxial Hexatorus", kFT, SampleBaseshapeTriaxialHexatorus, SampleBaseshapeTriaxialHexatorusFilled},
    {21, "Temple I", kF, SampleBaseshapeTempleI, SampleBaseshapeTempleIFilled},
    {22, "Column I", kFT, SampleBaseshapeColumnI, SampleBaseshapeColumnIFilled},
    {23, "Dini's Surface", kT, SampleBaseshapeDinisSurface, nullptr},
    {24, "Spherical Harmonics", kFT, SampleBaseshapeSphericalHarmonics, SampleBaseshapeSphericalHarmonicsFilled},
    {25, "Column II", kF, SampleBaseshapeColumnII, SampleBaseshapeColumnIIFilled},
    {26, "Column III", kF, SampleBaseshapeColumnIII, SampleBaseshapeColumnIIIFilled},
    {27, "Catenoid", kT, SampleBaseshapeCatenoid, nullptr},
    {28, "Temple II", kF, SampleBaseshapeTempleII, SampleBaseshapeTempleIIFilled},
    {29, "Horned", kF, SampleBaseshapeHorned, SampleBaseshapeHornedFilled},
    {30, "Octahedron", kFT, SampleBaseshapeOctahedron, SampleBaseshapeOctahedronFilled},
    {31, "Loxodrome III", kT, SampleBaseshapeLoxodromeIII, nullptr},
    {32, "Hyper Loxodrome I", kT, SampleBaseshapeHyperLoxodromeI, nullptr},
    {33, "Cylinder", kFT, SampleBaseshapeCylinder, SampleBaseshapeCylinderFilled},
    {34, "Future Sphere I", kFT, SampleBaseshapeFutureSphereI, SampleBaseshapeFutureSphereIFilled},
    {35, "Future Sphere II", kFT, SampleBaseshapeFutureSphereII, SampleBaseshapeFutureSphereIIFilled},
    {36, "Ring I", kFT, SampleBaseshapeRingI, SampleBaseshapeRingIFilled},
    {37, "Teapot", 0, SampleBaseshapeTeapot, nullptr},
    {38, "Torus Knot II", kFT, SampleBaseshapeTorusKnotII, SampleBaseshapeTorusKnotIIFilled},
    {39, "Shell I", kFT, SampleBaseshapeShellI, SampleBaseshapeShellIFilled},
    {40, "Heart", kFT, SampleBaseshapeHeart, SampleBaseshapeHeartFilled},
    {41, "Dodecahedron I", kF, SampleBaseshapeDodecahedronI, SampleBaseshapeDodecahedronIFilled},
    {42, "TimeStar", kT, SampleBaseshapeTimeStar, nullptr},
    {43, "Spline R.", kT, SampleBaseshapeSplineR, nullptr},
    {44, "Disc", kT, SampleBaseshapeDisc, nullptr},
    {45, "Spline Flower", kT, SampleBaseshapeSplineFlower, nullptr},
    {46, "Gear I", kFT, SampleBaseshapeGearI, SampleBaseshapeGearIFilled},
    {47, "Futuristic", kF, SampleBaseshapeFuturistic, SampleBaseshapeFuturisticFilled},
    {48, "Prisms", kFT, SampleBaseshapePrisms, SampleBaseshapePrismsFilled},
    {49, "D Plane", kFT, SampleBaseshapeDPlane, SampleBaseshapeDPlaneFilled},
    {50, "D D. Plane", kFT, SampleBaseshapeDDPlane, SampleBaseshapeDDPlaneFilled},
    {51, "D Column", kFT, SampleBaseshapeDColumn, SampleBaseshapeDColumnFilled},
    {52, "D Cylinder", kFT, SampleBaseshapeDCylinder, SampleBaseshapeDCylinderFilled},
    {53, "D Disc", kFT, SampleBaseshapeDDisc, SampleBaseshapeDDiscFilled},
    {54, "D Sphere", kFT, SampleBaseshapeDSphere, SampleBaseshapeDSphereFilled},
    {55, "D CylinderSQ", kFT, SampleBaseshapeDCylinderSQ, SampleBaseshapeDCylinderSQFilled},
    {56, "Spire", kT, SampleBaseshapeSpire, nullptr},
    {57, "Sierpinski", 0, SampleBaseshapeSierpinski, nullptr},
    {58, "STL Mesh", 0, SampleBaseshapeSTLMesh, nullptr},
    {59, "Spline FlowerII", kT, SampleBaseshapeSplineFlowerII, nullptr},
    {60, "Stl Mesh II", 0, SampleBaseshapeStlMeshII, nullptr},
    {61, "Tornado", kFT, SampleBaseshapeTornado, SampleBaseshapeTornadoFilled},
    {62, "Dome", kFT, SampleBaseshapeDome, SampleBaseshapeDomeFilled},
    {63, "Pyramid", kFT, SampleBaseshapePyramid, SampleBaseshapePyramidFilled},
    {64, "Double Spiral", kT, SampleBaseshapeDoubleSpiral, nullptr},
    {65, "Diamond Ring", kFT, SampleBaseshapeDiamondRing, SampleBaseshapeDiamondRingFilled},
    {66, "Sting", kFT, SampleBaseshapeSting, SampleBaseshapeStingFilled},
    {67, "Rounded Box", kF, SampleBaseshapeRoundedBox, SampleBaseshapeRoundedBoxFilled},
    {68, "Pipe Box", kF, SampleBaseshapePipeBox, SampleBaseshapePipeBoxFilled},
    {69, "Double Spline R.", kFT, SampleBaseshapeDoubleSplineR, SampleBaseshapeDoubleSplineRFilled},
    {70, "Dome II", kFT, SampleBaseshapeDomeII, SampleBaseshapeDomeIIFilled},
    {71, "Pipe Torus", kFT, SampleBaseshapePipeTorus, SampleBaseshapePipeTorusFilled},
    {72, "Helix I", kFT, SampleBaseshapeHelixI, SampleBaseshapeHelixIFilled},
    {73, "D Column SQ", kFT, SampleBaseshapeDColumnSQ, SampleBaseshapeDColumnSQFilled},
    {74, "Shell II", kFT, SampleBaseshapeShellII, SampleBaseshapeShellIIFilled},
    {75, "Bar", kFT, SampleBaseshapeBar, SampleBaseshapeBarFilled},
    {76, "Road", kF, SampleBaseshapeRoad, SampleBaseshapeRoadFilled},
    {77, "Bump Torus", kFT, SampleBaseshapeBumpTorus, SampleBaseshapeBumpTorusFilled},
    {78, "SQ Shell II", kFT, SampleBaseshapeSQShellII, SampleBaseshapeSQShellIIFilled},
    {79, "Arc", kFT, SampleBaseshapeArc, SampleBaseshapeArcFilled},
    {80, "Tetrahedron", kF, SampleBaseshapeTetrahedron, SampleBaseshapeTetrahedronFilled},
    {81, "Pol. Spline R.", kFT, SampleBaseshapePolSplineR, SampleBaseshapePolSplineRFilled},
    {82, "Pol. Torus", kFT, SampleBaseshapePolTorus, SampleBaseshapePolTorusFilled},
    {83, "Wind Spinner", kT, SampleBaseshapeWindSpinner, nullptr},
    {84, "D Cylinder Pol.", kFT, SampleBaseshapeDCylinderPol, SampleBaseshapeDCylinderPolFilled},
    {85, "D. Dome", kFT, SampleBaseshapeDDome, SampleBaseshapeDDomeFilled},
    {86, "D. Arc", kFT, SampleBaseshapeDArc, SampleBaseshapeDArcFilled},
    {87, "D. Wall", kFT, SampleBaseshapeDWall, SampleBaseshapeDWallFilled},
    {88, "Polygon", kT, SampleBaseshapePolygon, nullptr},
    {89, "Crown", kT, SampleBaseshapeCrown, nullptr},
    {90, "D Octahedron", kFT, SampleBaseshapeDOctahedron, SampleBaseshapeDOctahedronFilled},
    {91, "Sine Col.", kFT, SampleBaseshapeSineCol, SampleBaseshapeSineColFilled},
    {92, "Lotus", kFT, SampleBaseshapeLotus, SampleBaseshapeLotusFilled},
    {93, "Blob", kFT, SampleBaseshapeBlob, SampleBaseshapeBlobFilled},
    {94, "D Cube", kFT, SampleBaseshapeDCube, SampleBaseshapeDCubeFilled},
    {95, "Squared Torus", kFT, SampleBaseshapeSquaredTorus, SampleBaseshapeSquaredTorusFilled},
    {96, "Spherical H. Box", kFT, SampleBaseshapeSphericalHBox, SampleBaseshapeSphericalHBoxFilled},
    {97, "Cone", kFT, SampleBaseshapeCone, SampleBaseshapeConeFilled},
    {98, "Blade", kFT, SampleBaseshapeBlade, SampleBaseshapeBladeFilled},
    {99, "Twisted Pyramid", kFT, SampleBaseshapeTwistedPyramid, SampleBaseshapeTwistedPyramidFilled},
    {100, "Heart II", kFT, SampleBaseshapeHeartII, SampleBaseshapeHeartIIFilled},
    {101, "Breather Surface", kFT, SampleBaseshapeBreatherSurface, SampleBaseshapeBreatherSurfaceFilled},
    {102, "Pol. Ring", kFT, SampleBaseshapePolRing, SampleBaseshapePolRingFilled},
    {103, "Star", kFT, SampleBaseshapeStar, SampleBaseshapeStarFilled},
    {104, "Icosahedron", kFT, SampleBaseshapeIcosahedron, SampleBaseshapeIcosahedronFilled},
    {105, "DiamondBox", kF, SampleBaseshapeDiamondBox, SampleBaseshapeDiamondBoxFilled},
    {106, "Squared Torus II", kFT, SampleBaseshapeSquaredTorusII, SampleBaseshapeSquaredTorusIIFilled},
    {107, "Sphere Cap II", kFT, SampleBaseshapeSphereCapII, SampleBaseshapeSphereCapIIFilled},
    {108, "Rounded Trapezoid", kFT, SampleBaseshapeRoundedTrapezoid, SampleBaseshapeRoundedTrapezoidFilled},
    {109, "Gear II", kFT, SampleBaseshapeGearII109, SampleBaseshapeGearII109Filled},
    {110, "Gear III", kFT, SampleBaseshapeGearIII, SampleBaseshapeGearIIIFilled},
    {111, "Dini Flower", kT, SampleBaseshapeDiniFlower, nullptr},
    {112, "Page", kT, SampleBaseshapePage, nullptr},
    {113, "Ennepers Surface II", kT, SampleBaseshapeEnnepersSurfaceII, nullptr},
    {114, "Enneper III", kT, SampleBaseshapeEnneperIII, nullptr},
    {115, "C. Tetra I", kFT, SampleBaseshapeCTetraI, SampleBaseshapeCTetraIFilled},
    {116, "C. Tetra II", kFT, SampleBaseshapeCTetraII, SampleBaseshapeCTetraIIFilled},
    {117, "Tear", kFT, SampleBaseshapeTear, SampleBaseshapeTearFilled},
    {118, "CFlower", kFT, SampleBaseshapeCFlower, SampleBaseshapeCFlowerFilled},
    {119, "Atomic", kFT, SampleBaseshapeAtomic, SampleBaseshapeAtomicFilled},
    {120, "Open Shell", kT, SampleBaseshapeOpenShell, nullptr},
    {121, "Open Cylinder", kT, SampleBaseshapeOpenCylinder, nullptr},
    {122, "Open Rounded Box", kT, SampleBaseshapeOpenRoundedBox, nullptr},
    {123, "Open Polygon", kT, SampleBaseshapeOpenPolygon, nullptr},
    {124, "Triangular Catenoid", kT, SampleBaseshapeTriangularCatenoid, nullptr},
    {125, "Axial Sphere", kFT, SampleBaseshapeAxialSphere, SampleBaseshapeAxialSphereFilled},
    {126, "Axial Octahedron", kFT, SampleBaseshapeAxialOctahedron, SampleBaseshapeAxialOctahedronFilled},
    {127, "Axial Box", kFT, SampleBaseshapeAxialBox, SampleBaseshapeAxialBoxFilled},
    {128, "Rounded Torus Knot", kF, SampleBaseshapeRoundedTorusKnot, SampleBaseshapeRoundedTorusKnotFilled},
    {129, "Tubular Loxodrome", kF, SampleBaseshapeTubularLoxodrome, SampleBaseshapeTubularLoxodromeFilled},
    {130, "Segmented Sphere", kFT, SampleBaseshapeSegmentedSphere, SampleBaseshapeSegmentedSphereFilled},
    {131, "Segmented Bicone", kFT, SampleBaseshapeSegmentedBicone, SampleBaseshapeSegmentedBiconeFilled},
    {132, "Segmented Octahedron", kFT, SampleBaseshapeSegmentedOctahedron, SampleBaseshapeSegmentedOctahedronFilled},
    {133, "Cg Sphere", kT, SampleBaseshapeCgSphere133, nullptr},
    {134, "Snowflake Set", kFT, SampleBaseshapeSnowflakeSet, SampleBaseshapeSnowflakeSetFilled},
    {135, "Polyhedral Fn I", kFT, SampleBaseshapePolyhedralFnI, SampleBaseshapePolyhedralFnIFilled},
    {136, "Polyhedral Fn II", kFT, SampleBaseshapePolyhedralFnII, SampleBaseshapePolyhedralFnIIFilled},
    {137, "Device", kFT, SampleBaseshapeDevice, SampleBaseshapeDeviceFilled},
    {138, "Sculpture", kFT, SampleBaseshapeSculpture, SampleBaseshapeSculptureFilled},
    {139, "Symmetric Fn", kFT, SampleBaseshapeSymmetricFn, SampleBaseshapeSymmetricFnFilled},
    {140, "Segment", kFT, SampleBaseshapeSegment, SampleBaseshapeSegmentFilled},
    {141, "Hook", kFT, SampleBaseshapeHook, SampleBaseshapeHookFilled},
    {142, "Moon", kFT, SampleBaseshapeMoon, SampleBaseshapeMoonFilled},
    {143, "Gear II", kFT, SampleBaseshapeGearII143, SampleBaseshapeGearII143Filled},
    {144, "Helix II", kFT, SampleBaseshapeHelixII, SampleBaseshapeHelixIIFilled},
    {145, "Strange Sphere", kFT, SampleBaseshapeStrangeSphere, SampleBaseshapeStrangeSphereFilled},
    {146, "Temple III", kFT, SampleBaseshapeTempleIII, SampleBaseshapeTempleIIIFilled},
    {147, "Polyhedral Fn III", kFT, SampleBaseshapePolyhedralFnIII, SampleBaseshapePolyhedralFnIIIFilled},
    {148, "Polyhedral Fn IV", kFT, SampleBaseshapePolyhedralFnIV, SampleBaseshapePolyhedralFnIVFilled},
    {149, "Column IV", kFT, SampleBaseshapeColumnIV, SampleBaseshapeColumnIVFilled},
    {150, "Dodecahedral Surface", kFT, SampleBaseshapeDodecahedralSurface, SampleBaseshapeDodecahedralSurfaceFilled},
    {151, "Leaf", kFT, SampleBaseshapeLeaf, SampleBaseshapeLeafFilled},
    {152, "Sine Wave", kFT, SampleBaseshapeSineWave, SampleBaseshapeSineWaveFilled},
    {153, "Triangular Wave", kFT, SampleBaseshapeTriangularWave, SampleBaseshapeTriangularWaveFilled},
    {154, "Lamp", kFT, SampleBaseshapeLamp, SampleBaseshapeLampFilled},
    {155, "Crystal Core", kFT, SampleBaseshapeCrystalCore, SampleBaseshapeCrystalCoreFilled},
    {156, "Lens", kFT, SampleBaseshapeLens, SampleBaseshapeLensFilled},
    {157, "Hexagons", kFT, SampleBaseshapeHexagons157, SampleBaseshapeHexagons157Filled},
    {158, "Pearls", kFT, SampleBaseshapePearls, SampleBaseshapePearlsFilled},
    {159, "Toroidal Bicorn", kFT, SampleBaseshapeToroidalBicorn, SampleBaseshapeToroidalBicornFilled},
    {160, "Paper Propeller", kT, SampleBaseshapePaperPropeller, nullptr},
    {161, "Cg Sphere", kFT, SampleBaseshapeCgSphere161, SampleBaseshapeCgSphere161Filled},
    {162, "Helical Tricorn", kFT, SampleBaseshapeHelicalTricorn, SampleBaseshapeHelicalTricornFilled},
    {163, "Wheel", kFT, SampleBaseshapeWheel, SampleBaseshapeWheelFilled},
    {164, "Cg Box I", kT, SampleBaseshapeCgBoxI, nullptr},
    {165, "Contour Cylinder", kFT, SampleBaseshapeContourCylinder, SampleBaseshapeContourCylinderFilled},
    {166, "Contour Circle", kFT, SampleBaseshapeContourCircle, SampleBaseshapeContourCircleFilled},
    {167, "Contour Box", kFT, SampleBaseshapeContourBox, SampleBaseshapeContourBoxFilled},
    {168, "Octahedral Fractal", kFT, SampleBaseshapeOctahedralFractal, SampleBaseshapeOctahedralFractalFilled},
    {169, "Menger Sponge", kF, SampleBaseshapeMengerSponge, SampleBaseshapeMengerSpongeFilled},
    {170, "Tetrahedral Fractal", kFT, SampleBaseshapeTetrahedralFractal, SampleBaseshapeTetrahedralFractalFilled},
    {171, "Icosahedral Fractal", kFT, SampleBaseshapeIcosahedralFractal, SampleBaseshapeIcosahedralFractalFilled},
    {172, "Cg Box II", kFT, SampleBaseshapeCgBoxII, SampleBaseshapeCgBoxIIFilled},
    {173, "Cg Box III", kFT, SampleBaseshapeCgBoxIII, SampleBaseshapeCgBoxIIIFilled},
    {174, "Tri Circle", kFT, SampleBaseshapeTriCircle, SampleBaseshapeTriCircleFilled},
    {175, "Circular Stairs", kF, SampleBaseshapeCircularStairs, SampleBaseshapeCircularStairsFilled},
    {176, "Blocks", kF, SampleBaseshapeBlocks, SampleBaseshapeBlocksFilled},
    {177, "Gazebo", kF, SampleBaseshapeGazebo, SampleBaseshapeGazeboFilled},
    {178, "Distorted Round Box", kFT, SampleBaseshapeDistortedRoundBox, SampleBaseshapeDistortedRoundBoxFilled},
    {179, "Wizard Hat", kFT, SampleBaseshapeWizardHat, SampleBaseshapeWizardHatFilled},
    {180, "Pudding", kT, SampleBaseshapePudding, nullptr},
    {181, "Scaled Torus", kT, SampleBaseshapeScaledTorus, nullptr},
    {182, "Morning Star", kT, SampleBaseshapeMorningStar, nullptr},
    {183, "Sinusoidal I", kT, SampleBaseshapeSinusoidalI, nullptr},
    {184, "Sinusoidal II", kT, SampleBaseshapeSinusoidalII, nullptr},
    {185, "Venus", kT, SampleBaseshapeVenus, nullptr},
    {186, "Ammonites", kT, SampleBaseshapeAmmonites, nullptr},
    {187, "Scaled Pseudosphere", kT, SampleBaseshapeScaledPseudosphere, nullptr},
    {188, "Scaled Trapezoid", kT, SampleBaseshapeScaledTrapezoid, nullptr},
    {189, "Squared Spring", kT, SampleBaseshapeSquaredSpring, nullptr},
    {190, "Horned Crown", kT, SampleBaseshapeHornedCrown, nullptr},
    {191, "Chain Slab", kT, SampleBaseshapeChainSlab, nullptr},
    {192, "Rings", kT, SampleBaseshapeRings, nullptr},
    {193, "Hexagons", kT, SampleBaseshapeHexagons193, nullptr},
    {194, "Triangular Bicorn", kT, SampleBaseshapeTriangularBicorn, nullptr},
};

namespace {

constexpr std::array<const char*, kBaseshapeKinds> MakeTypeNames()
{
    std::array<const char*, kBaseshapeKinds> names{};
    for (int k = 0; k < kBaseshapeKinds; ++k) names[k] = gBaseshapeKindTable[k].name;
    return names;
}

}  // namespace

constinit const std::array<const char*, kBaseshapeKinds> gBaseshapeTypeNames = MakeTypeNames();
