// Writing the fractal data file, block by block as fractal_data_file.h lists
// them. Sections: [blocks 1 to 4] [blocks 5 to 8] [blocks 9 to 11] [file].
#include <algorithm>
#include <cstring>

#include "engine/baseshape_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/transform_set.h"
#include "files/fractal_data_file.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "shading/animation_step.h"
#include "shading/preview_passes.h"

namespace {

constexpr int kColumnOrder[9] = {0, 3, 6, 1, 4, 7, 2, 5, 8};
constexpr size_t kNameSize = 260;
constexpr uint32_t kReservedWord = 31;

int Count(int32_t n, int limit) { return std::clamp(n, 0, limit); }
int PickCount() { return Count(gPickTransformCount, kMaxTransforms); }

// ---- [blocks 1 to 4] ----------------------------------------------------------------
void WriteHeader(BinaryWriter& out)
{
    out.Value(kFractalDataVersion);
    out.Value(uint32_t{1});
    out.Value(static_cast<uint32_t>(gImageWidth));
    out.Value(static_cast<uint32_t>(gImageHeight));
    out.Value(static_cast<float>(gImageWidth) * 0.0012019231f);
    out.Value(512.0f / static_cast<float>(gImageWidth));
    out.Value(gFastShadowUpdate);
    out.Value(gAntiAlias2x);
}

void WriteView(BinaryWriter& out)
{
    out.Value(0.0f);
    out.Value(static_cast<float>(gImageWidth / 2));
    out.Value(static_cast<float>(gImageHeight / 2));
    out.Value(0.0f);
    out.Value(gPanX);
    out.Value(gPanY);
    out.Value(gPerspectiveFocal);
    out.Values(gCameraRotation, 9);
    out.Values(gViewCentre, 3);
    out.Value(gShadowOffsetX);
    out.Value(gShadowOffsetY);
    for (float value : {gShadowOffsetZ, gCameraAngleX, gCameraAngleY, gCameraAngleZ}) out.Value(value);
    out.Zeros(3 * sizeof(float));
    out.Value(gViewScale);
    out.Value(gShadowScale);
    out.Value(gPointPreviewZoom);
    out.Value(gMirrorCopy);
    out.Value(gMirrorY);
    out.Value(gPerspectiveOn);
    out.Value(gPerspectiveEye);
}

void WritePublishedArrays(BinaryWriter& out, const FractalPanelValues& panel)
{
    const TransformCoefficients& c = gTransformCoefficients;
    for (const float* a : {c.m00, c.m01, c.m02, c.m10, c.m11, c.m12, c.m20, c.m21, c.m22, c.tx, c.ty, c.tz})
        out.Values(a, kMaxTransforms);
    out.Values(gTransformWeights, kMaxTransforms);
    for (const Complex* a : {gMobiusCoefficients.a, gMobiusCoefficients.b, gMobiusCoefficients.c, gMobiusCoefficients.d}) {
        for (int t = 0; t < kMaxTransforms; ++t) {
            out.Value(a[t].re);
            out.Value(a[t].im);
        }
    }
    out.Values(panel.viewDoubles, 2);
}

void WriteSettings(BinaryWriter& out, const MaterialValues& v, const FractalPanelValues& panel)
{
    out.Values(panel.orientationA, 4);
    out.Values(panel.orientationB, 4);
    out.Zeros(9 * sizeof(float));
    out.Value(panel.generatorSwitch);
    out.Value(gFractalGeneratorRow);
    out.Value(kReservedWord);
    out.Value(panel.voxelExportType);
    out.Value(0.0f);
    out.Value(gMirrorCopy);
    out.Value(kReservedWord);
    out.Value(0.0f);
    out.Value(gFractalType);
    out.Value(static_cast<int32_t>(PickCount()));
    out.Values(gPointX, 1000);
    out.Values(gPointY, 1000);
    out.Values(gPointZ, 1000);
    out.Zeros(1000 * sizeof(float));
    out.Values(panel.fractalTypeBoxState, 2);
    out.Value(kReservedWord);
    out.Value(kReservedWord);
    const uint8_t flags[8] = {v.drawingShadersOn, 0, v.backgroundOn, v.volumetricFogOn, 0, 0, v.fogOn, 0};
    out.Bytes(flags, sizeof flags);
    out.Values(gLightTrackBallB, 3);
    out.Values(panel.lightTrackBall, 9);
    out.Values(gLightTrackBallA, 3);
    out.Zeros(3 * sizeof(float));
    out.Value(gFogJitterRadius);
    out.Value(gProjectionSelector);
    out.Value(panel.perspectiveAngle);
    out.Value(gSymmetryOn.load() ? gSymmetryMode.load() : kSymmetryModeNormal);
    out.Value(gSymmetrySeparation.load());
    out.Value(gSymmetryFoldCount.load());
    out.Value(static_cast<int32_t>(Count(gBaseshapeCount, kMaxBaseshapes)));
    out.Value(gRgbColoring);
}

// ---- [blocks 5 to 8] ----------------------------------------------------------------
void WriteTransformations(BinaryWriter& out)
{
    const int n = Count(gTransformCount, kMaxTransforms);
    out.Value(static_cast<uint32_t>(n));
    for (int t = 0; t < n; ++t) {
        const TransformRecord& r = gTransforms[t];
        for (int k : kColumnOrder) out.Value(r.rotation[k]);
        for (int k : kColumnOrder) out.Value(r.scaleShear[k]);
        out.Values(r.position, 3);
        out.Value(r.weight);
        for (int k = 0; k < 10; ++k) out.Value(static_cast<uint8_t>(r.variationOn[k] != 0));
        out.Values(r.variationAmount, 10);
    }
}

void WriteAnimation(BinaryWriter& out, const FractalPanelValues& panel)
{
    out.Value(panel.previewAnimations);
    out.Values(panel.animationFrames, 3);
    out.Value(ListItemOfRow(ClampRow(panel.imageType, 2), 2));  // 0 BMP, 1 PNG
    char path[kNameSize] = {};
    std::memcpy(path, gAnimationBaseName.c_str(), std::min(gAnimationBaseName.size(), kNameSize - 1));
    out.Bytes(path, sizeof path);
    out.Values(panel.rotationAxis, 3);
    out.Value(panel.animationCounter);
}

void WriteScript(BinaryWriter& out)
{
    const ScriptProgram& s = gScriptProgram;
    const int t = Count(s.tformCount, kScriptMaxTforms);
    const int o = Count(s.operationCount, kScriptMaxOperations);
    const int p = Count(s.parameterCount, kScriptParameterPoolSize);
    out.Value(static_cast<uint32_t>(t));
    out.Value(static_cast<uint32_t>(o));
    out.Value(static_cast<uint32_t>(p));
    // Each list goes out with ten entries past its count; past the arrays they are 0.
    auto list = [&out](const auto* values, int count, int size) {
        const int n = std::min(count + 10, size);
        out.Values(values, static_cast<size_t>(n));
        out.Zeros(static_cast<size_t>(count + 10 - n) * sizeof(values[0]));
    };
    list(s.tformOperationCount, t, kScriptMaxTforms);
    list(s.parameters, p, kScriptParameterPoolSize);
    list(s.operationCode, o, kScriptMaxOperations);
    list(s.operationFirstParameter, o, kScriptMaxOperations);
    list(s.tformWeight, t, kScriptMaxTforms);
    list(s.tformFirstOperation, t, kScriptMaxTforms);
}

void WriteGeneratorGroups(BinaryWriter& out)
{
    for (int t = 0; t < PickCount(); ++t) {
        const GeneratorGroup* g = gGeneratorGroups && t < gGeneratorGroupCount ? &gGeneratorGroups[t] : nullptr;
        const int blocks = g ? std::max(0, g->blockCount) : 0;
        out.Value(g ? g->weight : 0.0f);
        out.Value(static_cast<int32_t>(blocks));
        for (int b = 0; b < blocks; ++b) {
            const uint8_t type = g->blockTypes[b] < kGeneratorBlockTypes ? g->blockTypes[b] : 0;
            const int32_t k = gGeneratorParameterCounts[type];
            out.Value(type);
            out.Value(static_cast<uint32_t>(k));
            if (type == g->blockTypes[b]) {
                out.Values(g->parameters[b], static_cast<size_t>(k));
            } else {
                out.Zeros(static_cast<size_t>(k) * sizeof(float));
            }
        }
    }
}

void WriteLights(BinaryWriter& out)
{
    for (const LightSource& l : gShader.lights) out.Value(static_cast<uint8_t>(SharedLoad(l.enabled) != 0));
    for (int i = 0; i < kLightCount; ++i) {
        const LightSource& l = gShader.lights[i];
        if (!SharedLoad(l.enabled)) continue;
        for (int c = 0; c < 3; ++c) out.Value(SharedLoad(l.position[c]));
        for (int c = 0; c < 3; ++c) out.Value(SharedLoad(l.color[c]));
        for (int c = 0; c < 3; ++c) out.Value(static_cast<int32_t>(std::min(SharedLoad(l.colorBytes[c]), 255u)));
        for (int k = 0; k < 9; ++k) out.Value(SharedLoad(l.orientation[k]));
        out.Value(SharedLoad(l.radius));
        out.Value(SharedLoad(l.cutOff));
        const uint8_t textured = SharedLoad(l.textured) != 0;
        out.Value(textured);
        if (!textured) continue;
        const SlotImageHold gel = gShader.gels[i].Image();
        const size_t bytes = gel ? size_t{gel->width} * gel->height * 3 : 0;
        if (gel && bytes > 0 && gel->pixels.size() >= bytes) {
            out.Value(gel->width);
            out.Value(gel->height);
            out.Bytes(gel->pixels.data(), bytes);
        } else {
            // An untouched gel is the white one the lights start with.
            uint8_t white[16 * 16 * 3];
            std::memset(white, 255, sizeof white);
            out.Value(uint32_t{16});
            out.Value(uint32_t{16});
            out.Bytes(white, sizeof white);
        }
    }
}

// ---- [blocks 9 to 11] ---------------------------------------------------------------
void WriteColoring(BinaryWriter& out, const MaterialValues& v, const FractalPanelValues& panel)
{
    WriteMaterialRun2(out, v);
    WriteCurveModesAndPreviews(out, v);
    out.Value(v.rayCasting);
    out.Value(v.coloringMode);
    for (int t = 0; t < Count(gTransformCount, kMaxTransforms); ++t) {
        for (const int32_t* c : {gTransformColors.r, gTransformColors.g, gTransformColors.b})
            out.Value(std::clamp(c[t], 0, 255));
    }
    out.Value(gMandelbrotCentre[0]);
    out.Value(gMandelbrotCentre[1]);
    out.Value(gMandelbrotScale);
    out.Value(panel.escapeValue);
    uint8_t gradient[256 * 3];
    for (int k = 0; k < 256; ++k) {
        gradient[3 * k] = gEscapeGradient.r[k];
        gradient[3 * k + 1] = gEscapeGradient.g[k];
        gradient[3 * k + 2] = gEscapeGradient.b[k];
    }
    out.Bytes(gradient, sizeof gradient);
    for (int b = 0; b < Count(gBaseshapeCount, kMaxBaseshapes); ++b) {
        for (const int32_t* c : {gBaseshapeColors.r, gBaseshapeColors.g, gBaseshapeColors.b})
            out.Value(std::clamp(c[b], 0, 255));
    }
    out.Value(v.colorKeep);  // "Color Interpolation Weight" edits the keep factor
    out.Value(v.colorKeep);
    out.Value(v.colorMix);
    out.Value(v.colorBlendMode);
    out.Value(v.colorBlendMode);
    out.Value(gEscapeFunction);
    out.Values(v.shadowSampling, 2);
    WriteFinalSwitches(out, v);
}

// A buffer whole, or zeros where the render has none of that size.
void WriteBuffer(BinaryWriter& out, const void* buffer, size_t bytes, size_t held)
{
    if (buffer && held >= bytes) {
        out.Bytes(buffer, bytes);
    } else {
        out.Zeros(bytes);
    }
}

void WriteBuffers(BinaryWriter& out)
{
    const size_t w = static_cast<size_t>(gImageWidth), pixels = w * static_cast<size_t>(gImageHeight);
    const bool ready = RenderBuffersReady();
    WriteBuffer(out, ready ? gDepthBuffer : nullptr, pixels * 4, pixels * 4);
    if (gFastShadowUpdate == 1) WriteBuffer(out, ready ? gShadowMap : nullptr, w * w * 2, w * w * 2);
    WriteBuffer(out, ready ? gColorIndexBuffer : nullptr, pixels, gColorIndexBufferBytes);
    WriteBuffer(out, ready ? gDofDepthBuffer : nullptr, pixels * 2, pixels * 2);
    if (gRgbColoring) {
        for (uint8_t* plane : gPointColorPlanes) WriteBuffer(out, ready ? plane : nullptr, pixels, pixels);
    }
    WriteBuffer(out, ready ? gSubPixelBuffer : nullptr, pixels * 2, pixels * 2);
}

void WriteForbiddenPairs(BinaryWriter& out)
{
    for (int t = 0; t < PickCount(); ++t) out.Values(gForbiddenSuccessors[t], 2);
}

// ---- [file] -------------------------------------------------------------------------
struct WriteRequest {
    bool withBuffers;
    const FractalPanelValues* panel;
};

bool SizeReadable()
{
    const int32_t factor = gAntiAlias2x ? 2 : 1;
    return gImageWidth % factor == 0 && gImageHeight % factor == 0 && gImageWidth / factor >= kMinRenderSide &&
           gImageWidth / factor <= kMaxRenderSide && gImageHeight / factor >= kMinRenderSide &&
           gImageHeight / factor <= kMaxRenderSide;
}

bool FillFractalData(BinaryWriter& out, const WriteRequest& request)
{
    if (!SizeReadable()) return false;
    const FractalPanelValues& panel = *request.panel;
    const MaterialValues v = CaptureMaterialValues();
    WriteHeader(out);
    WriteView(out);
    WritePublishedArrays(out, panel);
    WriteSettings(out, v, panel);
    for (int i = 0; i < Count(gBaseshapeCount, kMaxBaseshapes); ++i) WriteBaseshapeEntry(out, i, false);
    WriteTransformations(out);
    WriteMaterialRun1(out, v, FractalFileLayout(true, 1));
    WriteAnimation(out, panel);
    if (gFractalType == 22) WriteScript(out);
    if (gFractalType == 48) WriteGeneratorGroups(out);
    WriteLights(out);
    WriteColoring(out, v, panel);
    if (request.withBuffers) WriteBuffers(out);
    WriteForbiddenPairs(out);
    return out.Ok();
}

}  // namespace

bool WriteFractalDataFile(const ByteSink& sink, bool withBuffers, const FractalPanelValues& panel)
{
    BinaryWriter out(sink);
    return FillFractalData(out, WriteRequest{withBuffers, &panel});
}

FileWriteResult WriteFractalDataFileTo(const std::string& path, bool withBuffers, const FractalPanelValues& panel)
{
    const WriteRequest request{withBuffers, &panel};
    return WriteReplacingFile(
        path, [](BinaryWriter& out, const void* r) { return FillFractalData(out, *static_cast<const WriteRequest*>(r)); },
        &request);
}
