// Material and fractal data files of older versions, written field by field
// from the layout with its version gates: zeros wherever a test does not
// care, no textures, no baseshapes, one transformation, a 128 x 128 render
// (a first word of 128 or more: no version word).
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

// The stored item numbers of the lists the files name from the top.
struct StoredItems {
    int32_t drawingType = 1;     // before the version fix-ups
    int32_t backgroundType = 0;  // 0 "SkyLight", 1 "Images or textures"
    int32_t imageType = 0;       // animation block: 0 BMP, 1 PNG
};

struct OldFile {
    uint32_t v;
    std::vector<uint8_t> b;
    StoredItems items{};

    template <class T>
    void Put(T x)
    {
        uint8_t bytes[sizeof x];
        std::memcpy(bytes, &x, sizeof x);
        b.insert(b.end(), bytes, bytes + sizeof x);
    }
    void Zeros(size_t n) { b.insert(b.end(), n, 0); }
    void Since(uint32_t version, size_t n)
    {
        if (v >= version) Zeros(n);
    }

    // The switch bytes to the texture angles; fractal files gate the later fields.
    void MaterialRun1(bool fractal, size_t flagBytes, uint8_t flag4, uint8_t flag5)
    {
        std::vector<uint8_t> flags(flagBytes, 0);
        flags[4] = flag4, flags[5] = flag5;
        b.insert(b.end(), flags.begin(), flags.end());
        Zeros(12);
        Put(items.drawingType), Put(items.backgroundType);
        Zeros(1 + 260);
        Put(uint32_t{1}), Put(uint32_t{1}), Zeros(3);  // a 1 x 1 background
        Zeros(48 + 8);
        Since(4, 4);  // shadow type
        Zeros(18 + 280 + 20 + 2 * 10 * 768 + 40);
        if (!fractal || v > 1) Zeros(20 + 240);  // solid colours
        const uint32_t gate = fractal ? 1 : 0;
        Since(gate * 5, 12), Since(gate * 6, 14), Since(gate * 7, 2), Since(gate * 8, 772), Since(gate * 10, 80);
        Since(30, 40);
    }
};

inline std::vector<uint8_t> OldMaterialFile(uint32_t v, uint8_t flag4 = 0, uint8_t flag5 = 0)
{
    OldFile f{v, {}};
    f.Put(v), f.Put(uint32_t{1});
    f.MaterialRun1(false, 7, flag4, flag5);
    f.Zeros(50);
    f.Since(15, 5);
    f.Since(20, 80 + 30 + 1 + 4 + 4 * 5 + 8);
    f.Since(21, 14);
    return f.b;
}

// Version 1 is written without a version word.
inline std::vector<uint8_t> OldFractalFile(uint32_t v, int32_t symmetry = 0, StoredItems items = {})
{
    OldFile f{v, {}, items};
    if (v > 1) f.Put(v), f.Put(uint32_t{1});
    f.Put(uint32_t{128}), f.Put(uint32_t{128}), f.Zeros(8);
    if (v > 1) f.Put(int32_t{0});  // shadows off: no shadow map
    f.Zeros(1 + 131 + 5476);
    f.Zeros(32 + 36 + 1 + 4 + 4 + 4 + 13);
    f.Put(int32_t{0}), f.Put(int32_t{1});  // fractal type, pick count
    f.Zeros(16000 + 16 + (v > 1 ? 8 : 7) + 12 + 36 + 12 + 12 + 12);
    if (v >= 4) f.Put(symmetry), f.Put(1.0f);
    f.Since(24, 4);
    f.Zeros(4);  // no baseshapes
    f.Since(4, 1);
    f.Put(uint32_t{1}), f.Zeros(138);
    f.MaterialRun1(true, v > 1 ? 7 : 8, 0, 0);
    if (v >= 10) f.Zeros(13), f.Put(items.imageType), f.Zeros(260 + 12 + 4);
    f.Since(13, 10 + 10 + 40);
    f.Since(15, 5);
    f.Since(20, 80 + 30 + 1 + 4 + 12 + 24 + 4 + 768 + 4 * 5 + 4 + 8);
    f.Since(21, 14);
    f.Since(26, 8);
    return f.b;
}
