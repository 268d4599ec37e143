// A parsed fractal data file into the model: the buffers first (a size the
// memory cannot hold gives up before anything changed), then blocks 1 to 11
// with what follows from them.
// Sections: [buffers] [view and settings] [records] [shading] [install].
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "engine/baseshape_hooks.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_record.h"
#include "engine/file_dialogs.h"
#include "engine/generator_chain_editing.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/status_line.h"
#include "engine/transform_record.h"
#include "engine/transform_set.h"
#include "engine/vector_math.h"
#include "files/fractal_data_file.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "shading/animation_step.h"
#include "shading/preview_passes.h"

namespace {

// ---- [buffers] ----------------------------------------------------------------------
bool MatchRenderSize(const FractalDataDocument& d, RenderBufferResize resize)
{
    const bool same = gImageWidth == d.width && gImageHeight == d.height && RenderBuffersReady();
    if (!same) {
        const int32_t factor = d.antiAlias2x ? 2 : 1;
        const bool resized = resize && resize(d.width / factor, d.height / factor, d.antiAlias2x != 0);
        if (!resized || gImageWidth != d.width || gImageHeight != d.height || !RenderBuffersReady()) {
            SetStatusText("%s", kInsufficientMemoryText);
            return false;
        }
    }
    ClearRenderBuffers();
    return true;
}

void InstallBuffers(const StoredBuffers& b)
{
    if (!b.bytes) return;
    const size_t w = static_cast<size_t>(gImageWidth), pixels = w * static_cast<size_t>(gImageHeight);
    const uint8_t* at = b.bytes.get();
    auto take = [&at](void* buffer, size_t bytes) {
        if (buffer) std::memcpy(buffer, at, bytes);
        at += bytes;
    };
    take(gDepthBuffer, pixels * sizeof(float));
    if (b.shadowMap) take(gShadowMap, w * w * sizeof(uint16_t));
    take(gColorIndexBuffer, pixels);
    take(gDofDepthBuffer, pixels * sizeof(uint16_t));
    if (b.colorPlanes) {
        for (uint8_t* plane : gPointColorPlanes) take(plane, pixels);
    }
    if (b.subPixel) take(gSubPixelBuffer, pixels * 2);
}

// ---- [view and settings] ------------------------------------------------------------
void InstallView(const FractalDataDocument& d)
{
    gPanX = d.panX, gPanY = d.panY;
    gPerspectiveFocal = d.perspectiveFocal;
    for (int i = 0; i < 9; ++i) {
        gCameraRotation[i] = gCameraMatrix[i] = d.cameraRotation[i];
        gCameraGLMatrix[4 * (i % 3) + i / 3] = d.cameraRotation[i];
    }
    std::memcpy(gViewCentre, d.viewCentre, sizeof gViewCentre);
    gShadowOffsetX = d.shadowOffset[0], gShadowOffsetY = d.shadowOffset[1], gShadowOffsetZ = d.shadowOffset[2];
    gCameraAngleX = d.cameraAngles[0], gCameraAngleY = d.cameraAngles[1], gCameraAngleZ = d.cameraAngles[2];
    gViewScale = d.viewScale;
    gShadowScale = d.shadowScale;
    gPointPreviewZoom = d.zoom;
    gMirrorCopy = d.mirror;
    gMirrorY = d.mirrorY;
    gPerspectiveOn = d.perspectiveOn;
    gPerspectiveEye = d.perspectiveEye;
    // The image mapping follows the size, the zoom and the pans.
    const float halfW = static_cast<float>(gImageWidth / 2), halfH = static_cast<float>(gImageHeight / 2);
    gImageScale = (gImageWidth <= gImageHeight ? halfW : halfH) * gPointPreviewZoom;
    SharedStore(gImageOffsetX, halfW + gPanX);
    SharedStore(gImageOffsetY, halfH + gPanY);
}

void InstallSettings(const FractalDataDocument& d)
{
    gFastShadowUpdate = d.fastShadowUpdate;
    gAntiAlias2x = d.antiAlias2x;
    gMobiusCoefficients = d.mobius;
    gFractalGeneratorRow = d.fractalGeneratorRow;
    SetFractalType(d.fractalType);
    std::memcpy(gLightTrackBallA, d.lightDirection, sizeof gLightTrackBallA);
    std::memcpy(gLightTrackBallB, d.lightReference, sizeof gLightTrackBallB);
    UpdateLightViewMatrix();
    // Sky 0's sun is the light turned by -3 pi / 2 about x.
    const float axis[3] = {1, 0, 0};
    float sun[3];
    RotateAroundAxis(sun, d.lightDirection, axis, -4.712389f);
    gShader.SetSunDirection(sun, 0);
    gFogJitterRadius = d.dofRadius;
    gProjectionSelector = d.projection;
    gSymmetryMode.store(d.symmetryMode);
    gSymmetryOn.store(d.symmetryOn);
    gSymmetrySeparation.store(d.separation);
    gSymmetryFoldCount.store(d.sides);
    if (d.symmetryWeights) SetSymmetryCopyWeights();
    gRgbColoring = d.rgbColoring;
}

// ---- [records] ----------------------------------------------------------------------
void InstallBaseshapes(FractalDataDocument& d)
{
    gBaseshapeCount = d.baseshapeCount;
    gUseBaseshapes = d.baseshapeCount != 0;
    if (d.baseshapeCount == 0) gBaseshapes[0].useTexture = gBaseshapes[0].useGradient = 0;
    InstallBaseshapeEntries(d.baseshapes, 0);
    gCurrentBaseshape = 0;
    CallBaseshapeHook(gBaseshapeHooks.showInEditor, 0);
    CallBaseshapeHook(gBaseshapeHooks.texturePreview, 0);
    CallBaseshapeHook(gBaseshapeHooks.dmapPreview, 0);
    CallBaseshapeHook(gBaseshapeHooks.restartPreview);
}

void InstallTransformations(FractalDataDocument& d)
{
    gTransformCount = d.transformCount;
    // The chains and forbidden pairs were stored for the pick count.
    gPickTransformCount = d.pickCount > 0 ? d.pickCount : d.transformCount;
    for (int t = 0; t < d.transformCount; ++t) {
        const TransformationFileRecord& f = d.transforms[t];
        TransformRecord& r = gTransforms[t];
        std::memcpy(r.rotation, f.rotation, sizeof r.rotation);
        std::memcpy(r.scaleShear, f.scaleShear, sizeof r.scaleShear);
        std::memcpy(r.position, f.position, sizeof r.position);
        r.weight = f.weight;
        std::memcpy(r.variationOn, f.variationOn, sizeof f.variationOn);
        std::memcpy(r.variationAmount, f.variationAmount, sizeof f.variationAmount);
        ComposeTransformation(t);
    }
    // Type 45 keeps the maps it stored; its weights still come from the records.
    if (d.fractalType == 45) {
        float weights[kMaxTransforms];
        std::memcpy(weights, gTransformWeights, sizeof weights);
        gTransformCoefficients = d.coefficients;
        std::memcpy(gTransformWeights, weights, sizeof weights);
    }
    gTransformEdit.selected = 0;
    for (int t = 0; t < kMaxTransforms; ++t) {
        gForbiddenSuccessors[t][0] = d.forbidden[t][0];
        gForbiddenSuccessors[t][1] = d.forbidden[t][1];
    }
}

void InstallChainsAndScript(FractalDataDocument& d)
{
    if (d.fractalType == 22) gScriptProgram = d.script;
    if (d.fractalType == 48) {
        ReplaceGeneratorGroups(d.groups.groups, d.groups.count);
        d.groups.groups = nullptr;
        d.groups.count = 0;
        gTransformEdit.selectedBlock = 0;
        SelectGeneratorBlock();
    }
}

// ---- [shading] ----------------------------------------------------------------------
void InstallLights(FractalDataDocument& d)
{
    for (int i = 0; i < kLightCount; ++i) {
        StagedLight& s = d.lights[i];
        if (!d.lightsStored || !s.enabled) {
            gShader.ResetLight(i);
            continue;
        }
        LightSource& l = gShader.lights[i];
        for (int c = 0; c < 3; ++c) {
            SharedStore(l.position[c], s.light.position[c]);
            SharedStore(l.color[c], s.light.color[c]);
            SharedStore(l.colorBytes[c], s.light.colorBytes[c]);
        }
        for (int k = 0; k < 9; ++k) SharedStore(l.orientation[k], s.light.orientation[k]);
        SharedStore(l.radius, s.light.radius);
        SharedStore(l.cutOff, s.light.cutOff);
        SharedStore(l.textured, s.light.textured);
        SharedStore(l.enabled, uint8_t{1});
        if (s.gel) {
            gShader.gels[i].NameGenerated(false);
            gShader.gels[i].Replace(std::move(s.gel));
        }
    }
    gShader.editedLight = 0;
    gShader.ShowLightGelThumbnail(0);
}

void InstallColors(FractalDataDocument& d)
{
    for (int i = 0; i < kMaxTransforms; ++i) {
        const bool t = d.colorsStored && i < d.transformCount, b = d.colorsStored && i < d.baseshapeCount;
        gTransformColors.r[i] = t ? d.transformColors[i][0] : (d.colorsStored ? gTransformColors.r[i] : 255);
        gTransformColors.g[i] = t ? d.transformColors[i][1] : (d.colorsStored ? gTransformColors.g[i] : 255);
        gTransformColors.b[i] = t ? d.transformColors[i][2] : (d.colorsStored ? gTransformColors.b[i] : 255);
        gBaseshapeColors.r[i] = b ? d.baseshapeColors[i][0] : (d.colorsStored ? gBaseshapeColors.r[i] : 255);
        gBaseshapeColors.g[i] = b ? d.baseshapeColors[i][1] : (d.colorsStored ? gBaseshapeColors.g[i] : 255);
        gBaseshapeColors.b[i] = b ? d.baseshapeColors[i][2] : (d.colorsStored ? gBaseshapeColors.b[i] : 255);
    }
    if (d.colorsStored) {
        gEscapeGradient = d.escapeGradient;
        if (d.pickerStored) {
            gMandelbrotCentre[0] = d.picker[0];
            gMandelbrotCentre[1] = d.picker[1];
            gMandelbrotScale = d.picker[2];
        }
    } else if (d.fractalType == 46 || d.fractalType == 49) {
        // Before the colouring block the escape-time types coloured by
        // baseshape 0's table and kept their zoom in transformation 0.
        const ColorRamp& ramp = gBaseshapeColorRamps[0];
        std::memcpy(gEscapeGradient.r, ramp.r, 256);
        std::memcpy(gEscapeGradient.g, ramp.g, 256);
        std::memcpy(gEscapeGradient.b, ramp.b, 256);
        const float amount = gTransforms[0].variationAmount[0];
        if (amount > 0.0f && std::isfinite(amount)) gMandelbrotScale = 2.0 / amount;
    }
    gEscapeFunction = d.escapeFunction;
}

// A weight sum of 0 (or one that is not a number) would leave the pick
// table without a transformation to pick.
void CheckWeights()
{
    float sum = 0.0f;
    for (int t = 0; t < TransformCountInUse(); ++t) sum += gTransformWeights[t];
    if (!(sum > 0.0f) || !std::isfinite(sum)) EqualizeTransformWeights();
}

}  // namespace

