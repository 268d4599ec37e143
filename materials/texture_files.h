// What the texture loaders need of the application's file handling: the
// dialogs, the busy flag, the folder list and the status line belong to the
// application, which installs these at start-up. Until then every dialog
// answers "cancel" and the texture folder is empty.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/byte_sink.h"

struct TextureFileServices {
    // Open dialog of picture files in the textures folder (surfaceFolder
    // false) or the surface-textures folder; true with the chosen path.
    bool (*chooseImage)(bool surfaceFolder, std::string* path) = nullptr;
    // Save dialog of bitmap files in the images folder.
    bool (*chooseBitmap)(std::string* path) = nullptr;
    // The "Warning" box of a destination that cannot be written.
    void (*warnUnwritable)() = nullptr;
    // The textures folder and its picture files found at start-up.
    const char* (*texturesFolder)() = nullptr;
    int (*textureFileCount)() = nullptr;
    const char* (*textureFileName)(int index) = nullptr;
    void (*status)(const char* text) = nullptr;
    // Set while a file dialog or file operation runs.
    std::atomic<uint8_t>* fileOperationBusy = nullptr;
};

extern TextureFileServices gTextureFileServices;

// Layouts of a saved procedural texture, as "Format" picks them.
enum class BitmapLayout : int { Tile = 0, Plane = 1, Sphere = 2 };

struct TexturePreset;
// Writes the preset as an n x n 24-bit bitmap, bottom row first, each pixel
// five-sampled in the layout's mapping (the UV mapping, the dome, the
// hemisphere), so the file shows the texture the generator makes. False as
// soon as a write fails.
bool WriteTextureBitmap(const ByteSink& sink, int n, int layout, const TexturePreset& preset);
// Bytes of one row of the n x n bitmap: 3 n bytes of pixels padded to a
// multiple of 4.
inline uint64_t TextureBitmapRowBytes(int n)
{
    const uint64_t pixels = 3 * static_cast<uint64_t>(n);
    return pixels + (4 - pixels % 4) % 4;
}
// Bytes of the n x n bitmap, as its header states them.
inline uint64_t TextureBitmapSize(int n) { return static_cast<uint64_t>(n) * TextureBitmapRowBytes(n) + 54; }
