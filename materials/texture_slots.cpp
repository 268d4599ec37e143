// Filling the texture slots: images from files, the working colour map, solid
// colours and the empty targets of the procedural texture thread; their
// thumbnails; and procedural textures saved as bitmaps.
//
// Sections:
//   [helpers]     images into slots, the busy flag of file operations
//   [materials]   material textures A and B
//   [background]  the background image
//   [gels]        light gels
//   [thumbnails]  the 128 x 128 thumbnails
//   [bitmap]      SaveTextureBitmap and its writer
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/baseshape_model.h"
#include "engine/file_dialogs.h"
#include "engine/file_replacement.h"
#include "materials/color_maps.h"
#include "materials/shader.h"
#include "materials/texture_files.h"
#include "materials/texture_generation.h"
#include "engine/shared_access.h"
#include "platform/picture_file.h"

TextureFileServices gTextureFileServices;

// ---- [helpers] --------------------------------------------------------------

namespace {


// Holds the file-operation flag for one operation and clears it on every way
// out; busy() is true when another operation already holds it.
class FileOperation {
public:
    FileOperation()
    {
        std::atomic<uint8_t>* flag = gTextureFileServices.fileOperationBusy;
        uint8_t idle = 0;
        busy_ = flag != nullptr && !flag->compare_exchange_strong(idle, 1);
    }
    ~FileOperation()
    {
        if (!busy_ && gTextureFileServices.fileOperationBusy != nullptr) gTextureFileServices.fileOperationBusy->store(0);
    }
    FileOperation(const FileOperation&) = delete;
    FileOperation& operator=(const FileOperation&) = delete;
    bool busy() const { return busy_; }

private:
    bool busy_ = false;
};

bool ChooseImage(bool surfaceFolder, std::string* path)
{
    return gTextureFileServices.chooseImage != nullptr && gTextureFileServices.chooseImage(surfaceFolder, path);
}

void Status(const char* text)
{
    if (gTextureFileServices.status != nullptr) gTextureFileServices.status(text);
}

// Decodes the file; a picture that cannot be decoded is reported and gives
// nothing, so the slot keeps what it had.
SlotImagePtr ReadImage(const std::string& path)
{
    RgbImage image;
    PictureProblem problem = PictureProblem::None;
    if (!LoadImageFileRgb(image, path, &problem)) {
        const std::string text = std::string("The image file could not be read: ") + PictureProblemText(problem);
        Status(text.c_str());
        return nullptr;
    }
    auto slot = std::make_unique<SlotImage>();
    slot->width = image.width;
    slot->height = image.height;
    slot->pixels = std::move(image.pixels);
    return slot;
}

SlotImagePtr EmptyImage(uint32_t side)
{
    auto image = std::make_unique<SlotImage>();
    image->width = image->height = side;
    image->pixels.assign(static_cast<size_t>(side) * side * 3, 0);
    return image;
}

}  // namespace

// ---- [materials] ------------------------------------------------------------

namespace {

// The per-side fields of one material, so sides A and B share one code path.
struct MaterialSide {
    TextureSlot& slot;
    uint8_t& useTexture;
    uint8_t& custom;
    uint8_t& solid;
    uint32_t* solidColor;
    uint8_t& useColorMap;
    Thumbnail& thumbnail;
    uint8_t (*maps[3])[kColorMapSize];  // R, G, B colour maps of the side
};

MaterialSide SideOf(Shader& s, int side, int m)
{
    if (side == 0) {
        return {s.slots[m], s.useTextureA[m], s.customTextureA[m], s.solidColorA[m], s.solidColorsA[m],
                s.useColorMapA[m], s.thumbnailA[m],
                {&s.materialColorMaps[0][m], &s.materialColorMaps[2][m], &s.materialColorMaps[4][m]}};
    }
    return {s.slots[kMaterialCount + m], s.useTextureB[m], s.customTextureB[m], s.solidColorB[m], s.solidColorsB[m],
            s.useColorMapB[m], s.thumbnailB[m],
            {&s.materialColorMaps[1][m], &s.materialColorMaps[3][m], &s.materialColorMaps[5][m]}};
}

bool ValidSide(int side, int m) { return (side == 0 || side == 1) && m >= 0 && m < kMaterialCount; }

void SetSolid(MaterialSide& t, bool on, uint32_t r, uint32_t g, uint32_t b)
{
    SharedStore(t.solid, on ? 1 : 0);
    SharedStore(t.solidColor[0], r);
    SharedStore(t.solidColor[1], g);
    SharedStore(t.solidColor[2], b);
}

}  // namespace

