// The scene export's format half; the dialog half is ExportKavrolinScene
// (app/scene_export_dialog.cpp).
//
// Sections: [writer] [baseshapes] [scene] [file].
#include "files/scene_export.h"

#include <algorithm>
#include <cstring>

#include "engine/fractal_model.h"
#include "engine/generator_blocks.h"
#include "engine/generator_groups.h"
#include "engine/point_coloring.h"
#include "engine/script_program.h"
#include "files/binary_writer.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

// ---- [writer] ------------------------------------------------------------------
namespace {

// Row-major 3 x 3 written column by column.
void Columns(BinaryWriter& out, const float* m)
{
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) out.Value(m[row * 3 + column]);
    }
}

// count entries of an array of size entries; those past its end are 0.
template <typename T>
void Padded(BinaryWriter& out, const T* array, int32_t size, int64_t count)
{
    const int64_t inside = std::clamp<int64_t>(count, 0, size);
    out.Values(array, static_cast<size_t>(inside));
    if (count > inside) out.Zeros(static_cast<size_t>(count - inside) * sizeof(T));
}

// width x height x depth bytes, or false when the count does not fit.
bool ImageBytes(uint32_t width, uint32_t height, size_t depth, size_t* bytes)
{
    size_t area = 0;
    return !__builtin_mul_overflow(static_cast<size_t>(width), static_cast<size_t>(height), &area) &&
           !__builtin_mul_overflow(area, depth, bytes);
}

// An image without pixels goes out as 0 by 0.
void WriteImage(BinaryWriter& out, const BaseshapeImage& image, size_t depth)
{
    const bool present = image.pixels != nullptr;
    const uint32_t width = present ? image.width : 0;
    const uint32_t height = present ? image.height : 0;
    size_t bytes = 0;
    if (!ImageBytes(width, height, depth, &bytes)) {
        out.Fail();
        return;
    }
    out.Value(width);
    out.Value(height);
    out.Bytes(image.name, sizeof image.name);
    out.Bytes(image.pixels, bytes);
}

void WriteMesh(BinaryWriter& out, const BaseshapeMesh& mesh)
{
    const uint32_t count = mesh.vertices ? mesh.triangleCount : 0;
    size_t bytes = 0;
    if (__builtin_mul_overflow(static_cast<size_t>(count), 9 * sizeof(float), &bytes)) {
        out.Fail();
        return;
    }
    out.Value(count);
    out.Bytes(mesh.name, sizeof mesh.name);
    out.Values(mesh.vertices, bytes / sizeof(float));
}

// ---- [baseshapes] --------------------------------------------------------------
void WriteBaseshape(BinaryWriter& out, const SceneInputs& in, int i)
{
    const BaseshapeRecord& shape = gBaseshapes[i];
    out.Value(shape.shapeType);
    Columns(out, shape.rotation);
    Columns(out, shape.scaleShear);
    out.Values(shape.position, 3);
    out.Value(shape.pointsPerRun);
    out.Value(shape.material);
    out.Value(shape.probability);
    out.Value(shape.pickerFirst);
    out.Value(shape.pickerCell);
    out.Value(shape.pickerX);
    out.Value(shape.pickerY);

    const BaseshapePoint& point = in.editPoints[i];
    out.Value(point.x);
    out.Value(point.y);
    out.Value(point.z);
    out.Value(point.size);
    out.Values(point.p, 10);

    const uint8_t options[13] = {shape.showBaseshape, shape.useTexture,      shape.smoothTexture,
                                 shape.randomRunLength, shape.useGradient,   shape.modifierOn,
                                 shape.arrayOn,       shape.neonOn,          shape.animationStored,
                                 shape.interior,      shape.reserved[0],     shape.reserved[1],
                                 shape.reserved[2]};
    out.Bytes(options, sizeof options);

    if (in.usesDMap && in.usesDMap(shape.shapeType)) WriteImage(out, gBaseshapeDMaps[i], 1);
    if (shape.shapeType == 58 || shape.shapeType == 60) WriteMesh(out, gBaseshapeMeshes[i]);
    if (shape.useTexture) WriteImage(out, gBaseshapeTextures[i], 3);
    if (shape.useGradient) {
        const ColorRamp& ramp = gBaseshapeColorRamps[i];
        for (int j = 0; j < 256; ++j) {
            const uint8_t entry[3] = {ramp.r[j], ramp.g[j], ramp.b[j]};
            out.Bytes(entry, 3);
        }
        if (shape.useTexture) out.Value(shape.blendMode);
    }
    if (shape.modifierOn) {
        out.Value(static_cast<uint32_t>(gBaseshapeModifierType[i]));
        out.Value(gBaseshapeModifierAmount[i]);
    }
    if (shape.arrayOn) {
        out.Value(static_cast<uint32_t>(gBaseshapeArrayType[i]));
        out.Value(gBaseshapeArrayCount[i]);
        out.Value(gBaseshapeArrayAngle[i]);
        out.Value(gBaseshapeArrayPivotX[i]);
        out.Value(gBaseshapeArrayPivotY[i]);
        out.Value(gBaseshapeArrayPivotZ[i]);
    }
    if (shape.neonOn) {
        out.Value(gBaseshapeNeonColor.r[i]);
        out.Value(gBaseshapeNeonColor.g[i]);
        out.Value(gBaseshapeNeonColor.b[i]);
        out.Value(gBaseshapeNeonStrength[i]);
    }
    if (shape.animationStored) {
        out.Values(in.spin[i], 4);
        out.Values(in.moveDirection[i], 3);
        out.Values(in.moveWave[i], 3);
        out.Value(in.waveType[i]);
    }
}

