// What the baseshape file, picture and mesh tests share: files on disk, a
// picture of given pixels, and a copy of every baseshape value a reader
// could change, to show that a refused file changed nothing.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/baseshape_record.h"
#include "engine/file_dialogs.h"
#include "shading/image_files.h"

inline std::string TempPath(const std::string& name) { return ::testing::TempDir() + name; }

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

inline std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return bytes;
}

// A 24-bit BMP of rows given top row first, as the picture is seen.
inline void WriteBmp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbTopFirst)
{
    std::vector<uint8_t> bytes(kBmpHeaderSize);
    BuildBmpHeaders(width, height, bytes.data());
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgbTopFirst[(static_cast<size_t>(row) * width + x) * 3];
            bytes.insert(bytes.end(), {p[2], p[1], p[0]});
        }
        bytes.insert(bytes.end(), static_cast<size_t>(BmpRowPadding(width)), 0);
    }
    WriteBytes(path, bytes);
}

// Every value of the baseshapes a reader writes, images and meshes by pointer.
struct BaseshapeState {
    std::vector<uint8_t> bytes;
    bool operator==(const BaseshapeState& other) const { return bytes == other.bytes; }
};

inline BaseshapeState TakeBaseshapeState()
{
    BaseshapeState s;
    auto add = [&](const void* data, size_t size) {
        const auto* b = static_cast<const uint8_t*>(data);
        s.bytes.insert(s.bytes.end(), b, b + size);
    };
    add(gBaseshapes, sizeof gBaseshapes);
    add(&gBaseshapeCount, sizeof gBaseshapeCount);
    add(&gCurrentBaseshape, sizeof gCurrentBaseshape);
    add(&gUseBaseshapes, sizeof gUseBaseshapes);
    add(gBaseshapeEditPoints, sizeof gBaseshapeEditPoints);
    add(gBaseshapePointTemplates, sizeof gBaseshapePointTemplates);
    add(gBaseshapeTextures, sizeof gBaseshapeTextures);
    add(gBaseshapeDMaps, sizeof gBaseshapeDMaps);
    add(gBaseshapeMeshes, sizeof gBaseshapeMeshes);
    add(gBaseshapeColorRamps, sizeof gBaseshapeColorRamps);
    add(&gBaseshapeColors, sizeof gBaseshapeColors);
    add(gBaseshapeModifierType, sizeof gBaseshapeModifierType);
    add(gBaseshapeArrayCount, sizeof gBaseshapeArrayCount);
    add(&gBaseshapeNeonColor, sizeof gBaseshapeNeonColor);
    add(gBaseshapeSpin, sizeof gBaseshapeSpin);
    add(gBaseshapeWaveType, sizeof gBaseshapeWaveType);
    return s;
}
