#include "app/procedural_texture_thread.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "app/panel_state.h"
#include "shading/preview_image.h"
#include "shading/preview_passes.h"
#include "engine/status_line.h"
#include "editors/baseshape_editor.h"
#include "engine/baseshape_images.h"
#include "engine/baseshape_record.h"
#include "engine/baseshape_model.h"
#include "materials/shader.h"
#include "materials/texture_generation.h"
#include "render/render_threads.h"
#include "engine/shared_access.h"

std::atomic<uint8_t> gProceduralTextureBusy{0};

const ProceduralTarget kProceduralTargets[kProceduralTargetKinds] = {
    {512, 1, 0}, {512, 1, 0}, {1024, 2, 1}, {512, 3, 2}, {1024, 7, 3}, {512, 3, 4},
};

namespace {

struct Job {
    int kind = 0;
    int material = 0;
    int light = 0;
    int baseshape = 0;
    TexturePreset preset;  // a copy: "New Set" may replace the original meanwhile
};

// The generation thread; the shutdown cancels and joins it before the
// shader it writes into goes away.
std::thread gThread;

// Set by the thread when its image is installed; the window thread then
// refreshes the target's thumbnail and reshades.
std::atomic<uint8_t> gReshadeRequest{0};
std::atomic<int> gFinishedKind{0}, gFinishedMaterial{0}, gFinishedLight{0};

// Baseshape images are read by the render and voxel workers without a swap,
// so they change only while none runs.
bool InstallBaseshapeImage(BaseshapeImage& image, std::vector<uint8_t>& pixels, uint32_t side)
{
    if (gRenderActive.load() != 0 || gRenderRunFlag.load() != 0) return false;
    auto* buffer = static_cast<uint8_t*>(std::malloc(pixels.size()));
    if (buffer == nullptr) return false;
    std::memcpy(buffer, pixels.data(), pixels.size());
    gTexturesBusy.store(1);
    std::free(image.pixels);
    image.pixels = buffer;
    image.width = side;
    image.height = side;
    std::memset(image.name, 0, 8);
    image.name[0] = '#';
    gTexturesBusy.store(0);
    return true;
}

void Install(const Job& job, std::vector<uint8_t>& pixels)
{
    const uint32_t side = static_cast<uint32_t>(kProceduralTargets[job.kind].size);
    auto slotImage = [&] {
        auto image = std::make_unique<SlotImage>();
        image->width = image->height = side;
        image->pixels = std::move(pixels);
        return image;
    };
    switch (job.kind) {
    case 0: gShader.slots[job.material].Replace(slotImage()); break;
    case 1: gShader.slots[kMaterialCount + job.material].Replace(slotImage()); break;
    case 2:
        gShader.slots[kBackgroundSlot].Replace(slotImage());
        SharedStore(gShader.backgroundImageOn, 1);
        break;
    case 3:
    case 4: {
        BaseshapeImage& image = job.kind == 3 ? gBaseshapeTextures[job.baseshape] : gBaseshapeDMaps[job.baseshape];
        if (!InstallBaseshapeImage(image, pixels, side)) {
            SetStatusText("The baseshape texture was not changed while a render runs");
        }
        break;
    }
    default: gShader.gels[job.light].Replace(slotImage()); break;
    }
}

void ProceduralTextureThread(std::unique_ptr<Job> job)
{
    gBaseShapeEditor.redraw = 1;
    SetStatusText("Generating the Procedural Texture, Please Wait..");
    SharedStore(gShader.generationTarget, job->kind);
    SharedStore(gShader.generationShown, 1);
    const ProceduralTarget& target = kProceduralTargets[job->kind];
    const size_t channels = target.mode == kGreyMappingMode ? 1 : 3;
    std::vector<uint8_t> pixels(static_cast<size_t>(target.size) * target.size * channels);
    GenerationProgress& progress = gShader.generation[target.panel];
    if (!GenerateTextureImage(pixels.data(), target.size, target.mode, job->preset, &progress)) {
        SharedStore(gShader.generationShown, uint8_t{0});
        gBaseShapeEditor.redraw = 0;
        gProceduralTextureBusy = 0;
        return;
    }
    Install(*job, pixels);
    SharedStore(gShader.generationShown, 0);
    gFinishedKind = job->kind;
    gFinishedMaterial = job->material;
    gFinishedLight = job->light;
    SetStatusText("Procedural Texture generation finished");
    gReshadeRequest = 1;
    gBaseShapeEditor.redraw = 0;
    gProceduralTextureBusy = 0;
}

}  // namespace