bool Shader::LoadTextureFromFile(int fileIndex, int side, int material, bool useDialog)
{
    if (!ValidSide(side, material)) return false;
    // The folder list guards only the folder's own files: a file chosen in
    // the dialog needs no entry in it.
    const int count = gTextureFileServices.textureFileCount ? gTextureFileServices.textureFileCount() : 0;
    if (!useDialog && (fileIndex < 0 || fileIndex >= count)) return false;
    FileOperation operation;
    if (operation.busy()) return false;
    std::string path;
    if (useDialog) {
        if (!ChooseImage(false, &path)) return false;
        DialogFolderChosen(textureDialogFlag);
    } else {
        const char* folder = gTextureFileServices.texturesFolder ? gTextureFileServices.texturesFolder() : "";
        path = std::string(folder) + "/" + gTextureFileServices.textureFileName(fileIndex);
    }
    SlotImagePtr image = ReadImage(path);
    if (!image) return false;
    MaterialSide t = SideOf(*this, side, material);
    SetSolid(t, false, 0, 0, 0);
    t.slot.NameGenerated(true);
    t.slot.Replace(std::move(image));
    SharedStore(t.useTexture, 1);
    SharedStore(t.useColorMap, 0);
    SharedStore(t.custom, useDialog ? 1 : 0);
    ShowSlotThumbnail(t.thumbnail, t.slot);
    return true;
}

void Shader::SetTextureFromColorMap(int side, int material)
{
    if (!ValidSide(side, material)) return;
    MaterialSide t = SideOf(*this, side, material);
    auto image = std::make_unique<SlotImage>();
    image->width = 4;
    image->height = kColorMapEntries;
    image->pixels.resize(4 * kColorMapEntries * 3);
    for (int j = 0; j < kColorMapEntries; ++j) {
        for (int i = 0; i < 4; ++i) {
            uint8_t* px = &image->pixels[static_cast<size_t>((j * 4 + i) * 3)];
            px[0] = gColorMap.red[j];
            px[1] = gColorMap.green[j];
            px[2] = gColorMap.blue[j];
        }
        SharedStore((*t.maps[0])[j], gColorMap.red[j]);
        SharedStore((*t.maps[1])[j], gColorMap.green[j]);
        SharedStore((*t.maps[2])[j], gColorMap.blue[j]);
    }
    t.slot.NameGenerated(true);
    SharedStore(t.solid, 0);
    SharedStore(t.useColorMap, 1);
    t.slot.Replace(std::move(image));
    SharedStore(t.useTexture, 1);
    SharedStore(t.custom, 1);
    for (int r = 0; r < kThumbnailSize; ++r) {
        for (int c = 0; c < kThumbnailSize; ++c) {
            uint8_t* px = &thumbnailBuffer[(r * kThumbnailSize + c) * 3];
            px[0] = gColorMap.red[2 * r];
            px[1] = gColorMap.green[2 * r];
            px[2] = gColorMap.blue[2 * r];
        }
    }
    t.thumbnail.Set(thumbnailBuffer);
}

void Shader::SetSlotSolidColor(uint8_t r, uint8_t g, uint8_t b, int side, int material)
{
    if (!ValidSide(side, material)) return;
    MaterialSide t = SideOf(*this, side, material);
    t.slot.NameGenerated(true);
    SetSolid(t, true, r, g, b);
    t.slot.Replace(MakeSolidImage(8, 8, r, g, b));
    SharedStore(t.useTexture, 1);
    SharedStore(t.custom, 0);
    SharedStore(t.useColorMap, 0);
    t.thumbnail.Fill(r, g, b);
}

// ---- [background] -----------------------------------------------------------

bool Shader::LoadBackgroundImage()
{
    FileOperation operation;
    if (operation.busy()) return false;
    std::string path;
    if (!ChooseImage(false, &path)) return false;
    SlotImagePtr image = ReadImage(path);
    if (!image) return false;
    SharedStore(backgroundImageOn, 1);
    slots[kBackgroundSlot].NameGenerated(false);
    slots[kBackgroundSlot].Replace(std::move(image));
    return true;
}

void Shader::ResetBackgroundImage()
{
    SharedStore(backgroundImageOn, 1);
    slots[kBackgroundSlot].NameGenerated(false);
    slots[kBackgroundSlot].Replace(EmptyImage(1024));
}

void ResetBaseshapeTexture(int i)
{
    if (i < 0 || i >= kMaxBaseshapes) return;
    BaseshapeImage& image = gBaseshapeTextures[i];
    constexpr uint32_t kSide = 512;
    auto* pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(kSide) * kSide * 3, 1));
    if (pixels == nullptr) return;  // the old texture stays
    gTexturesBusy.store(1);
    std::free(image.pixels);
    image.pixels = pixels;
    image.width = kSide;
    image.height = kSide;
    std::memset(image.name, 0, 8);
    image.name[0] = '#';
    gTexturesBusy.store(0);
}

// ---- [gels] -----------------------------------------------------------------

bool Shader::LoadLightGelDialog(int light)
{
    if (light < 0 || light >= kLightCount) return false;
    FileOperation operation;
    if (operation.busy()) return false;
    std::string path;
    if (!ChooseImage(true, &path)) return false;
    SlotImagePtr image = ReadImage(path);
    if (!image) return false;
    gels[light].NameGenerated(false);
    gels[light].Replace(std::move(image));
    ShowLightGelThumbnail(light);
    return true;
}