// ---- [install] ----------------------------------------------------------------------
bool InstallFractalData(FractalDataDocument& d, RenderBufferResize resize)
{
    // Had before anything changes, as every allocation of a load is.
    std::string animationBaseName = std::string(gImagesPath) + "/Anim";
    // The workers read records, chains and buffers without locks.
    StopRender();
    if (!MatchRenderSize(d, resize)) return false;
    InstallSettings(d);
    InstallView(d);
    InstallBaseshapes(d);
    InstallTransformations(d);
    gAnimationBaseName = std::move(animationBaseName);
    InstallChainsAndScript(d);
    InstallLights(d);
    InstallColors(d);
    gShader.currentMaterial = 0;
    InstallMaterialSettings(d.material);
    InstallBuffers(d.buffers);
    CheckWeights();
    BuildTransformPickTable();
    if (d.fractalType == 45) {
        ComputeTransformCoefficients(Complex{gTransforms[0].position[0], gTransforms[0].position[2]},
                                     Complex{gTransforms[1].position[0], gTransforms[1].position[2]});
        BuildTransformPickTable();
    }
    if (gVolumetricFogOn.load() && gViewScale != 0.0f) gFogJitterRadius = 0.5f / gViewScale;
    SelectFractalTypeKernel();
    return true;
}
