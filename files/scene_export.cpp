// Sections: [writer] [baseshapes] [scene] [file].
#include "files/scene_export.h"

#include <algorithm>
#include <cstring>

#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/point_coloring.h"
#include "engine/script_program.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

// ---- [writer] ------------------------------------------------------------------
namespace {

// Keeps the first failure; every later write is skipped.
class SceneWriter {
public:
    explicit SceneWriter(const ByteSink& sink) : sink_(sink) {}

    bool ok() const { return ok_; }
    void Fail() { ok_ = false; }

    void Bytes(const void* data, size_t bytes)
    {
        if (ok_ && bytes > 0) ok_ = sink_.Write(data, bytes);
    }
    template <typename T>
    void Value(T value)
    {
        Bytes(&value, sizeof value);
    }
    // Row-major 3 x 3 written column by column.
    void Columns(const float* m)
    {
        for (int column = 0; column < 3; ++column) {
            for (int row = 0; row < 3; ++row) Value(m[row * 3 + column]);
        }
    }
    // count entries of an array of size entries; those past its end are 0.
    template <typename T>
    void Padded(const T* array, int32_t size, int64_t count)
    {
        const int64_t inside = std::clamp<int64_t>(count, 0, size);
        Bytes(array, static_cast<size_t>(inside) * sizeof(T));
        for (int64_t i = inside; i < count; ++i) Value(T{});
    }

private:
    const ByteSink& sink_;
    bool ok_ = true;
};

// width x height x depth bytes, or false when the count does not fit.
bool ImageBytes(uint32_t width, uint32_t height, size_t depth, size_t* bytes)
{
    size_t area = 0;
    return !__builtin_mul_overflow(static_cast<size_t>(width), static_cast<size_t>(height), &area) &&
           !__builtin_mul_overflow(area, depth, bytes);
}

// An image without pixels goes out as 0 by 0.
void WriteImage(SceneWriter& out, const BaseshapeImage& image, size_t depth)
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

void WriteMesh(SceneWriter& out, const BaseshapeMesh& mesh)
{
    const uint32_t count = mesh.vertices ? mesh.triangleCount : 0;
    size_t bytes = 0;
    if (__builtin_mul_overflow(static_cast<size_t>(count), 9 * sizeof(float), &bytes)) {
        out.Fail();
        return;
    }
    out.Value(count);
    out.Bytes(mesh.name, sizeof mesh.name);
    out.Bytes(mesh.vertices, bytes);
}

// ---- [baseshapes] --------------------------------------------------------------
void WriteBaseshape(SceneWriter& out, const SceneInputs& in, int i)
{
    const BaseshapeRecord& shape = gBaseshapes[i];
    out.Value(shape.shapeType);
    out.Columns(shape.rotation);
    out.Columns(shape.scaleShear);
    out.Bytes(shape.position, sizeof shape.position);
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
    out.Bytes(point.p, 10 * sizeof(float));

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
        out.Bytes(in.spin[i], 4 * sizeof(float));
        out.Bytes(in.moveDirection[i], 3 * sizeof(float));
        out.Bytes(in.moveWave[i], 3 * sizeof(float));
        out.Value(in.waveType[i]);
    }
}

// ---- [scene] -------------------------------------------------------------------
void WriteTransform(SceneWriter& out, const TransformRecord& t)
{
    out.Columns(t.rotation);
    out.Columns(t.scaleShear);
    out.Bytes(t.position, sizeof t.position);
    out.Value(t.weight);
    out.Bytes(t.variationOn, 10);
    out.Bytes(t.variationAmount, 10 * sizeof(float));
}

// Each array goes out 10 entries past its count; entries past the end of
// the program's own array are written as 0.
void WriteScriptProgram(SceneWriter& out)
{
    const ScriptProgram& program = gScriptProgram;
    const int64_t a = program.tformCount, b = program.operationCount, c = program.parameterCount;
    out.Value(static_cast<uint32_t>(a));
    out.Value(static_cast<uint32_t>(b));
    out.Value(static_cast<uint32_t>(c));
    out.Padded(program.tformOperationCount, kScriptMaxTforms, a + 10);
    out.Padded(program.parameters, kScriptParameterPoolSize, c + 10);
    out.Padded(program.operationCode, kScriptMaxOperations, b + 10);
    out.Padded(program.operationFirstParameter, kScriptMaxOperations, b + 10);
    out.Padded(program.tformWeight, kScriptMaxTforms, a + 10);
    out.Padded(program.tformFirstOperation, kScriptMaxTforms, a + 10);
}

void WriteView(SceneWriter& out, float separation)
{
    out.Value(gViewScale);
    out.Bytes(gViewCentre, sizeof gViewCentre);
    out.Bytes(gCameraMatrix, sizeof gCameraMatrix);
    out.Value(gSymmetryOn.load());
    out.Value(static_cast<uint32_t>(gSymmetryMode.load()));
    out.Value(separation);
}

// A transformation without a group of its own goes out as an empty group.
void WriteGeneratorGroups(SceneWriter& out)
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
            const uint8_t type = group.blockTypes[k];
            const int32_t count = gGeneratorParameterCounts[type];
            out.Value(type);
            out.Value(static_cast<uint32_t>(count));
            out.Bytes(group.parameters[k], static_cast<size_t>(count) * sizeof(float));
        }
    }
}

}  // namespace

bool WriteKavrolinScene(const ByteSink& sink, const SceneInputs& inputs)
{
    SceneWriter out(sink);
    const int32_t baseshapes = std::clamp(gBaseshapeCount, 0, kMaxBaseshapes);
    const int32_t transforms = std::clamp(gTransformCount, 0, kMaxTransforms);
    out.Value(static_cast<uint32_t>(gFractalType));
    out.Value(static_cast<uint32_t>(baseshapes));
    out.Value(gRgbColoring);
    for (int i = 0; i < baseshapes && out.ok(); ++i) WriteBaseshape(out, inputs, i);
    out.Value(static_cast<uint32_t>(transforms));
    for (int t = 0; t < transforms; ++t) WriteTransform(out, gTransforms[t]);
    if (gFractalType == 22) WriteScriptProgram(out);
    WriteView(out, inputs.separation);
    if (gFractalType == 48) WriteGeneratorGroups(out);
    return out.ok();
}

// ---- [file] --------------------------------------------------------------------
SceneFileResult WriteKavrolinSceneFile(const char* path, const SceneInputs& inputs)
{
    FileSink file;
    if (!OpenFileSink(file, path)) return SceneFileResult::kOpenFailed;
    const bool written = WriteKavrolinScene(SinkOf(file), inputs);
    return CloseFileSink(file, !written) && written ? SceneFileResult::kWritten : SceneFileResult::kWriteFailed;
}