int SelectedPresetOfKind(int kind)
{
    const int panel = kProceduralTargets[kind].panel;
    int entry = gPanel.presetEntry[panel];
    entry = entry < 0 ? 0 : (entry >= kPresetsPerPanel ? kPresetsPerPanel - 1 : entry);
    return kPresetsPerPanel * panel + entry;
}

bool StartProceduralTexture(int kind)
{
    if (kind < 0 || kind >= kProceduralTargetKinds) return false;
    if (gProceduralTextureBusy.load() != 0) {
        SetStatusText("A Procedural Texture calculation is already in progress..");
        gBaseShapeEditor.redraw = 1;
        return false;
    }
    gProceduralTextureBusy = 1;
    if (gThread.joinable()) gThread.join();  // the last one has ended: it cleared the busy byte

    auto job = std::make_unique<Job>();
    job->kind = kind;
    job->material = gShader.currentMaterial;
    job->light = gShader.editedLight;
    job->baseshape = gCurrentBaseshape < 0 || gCurrentBaseshape >= kMaxBaseshapes ? 0 : gCurrentBaseshape;
    TexturePreset& original = gShader.presets[SelectedPresetOfKind(kind)];
    if (kProceduralTargets[kind].mode == 2) original.skySwapYZ = 0;  // as the generator leaves it
    job->preset = original;

    // Names and flags change here, on the window thread; the pixels follow
    // when the thread installs them.
    if (kind <= 1) {
        const int m = job->material;
        gShader.slots[kind * kMaterialCount + m].NameGenerated(true);
        SharedStore(kind == 0 ? gShader.useTextureA[m] : gShader.useTextureB[m], 1);
        SharedStore(kind == 0 ? gShader.solidColorA[m] : gShader.solidColorB[m], 0);
        SharedStore(kind == 0 ? gShader.useColorMapA[m] : gShader.useColorMapB[m], 0);
        SharedStore(kind == 0 ? gShader.customTextureA[m] : gShader.customTextureB[m], 0);
    } else if (kind == 2) {
        gShader.slots[kBackgroundSlot].NameGenerated(false);
    }
    gThread = std::thread(ProceduralTextureThread, std::move(job));
    return true;
}

void StartProceduralTextureThread() { StartProceduralTexture(gBaseShapeEditor.textureJobKind); }

bool StartBaseshapeTextureJob(int kind)
{
    if (kind != 3 && kind != 4) return false;
    if (gProceduralTextureBusy.load() == 0) {
        // The thumbnail's own mapping: the preview shows what the panel shows.
        TexturePreset preset = gShader.presets[SelectedPresetOfKind(kind)];
        std::vector<uint8_t> rgb(static_cast<size_t>(kBaseshapePreviewSide) * kBaseshapePreviewSide * 3);
        GenerateTextureImage(rgb.data(), kBaseshapePreviewSide, kind == 3 ? 5 : 6, preset, nullptr);
        gBaseShapeEditor.ShowPreview(kind, rgb.data());
    }
    gBaseShapeEditor.textureJobKind = kind;
    return StartProceduralTexture(kind);
}

void WaitForProceduralTexture()
{
    if (gThread.joinable()) gThread.join();
}

void CancelProceduralTexture()
{
    for (GenerationProgress& p : gShader.generation) SharedStore(p.cancel, uint8_t{1});
    WaitForProceduralTexture();
    for (GenerationProgress& p : gShader.generation) SharedStore(p.cancel, uint8_t{0});
}

bool RunRequestedReshade()
{
    if (gReshadeRequest.exchange(0) == 0) return false;
    const int material = gFinishedMaterial, light = gFinishedLight;
    switch (gFinishedKind.load()) {
    case 0: gShader.ShowSlotThumbnail(gShader.thumbnailA[material], gShader.slots[material]); break;
    case 1: gShader.ShowSlotThumbnail(gShader.thumbnailB[material], gShader.slots[kMaterialCount + material]); break;
    case 5:
        if (light == gShader.editedLight) gShader.ShowLightGelThumbnail(light);
        break;
    default: break;
    }
    if (PreviewScreenShown(gScreenState.load())) {
        ShadeFull();
    } else {
        ShadeProgressive(1);
    }
    gPreviewUploadPending = 1;
    return true;
}