void Shader::ResetLightGel(int light)
{
    if (light < 0 || light >= kLightCount) return;
    std::memset(gels[light].name1, 0, 8);
    gels[light].Replace(EmptyImage(512));
}

void Shader::ShowLightGelThumbnail(int light)
{
    if (light >= 0 && light < kLightCount) ShowSlotThumbnail(gelThumbnail, gels[light]);
}

// ---- [thumbnails] -----------------------------------------------------------

void Shader::ScaleSlotToThumbnail(const TextureSlot& slot)
{
    const SlotImageHold image = slot.Image();
    if (!image || image->width == 0 || image->height == 0) {
        std::memset(thumbnailBuffer, 0, sizeof thumbnailBuffer);
        return;
    }
    const float sx = static_cast<float>(image->width) / kThumbnailSize;
    const float sy = static_cast<float>(image->height) / kThumbnailSize;
    uint32_t previous = UINT32_MAX;
    for (int r = 0; r < kThumbnailSize; ++r) {
        uint32_t row = static_cast<uint32_t>(static_cast<float>(r) * sy);
        if (row >= image->height) row = image->height - 1;
        // A picture of fewer rows than the thumbnail repeats them: copy the one above.
        uint8_t* out = &thumbnailBuffer[r * kThumbnailSize * 3];
        if (row == previous) {
            std::memcpy(out, out - kThumbnailSize * 3, kThumbnailSize * 3);
            continue;
        }
        previous = row;
        for (int c = 0; c < kThumbnailSize; ++c) {
            uint32_t column = static_cast<uint32_t>(static_cast<float>(c) * sx);
            if (column >= image->width) column = image->width - 1;
            std::memcpy(&thumbnailBuffer[(r * kThumbnailSize + c) * 3],
                        &image->pixels[(static_cast<size_t>(row) * image->width + column) * 3], 3);
        }
    }
}

void Shader::ShowSlotThumbnail(Thumbnail& thumbnail, const TextureSlot& slot)
{
    ScaleSlotToThumbnail(slot);
    thumbnail.Set(thumbnailBuffer);
}

// ---- [bitmap] ---------------------------------------------------------------

namespace {

void PutU16(uint8_t* at, uint32_t v)
{
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(uint8_t* at, uint32_t v)
{
    PutU16(at, v & 0xFFFF);
    PutU16(at + 2, v >> 16);
}

}  // namespace

bool WriteTextureBitmap(const ByteSink& sink, int n, int layout, const TexturePreset& source)
{
    // The header states the file size in 32 bits.
    if (n <= 0 || TextureBitmapSize(n) > UINT32_MAX || sink.write == nullptr) return false;
    uint8_t header[54] = {'B', 'M'};
    PutU32(header + 2, static_cast<uint32_t>(TextureBitmapSize(n)));
    PutU32(header + 10, 54);
    PutU32(header + 14, 40);
    PutU32(header + 18, static_cast<uint32_t>(n));
    PutU32(header + 22, static_cast<uint32_t>(n));
    PutU16(header + 26, 1);
    PutU16(header + 28, 24);
    if (!sink.Write(header, sizeof header)) return false;

    // The layouts sample as the generator's modes 3 (UV), 2 (dome) and 1
    // (hemisphere) do, the dome with the background's sky set-up.
    TexturePreset preset = source;
    const bool plane = layout == static_cast<int>(BitmapLayout::Plane);
    if (plane) preset.skySwapYZ = 0;
    preset.skyHorizontalScale = plane ? 0.5f : 1.0f;
    std::vector<uint8_t> row(static_cast<size_t>(TextureBitmapRowBytes(n)), 0);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            float c[3];
            const float x = static_cast<float>(j), y = static_cast<float>(i);
            switch (layout) {
            case 1: SampleDome5(c, preset, x, y, n); break;
            case 2: SampleHemisphere5(c, preset, x, y, n); break;
            default: SampleUv5(c, preset, x, y, n); break;
            }
            uint8_t* px = &row[static_cast<size_t>(j) * 3];
            px[0] = ChannelByte(c[2]);
            px[1] = ChannelByte(c[1]);
            px[2] = ChannelByte(c[0]);
        }
        if (!sink.Write(row.data(), row.size())) return false;
    }
    return true;
}

bool Shader::SaveTextureBitmap(int n, int mode, int index)
{
    if (index < 0 || index >= kTexturePresetCount || n <= 0) return false;
    FileOperation operation;
    if (operation.busy()) return false;
    std::string path;
    if (gTextureFileServices.chooseBitmap == nullptr || !gTextureFileServices.chooseBitmap(&path)) return false;
    auto warn = [] {
        if (gTextureFileServices.warnUnwritable != nullptr) gTextureFileServices.warnUnwritable();
    };
    FileReplacement file;
    if (!file.Begin(path)) {
        warn();
        return false;
    }
    if (WriteTextureBitmap(file.Sink(), n, mode, presets[index]) && file.Commit()) return true;
    warn();
    return false;
}
