// "New Fractal", step by step: undo copies, attempts of the type's recipe
// until one stands, the view reset, the slots' start points and the
// transformations' colours. The recipes are in random_fractal_recipes.cpp,
// the tests an attempt must pass in random_fractal_acceptance.cpp.
#include "editors/random_fractal.h"

#include <chrono>
#include <cstring>

#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_record.h"
#include "engine/color_conversion.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/random_helpers.h"
#include "engine/transform_record.h"
#include "engine/generator_chain_editing.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

RandomFractalHooks gRandomFractalHooks;

namespace {

uint32_t W() { return GlobalRandomU32B(); }
float U() { return GlobalRandomFloatB(); }

void TakeUndoCopies()
{
    gXFormsEditor.SnapshotTransformations();
    gBaseShapeEditor.Snapshot();
    for (int i = 0; i < gBaseshapeCount && i < kMaxBaseshapes; ++i) ComputeBaseshapeMatrix(i);
}

// The generator chains are replaced under the type-48 kernel only once no
// render thread runs: the stop joins them, so nothing waits on the frame.
void EnsureRenderStopped()
{
    if (gRenderActive.load() == 0) return;
    if (gRandomFractalHooks.stopRender) {
        gRandomFractalHooks.stopRender();
    } else {
        StopRender();
    }
}

void OneAttempt()
{
    const float u = U();
    gPickTransformCount = static_cast<int>(5.0f * u + 2.0f);
    if (gPickTransformCount > 6) gPickTransformCount = 6;
    gCameraAngleX = gCameraAngleY = gCameraAngleZ = 0.0f;
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    ApplyRandomFractalRecipe();
    gXFormsEditor.SetDefaultTransformationCount();
    if (gXFormsEditor.hooks.updateTypeButtons) gXFormsEditor.hooks.updateTypeButtons();
    UpdateCameraMatrix();
}

// The view the accepted attempt was judged in stays; an attempt that stands
// without that judgement is fitted now.
void ResetView(bool fitted)
{
    if (!fitted) FitRandomFractalView();
    std::memset(gPreviewPlanes, 0, sizeof gPreviewPlanes);
    std::memset(gPreviewDepth, 0, sizeof gPreviewDepth);
    if (gRandomFractalHooks.resetView) gRandomFractalHooks.resetView();
    if (gXFormsEditor.hooks.buildPointCloud) gXFormsEditor.hooks.buildPointCloud();
}

void SeedSlots()
{
    for (int s = 0; s < 8; ++s) {
        const int i = gSlotBatchLast[s];
        const float dx = (2.0f * U() - 1.0f) * 0.0001f, dy = (2.0f * U() - 1.0f) * 0.0001f;
        const float dz = (2.0f * U() - 1.0f) * 0.0001f;
        gPointX[i] = kRandomFractalStart[0] + dx;
        gPointY[i] = kRandomFractalStart[1] + dy;
        gPointZ[i] = kRandomFractalStart[2] + dz;
        gPointColorIndex[i] = 1;
    }
}

// One in four a random colour, else a bright hue.
void NewColors()
{
    for (int t = 0; t < kMaxTransforms; ++t) {
        int rgb[3];
        if ((W() & 3u) == 0) {
            for (int& c : rgb) c = static_cast<int>(W() & 0xFFu);
        } else {
            const float value = 0.75f + 0.25f * U();
            const float hsv[3] = {static_cast<float>(W() % 360u), 1.0f, value};
            HsvToRgb255(rgb, hsv);
        }
        gTransformColors.r[t] = rgb[0];
        gTransformColors.g[t] = rgb[1];
        gTransformColors.b[t] = rgb[2];
    }
}

}  // namespace

void CreateRandomFractal()
{
    gMirrorCopy = 0;
    gMirrorY = 0;
    gRenderPaused.store(0);
    if (gSymmetryOn.load() && gSymmetryMode.load() >= 8) SetSymmetryCopyWeights();
    TakeUndoCopies();
    if (gFractalType == 48) EnsureRenderStopped();

    // Beyond the bounded orbit, a set must show in the view it gets: one
    // that would be a line, a dot, an empty or filled view or a cloud is
    // turned down like an unbounded one, and the recipe draws again, within
    // the same time budget.
    const auto start = std::chrono::steady_clock::now();
    bool fitted = false;
    for (int attempt = 0; attempt < kRandomFractalAttempts; ++attempt) {
        OneAttempt();
        fitted = false;
        if (RandomFractalOrbitBounded()) {
            fitted = true;
            if (RandomFractalViewShows()) break;
        }
        const auto spent = std::chrono::steady_clock::now() - start;
        if (spent > std::chrono::milliseconds(kRandomFractalBudgetMs)) break;
    }

    const int n = gPickTransformCount;
    gTransformCount = gPickTransformCount = n < 1 ? 1 : (n > kMaxTransforms ? kMaxTransforms : n);
    // Types that keep the earlier weights with fewer transformations get
    // them normalised too: the weights in use always sum to 1.
    NormalizeTransformWeights();
    gTransformEdit.selected = 0;
    ResetView(fitted);
    SeedSlots();
    NewColors();
}
