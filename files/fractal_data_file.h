// The fractal data file: the whole state of a fractal, ".zdat" with its
// parameters only, ".zb3f" with the render buffers as well, so that a
// render can go on where it stopped. u32 version (31), u32 1, then in
// order: 1 image size and shadow settings; 2 camera and view; 3 the
// published transformation arrays; 4 type, counts, light, symmetry; 5 the
// baseshapes; 6 the transformations; 7 the material settings and the
// animation page; 8 the script program (type 22), the generator chains
// (type 48), the lights; 9 surface materials and the colouring block; 10
// the render buffers (".zb3f" only); 11 the forbidden successors.
// Little-endian, no gaps; older versions read with the defaults of what
// they lack, and files of the first versions have no version word at all.
//
// Reading is staged: ParseFractalDataFile takes the whole file apart into a
// FractalDataDocument, checking every count and size; InstallFractalData
// then makes the buffers the stored size and only if that worked puts the
// document into the model. A refused file, or a size the memory cannot
// hold, changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/byte_sink.h"
#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/script_program.h"
#include "engine/window_ranges.h"
#include "files/baseshape_file.h"
#include "files/binary_writer.h"
#include "files/material_settings.h"
#include "files/transformation_file.h"

inline constexpr uint32_t kFractalDataVersion = 31;
inline constexpr size_t kMaxFractalDataFileBytes = size_t{1} << 32;
// The sides the "Render Resolution:" window allows (doubled with 2X anti-aliasing).
inline constexpr int32_t kMinRenderSide = static_cast<int32_t>(kResolutionRows[0]);
inline constexpr int32_t kMaxRenderSide = static_cast<int32_t>(kResolutionRows[1]);

// What the file carries for the panels and views, which this library cannot
// reach: the caller fills it before a save and applies it after a load.
struct FractalPanelValues {
    float orientationA[4] = {1, 0, 0, 0};
    float orientationB[4] = {1, 0, 0, 0};
    double viewDoubles[2] = {0, 0};
    uint8_t generatorSwitch = 0;
    float voxelExportType = -1.0f;        // the last voxel mesh export (-1 STL .. -4 PNG slices)
    uint32_t fractalTypeBoxState[2] = {0, 0};
    float lightTrackBall[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // the light ball's rotation
    float perspectiveAngle = 60.0f;       // "Perspective"
    // The animation page.
    uint8_t previewAnimations = 0;        // "Enable Preview Animations"
    float animationFrames[3] = {0, 36, 3};  // "Start Frame", "Number of Frames", "Frame Iterations"
    int32_t imageType = 1;                // "Image Type": 1 BMP, 0 PNG
    float rotationAxis[3] = {0, 1, 0};    // "Rotation Axis"
    uint32_t animationCounter = 0;
    float escapeValue = 0.1f;             // the transformation editor's fourth escape setting
};

// A light as stored: its values, and its gel when it is textured.
struct StagedLight {
    uint8_t enabled = 0;
    LightSource light;
    SlotImagePtr gel;
};

struct GeneratorGroupsOwner {
    GeneratorGroup* groups = nullptr;
    int32_t count = 0;
    ~GeneratorGroupsOwner() { FreeGeneratorGroupArray(groups, count); }
};

// Block 10 as read: depth, [shadow map], colour index, depth of field,
// [colour planes], [sub-pixel], one after the other.
struct StoredBuffers {
    std::unique_ptr<uint8_t[], FreeDeleter> bytes;
    size_t size = 0;
    bool shadowMap = false, colorPlanes = false, subPixel = false;
};

struct FractalDataDocument {
    uint32_t version = 1;
    bool versionWord = false;
    uint32_t layoutFlag = 0;
    // Block 1.
    int32_t width = 0, height = 0;
    int32_t fastShadowUpdate = 1;
    uint8_t antiAlias2x = 0;
    // Block 2.
    float panX = 0, panY = 0, perspectiveFocal = 1;
    float cameraRotation[9] = {};
    float viewCentre[3] = {};
    float shadowOffset[3] = {};
    float cameraAngles[3] = {};
    float viewScale = 1, shadowScale = 1, zoom = 1, perspectiveEye = 1;
    uint8_t mirror = 0, mirrorY = 0, perspectiveOn = 0;
    // Block 3.
    TransformCoefficients coefficients{};
    MobiusCoefficients mobius{};
    // Block 4.
    int32_t fractalGeneratorRow = 0;
    int32_t fractalType = 0;
    int32_t pickCount = 0;
    float lightReference[3] = {0, 0, 1};
    float lightDirection[3] = {0, 0, 1};
    float dofRadius = 0;
    int32_t projection = 0;
    int32_t symmetryMode = 100;
    uint8_t symmetryOn = 0;
    bool symmetryWeights = false;  // the copy weights are set afresh
    float separation = 1, sides = 6;
    int32_t baseshapeCount = 0;
    uint8_t rgbColoring = 0;
    // Blocks 5 and 6.
    std::vector<BaseshapeFileEntry> baseshapes;
    int32_t transformCount = 0;
    TransformationFileRecord transforms[kMaxTransforms] = {};
    // Blocks 7 to 9.
    MaterialSettings material;
    FractalPanelValues panel;
    ScriptProgram script{};
    GeneratorGroupsOwner groups;
    bool lightsStored = false;
    StagedLight lights[kLightCount];
    int32_t transformColors[kMaxTransforms][3] = {};
    int32_t baseshapeColors[kMaxBaseshapes][3] = {};
    bool colorsStored = false;  // the colouring block (else every colour white)
    double picker[3] = {-0.75, 0, 1};  // centre re, im, scale
    bool pickerStored = false;
    EscapeGradient escapeGradient{};
    int32_t escapeFunction = 5;
    // Blocks 10 and 11.
    StoredBuffers buffers;
    int32_t forbidden[kMaxTransforms][2] = {};
};

// ---- Writing (fractal_data_writer.cpp) ----------------------------------------------
// The model as the current version; withBuffers adds block 10. False when
// the render size is one the reader would refuse.
bool WriteFractalDataFile(const ByteSink& sink, bool withBuffers, const FractalPanelValues& panel);
FileWriteResult WriteFractalDataFileTo(const std::string& path, bool withBuffers, const FractalPanelValues& panel);

// ---- Reading (fractal_data_reader.cpp) ----------------------------------------------
// Parses a whole file; withBuffers reads block 10 (".zb3f"). On anything but
// kRead the document is of no use and *why says what was wrong. The header
// is checked against the file's size first: a render whose buffers the file
// cannot hold is refused before the rest is read.
FileParseStatus ParseFractalDataFile(BinaryReader& in, bool withBuffers, FractalDataDocument* doc, std::string* why);
FileParseStatus ParseFractalDataFile(const uint8_t* data, size_t size, bool withBuffers, FractalDataDocument* doc,
                                     std::string* why);

// ---- Installing (fractal_data_install.cpp) ------------------------------------------
// Stops the render, makes the render buffers the document's size through
// resize (false: the memory was not there, and nothing else has changed),
// then puts the document into the model: view, transformations, baseshapes,
// materials, lights, chains, script, colouring, the stored buffers (the
// others cleared), the pick table, the derived view values and the
// fractal type's kernel (not yet run). Baseshape 0, transformation 0,
// material 0 and light 0 become the edited ones. The panels, the editors'
// widgets and the screen are the caller's, with doc.panel.
using RenderBufferResize = bool (*)(int32_t width, int32_t height, bool antiAlias2x);
bool InstallFractalData(FractalDataDocument& doc, RenderBufferResize resize);
