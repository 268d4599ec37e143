// Baseshape records and the per-baseshape arrays the render side reads:
// point templates, colours, ramps, images, meshes, modifier and array modes.
#pragma once

#include <cstdint>

#include "engine/constants.h"

// The point record handed to every sampler. Each baseshape keeps one as its
// template; each render slot owns one working copy.
struct BaseshapePoint {
    uint8_t red, green, blue;
    float x, y, z;       // the point in the baseshape's own frame
    float size;
    float p[13];         // shape parameters P0..P12, meaning per kind
    float spare;         // kept and copied with the point
};

// The kind picker of the baseshape editor shows the kinds in pages of 15
// (5 across, 3 down); a record remembers its kind's page (pickerFirst, the
// page's first kind) and cell. The last page starts at 180.
inline constexpr int kKindPickerPage = 15;
inline constexpr int kKindPickerLastFirst = (kBaseshapeKinds - 1) / kKindPickerPage * kKindPickerPage;
// The first kind of the page that shows the kind.
inline constexpr int KindPickerPageFirst(int kind)
{
    const int first = (kind < 0 ? 0 : kind) / kKindPickerPage * kKindPickerPage;
    return first < kKindPickerLastFirst ? first : kKindPickerLastFirst;
}

struct BaseshapeRecord {
    float glMatrix[16];   // column-major preview matrix; 12..14 = current position
    float rotation[9];    // row-major
    float scaleShear[9];  // row-major
    float matrix[9];      // rotation x scaleShear
    float position[3];
    float probability;
    float pickerX;
    float pickerY;
    int32_t shapeType;    // 0..194
    int32_t pickerFirst;
    int32_t pickerCell;
    uint32_t pointsPerRun;  // 0 = the kernel's default run
    uint8_t material;       // 0..9
    uint8_t blendMode;      // default 7
    uint8_t showBaseshape;
    uint8_t useTexture;
    uint8_t smoothTexture;  // 1 bilinear, 0 nearest
    uint8_t randomRunLength;
    uint8_t useGradient;
    uint8_t modifierOn;
    uint8_t arrayOn;
    uint8_t neonOn;
    uint8_t animationStored;
    uint8_t interior;       // 0 "Empty", 1 "Filled"
    uint8_t reserved[3];
};

// An image as the samplers read it: RGB8 rows (textures) or one height byte
// a pixel (displacement maps), row 0 first. Owned by the loaders.
struct BaseshapeImage {
    char name[260];
    uint32_t width;
    uint32_t height;
    uint8_t* pixels;
};

// A triangle mesh: 9 floats a triangle (V0, V1, V2).
struct BaseshapeMesh {
    char name[260];
    uint32_t triangleCount;
    float* vertices;
};

struct BaseshapeColorArrays {
    int32_t r[kMaxBaseshapes];
    int32_t g[kMaxBaseshapes];
    int32_t b[kMaxBaseshapes];
};

struct ColorRamp {
    uint8_t r[256];
    uint8_t g[256];
    uint8_t b[256];
};

extern BaseshapeRecord gBaseshapes[kMaxBaseshapes];
extern int32_t gBaseshapeCount;   // in use, 0..65
extern uint8_t gUseBaseshapes;    // 1: every run starts from a baseshape seed point
extern BaseshapePoint gBaseshapePointTemplates[kMaxBaseshapes];
extern BaseshapeColorArrays gBaseshapeColors;
extern ColorRamp gBaseshapeColorRamps[kMaxBaseshapes];
extern BaseshapeImage gBaseshapeTextures[kMaxBaseshapes];
extern BaseshapeImage gBaseshapeDMaps[kMaxBaseshapes];
extern BaseshapeMesh gBaseshapeMeshes[kMaxBaseshapes];
extern int32_t gBaseshapeModifierType[kMaxBaseshapes];  // 0..11
extern float gBaseshapeModifierAmount[kMaxBaseshapes];
extern int32_t gBaseshapeArrayType[kMaxBaseshapes];     // 0..9
extern uint32_t gBaseshapeArrayCount[kMaxBaseshapes];
extern float gBaseshapeArrayAngle[kMaxBaseshapes];
extern float gBaseshapeArrayPivotX[kMaxBaseshapes];
extern float gBaseshapeArrayPivotY[kMaxBaseshapes];
extern float gBaseshapeArrayPivotZ[kMaxBaseshapes];

// Neon glow per baseshape, read by the shading for baseshapes whose
// neonOn byte is set.
struct BaseshapeNeonColors {
    uint8_t r[kMaxBaseshapes];
    uint8_t g[kMaxBaseshapes];
    uint8_t b[kMaxBaseshapes];
};
extern BaseshapeNeonColors gBaseshapeNeonColor;
extern float gBaseshapeNeonStrength[kMaxBaseshapes];

// Per-slot seed-pick state (the slot's worker owns entry s).
// The slot's working point, alone on its cache lines: a worker writes it at
// every seed, so neighbouring slots must not share its lines.
struct alignas(64) SlotBaseshapePoint : BaseshapePoint {
    using BaseshapePoint::operator=;
};
extern SlotBaseshapePoint gSlotBaseshapePoints[kMaxRenderSlots];
extern int8_t gSlotBaseshape[kMaxRenderSlots];
extern uint8_t gSlotBaseshapeColorIndex[kMaxRenderSlots];
// A seed position of one slot (x, y, z), on a cache line of its own.
struct alignas(64) SlotSeedPosition {
    float v[3];
    float& operator[](int i) { return v[i]; }
    float operator[](int i) const { return v[i]; }
};
extern SlotSeedPosition gSlotBaseshapePosition[kMaxRenderSlots];  // [slot][axis]
extern SlotSeedPosition gSlotSeedPoint[kMaxRenderSlots];          // [slot][axis]
extern uint8_t gSlotSampleColor[kMaxRenderSlots][3];
extern uint8_t gSlotColorMode[kMaxRenderSlots];     // 0 none, 1 nearest, 2 bilinear
extern uint8_t gSlotTexelColor[kMaxRenderSlots][3];