// ---- [scene] -------------------------------------------------------------------
void WriteTransform(BinaryWriter& out, const TransformRecord& t)
{
    Columns(out, t.rotation);
    Columns(out, t.scaleShear);
    out.Values(t.position, 3);
    out.Value(t.weight);
    out.Bytes(t.variationOn, 10);
    out.Values(t.variationAmount, 10);
}

// Each array goes out 10 entries past its count; entries past the end of
// the program's own array are written as 0.
void WriteScriptProgram(BinaryWriter& out)
{
    const ScriptProgram& program = gScriptProgram;
    const int64_t a = program.tformCount, b = program.operationCount, c = program.parameterCount;
    out.Value(static_cast<uint32_t>(a));
    out.Value(static_cast<uint32_t>(b));
    out.Value(static_cast<uint32_t>(c));
    Padded(out, program.tformOperationCount, kScriptMaxTforms, a + 10);
    Padded(out, program.parameters, kScriptParameterPoolSize, c + 10);
    Padded(out, program.operationCode, kScriptMaxOperations, b + 10);
    Padded(out, program.operationFirstParameter, kScriptMaxOperations, b + 10);
    Padded(out, program.tformWeight, kScriptMaxTforms, a + 10);
    Padded(out, program.tformFirstOperation, kScriptMaxTforms, a + 10);
}

void WriteView(BinaryWriter& out, float separation)
{
    out.Value(gViewScale);
    out.Values(gViewCentre, sizeof gViewCentre / sizeof gViewCentre[0]);
    out.Values(gCameraMatrix, sizeof gCameraMatrix / sizeof gCameraMatrix[0]);
    out.Value(gSymmetryOn.load());
    out.Value(static_cast<uint32_t>(gSymmetryMode.load()));
    out.Value(separation);
}

// A transformation without a group of its own goes out as an empty group.
void WriteGeneratorGroups(BinaryWriter& out)
{
    for (int32_t t = 0; t < gPickTransformCount; ++t) {
        if (!gGeneratorGroups || t >= gGeneratorGroupCount) {
            out.Value(0.0f);
            out.Value(int32_t{0});
            continue;
        }
        const GeneratorGroup& group = gGeneratorGroups[t];
        out.Value(group.weight);
        out.Value(group.blockCount);
        for (int32_t k = 0; k < group.blockCount; ++k) {
            // A type past the table has no parameters to write (and none to look up).
            const uint8_t type = group.blockTypes[k];
            const int32_t count = type < kGeneratorBlockTypes ? gGeneratorParameterCounts[type] : 0;
            out.Value(type);
            out.Value(static_cast<uint32_t>(count));
            Padded(out, group.parameters ? group.parameters[k] : nullptr, group.parameters && group.parameters[k] ? count : 0,
                   count);
        }
    }
}

bool WriteKavrolinSceneTo(BinaryWriter& out, const SceneInputs& inputs)
{
    const int32_t baseshapes = std::clamp(gBaseshapeCount, 0, kMaxBaseshapes);
    const int32_t transforms = std::clamp(gTransformCount, 0, kMaxTransforms);
    out.Value(static_cast<uint32_t>(gFractalType));
    out.Value(static_cast<uint32_t>(baseshapes));
    out.Value(gRgbColoring);
    for (int i = 0; i < baseshapes && out.Ok(); ++i) WriteBaseshape(out, inputs, i);
    out.Value(static_cast<uint32_t>(transforms));
    for (int t = 0; t < transforms; ++t) WriteTransform(out, gTransforms[t]);
    if (gFractalType == 22) WriteScriptProgram(out);
    WriteView(out, inputs.separation);
    if (gFractalType == 48) WriteGeneratorGroups(out);
    return out.Ok();
}

}  // namespace

bool WriteKavrolinScene(const ByteSink& sink, const SceneInputs& inputs)
{
    BinaryWriter out(sink);
    return WriteKavrolinSceneTo(out, inputs);
}

// ---- [file] --------------------------------------------------------------------
FileWriteResult WriteKavrolinSceneFile(const char* path, const SceneInputs& inputs)
{
    return WriteReplacingFile(
        path,
        [](BinaryWriter& out, const void* context) {
            return WriteKavrolinSceneTo(out, *static_cast<const SceneInputs*>(context));
        },
        &inputs);
}
