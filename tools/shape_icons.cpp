#include "tools/shape_icons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "baseshapes/generator_table.h"
#include "baseshapes/kind_table.h"
#include "engine/constants.h"
#include "engine/random.h"
#include "tools/point_icons.h"

namespace {

// An icon draws on the style's slot and restores what it changes of it; the
// map and mesh kinds borrow the baseshape of the slot's number.
constexpr float kPi = 3.14159265f;

struct SlotSnapshot {
    uint8_t slot;
    RndField random;
    int8_t baseshape;
    uint8_t colorMode;
    BaseshapeImage map;
    BaseshapeMesh mesh;
    explicit SlotSnapshot(uint8_t s)
        : slot(s), random(gBaseshapeRandom[s]), baseshape(gSlotBaseshape[s]), colorMode(gSlotColorMode[s]),
          map(gBaseshapeDMaps[s]), mesh(gBaseshapeMeshes[s])
    {
    }
    ~SlotSnapshot()
    {
        gBaseshapeRandom[slot] = random;
        gSlotBaseshape[slot] = baseshape;
        gSlotColorMode[slot] = colorMode;
        gBaseshapeDMaps[slot] = map;
        gBaseshapeMeshes[slot] = mesh;
    }
};

// Two bumps by two across the map, never zero (zero heights are holes).
BaseshapeImage DefaultDisplacementMap()
{
    constexpr int kSide = 32;
    // Made once; icons on several threads only read it.
    static std::vector<uint8_t> pixels = [] {
        std::vector<uint8_t> p(kSide * kSide);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const float u = (x + 0.5f) / kSide, v = (y + 0.5f) / kSide;
                const float h = std::sin(4 * kPi * u) * std::sin(4 * kPi * v);
                p[y * kSide + x] = static_cast<uint8_t>(150.0f + 100.0f * h);
            }
        return p;
    }();
    BaseshapeImage map{};
    std::snprintf(map.name, sizeof map.name, "icon bumps");
    map.width = map.height = kSide;
    map.pixels = pixels.data();
    return map;
}

// An icosahedron of unit circumradius: twenty faces, so mesh kinds show a
// solid that is plainly a mesh.
BaseshapeMesh DefaultMesh()
{
    static std::vector<float> vertices = [] {
        const float g = 0.5f * (1.0f + std::sqrt(5.0f)), s = 1.0f / std::sqrt(1.0f + g * g);
        const float v[12][3] = {{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                                {0, -1, -g}, {0, 1, -g}, {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
        const int faces[20][3] = {{0, 11, 5}, {0, 5, 1}, {0, 1, 7},  {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                                  {11, 10, 2}, {10, 7, 6}, {7, 1, 8}, {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
                                  {3, 8, 9},  {4, 9, 5},  {2, 4, 11}, {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
        std::vector<float> out;
        for (const auto& face : faces)
            for (int k : face)
                for (int a = 0; a < 3; ++a) out.push_back(v[k][a] * s);
        return out;
    }();
    BaseshapeMesh mesh{};
    std::snprintf(mesh.name, sizeof mesh.name, "icon icosahedron");
    mesh.triangleCount = 20;
    mesh.vertices = vertices.data();
    return mesh;
}

// Kind 0 is a transformation of the seed point: its icon shows the unit
// cube's edges and the sheared, turned box the transformation makes of it.
void AffineKindPoints(std::vector<IconPoint>& points, const ShapeIconStyle& style)
{
    RandomState rnd;
    SeedRandomState(rnd, style.seed);
    const float m[3][3] = {{0.75f, 0.35f, 0.0f}, {0.0f, 0.8f, 0.0f}, {0.2f, 0.1f, 0.6f}};
    const int count = std::min(style.points, 60000);
    for (int i = 0; i < count; ++i) {
        float c[3] = {RandomUniform(rnd) - 0.5f, RandomUniform(rnd) - 0.5f, RandomUniform(rnd) - 0.5f};
        const int face = static_cast<int>(RandomStep(rnd) % 6u);
        c[face / 2] = face % 2 ? 0.5f : -0.5f;
        points.push_back({m[0][0] * c[0] + m[0][1] * c[1] + m[0][2] * c[2],
                          m[1][0] * c[0] + m[1][1] * c[1] + m[1][2] * c[2] - 0.1f,
                          m[2][0] * c[0] + m[2][1] * c[1] + m[2][2] * c[2], style.color[0], style.color[1],
                          style.color[2]});
    }
    // The twelve edges of the unit cube, in the accent colour.
    for (int e = 0; e < 12; ++e) {
        const int axis = e / 4, a = (axis + 1) % 3, b = (axis + 2) % 3;
        for (int i = 0; i <= 400; ++i) {
            float c[3];
            c[axis] = i / 400.0f - 0.5f, c[a] = e % 2 ? 0.5f : -0.5f, c[b] = (e / 2) % 2 ? 0.5f : -0.5f;
            points.push_back({c[0], c[1], c[2], 250, 150, 50});
        }
    }
}

void EnsureTables()
{
    if (!gBaseshapeGenerators[0][0]) BuildBaseshapeGeneratorTables();
}

// 3x5 digits for the sheet's kind labels, one row of three bits a line.
constexpr uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

void DrawLabel(IconImage& image, int x0, int y0, int number)
{
    const std::string text = std::to_string(number);
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t* glyph = kDigits[text[i] - '0'];
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (!(glyph[row] & (4 >> col))) continue;
                const int x = x0 + static_cast<int>(i) * 4 + col;
                const int y = y0 + row;
                if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
                uint8_t* px = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
                px[0] = 250, px[1] = 200, px[2] = 60;
            }
        }
    }
}

}  // namespace

BaseshapePoint DefaultIconTemplate()
{
    BaseshapePoint p{};
    p.size = 1.0f;
    for (float& v : p.p) v = 0.35f;
    return p;
}

BaseshapePoint IconTemplate(int kind)
{
    // The baseshape editor's starting values of these kinds.
    struct Row {
        int kinds[3];
        float p[9];
    };
    static constexpr float kSpline[8] = {-0.246836f, -0.5f, 0.265823f, -0.443038f, -0.291139f, 0.158228f,
                                         0.455696f,  0.651899f};
    static constexpr Row kRows[] = {
        {{4, 0, 0}, {1.4922565f}},
        {{43, 0, 0}, {kSpline[0], kSpline[1], kSpline[2], kSpline[3], kSpline[4], kSpline[5], kSpline[6], kSpline[7]}},
        {{44, 0, 0}, {0.5f, 0.25f}},
        {{45, 0, 0},
         {kSpline[0], kSpline[1], kSpline[2], kSpline[3], kSpline[4], kSpline[5], kSpline[6], kSpline[7], 6}},
        {{48, 0, 0}, {6, 0.5f, 2}},
        {{59, 0, 0}, {-0.378715f, 0.925101f, 0.269721f, -0.177904f, -0.893387f, -0.821993f, -0.802252f, -0.958194f, 5}},
        {{70, 0, 0}, {16, 0.3322f, 0.6622f, 0.347f, 0.4069f, 0.5583f}},
        {{91, 0, 0}, {3, 0.5f, 0.25f, 1}},
        {{101, 0, 0}, {3.996f, 0, 10, 37.6f}},
        {{145, 0, 0}, {10}},
        {{120, 185, 186}, {4.72f, 1.15f, -0.377f, -1.7f}},
    };
    BaseshapePoint p = DefaultIconTemplate();
    for (const Row& row : kRows)
        for (int k : row.kinds)
            if (k == kind && k != 0) std::copy(row.p, row.p + 9, p.p);
    return p;
}

IconImage DrawShapeIcon(int kind, bool filled, const BaseshapePoint& shape, const ShapeIconStyle& style)
{
    EnsureTables();
    IconLook look;
    std::copy(style.background, style.background + 3, look.background);
    if (kind < 0 || kind >= kBaseshapeTableSize || style.points <= 0) return DrawIconPoints({}, style.size, look);

    std::vector<IconPoint> points;
    // Table entries past the last kind repeat kind 0.
    if (kind == 0 || kind >= kBaseshapeKinds) {
        AffineKindPoints(points, style);
        return DrawIconPoints(points, style.size, look);
    }
    const uint8_t slot = style.slot < kMaxRenderSlots ? style.slot : 0;
    SlotSnapshot keep(slot);
    gBaseshapeRandom[slot].Seed(style.seed);
    gSlotBaseshape[slot] = static_cast<int8_t>(slot);
    gSlotColorMode[slot] = 0;
    gBaseshapeDMaps[slot] = DefaultDisplacementMap();
    gBaseshapeMeshes[slot] = DefaultMesh();
    const BaseshapeSampler sampler = gBaseshapeGenerators[filled ? 1 : 0][kind];

    // Points are added in doubling rounds until a round no longer fills
    // the picture noticeably and hardly a gap is left to patch: a line needs
    // few, a large surface many.
    BaseshapePoint last = shape;
    int drawn = 0, coveredBefore = -1;
    IconImage image;
    // Rough surfaces keep a few gaps however many points they get: the
    // rounds stop at about 32 points a picture pixel.
    const int most = std::min(style.points, 32 * style.size * style.size);
    for (int round = std::min(4096, most); ; round = std::min(drawn, most - drawn)) {
        for (int i = 0; i < round; ++i, ++drawn) {
            BaseshapePoint p = shape;
            // Kinds that continue from the previous point get it, as in a run.
            p.x = last.x, p.y = last.y, p.z = last.z;
            sampler(&p, slot);
            last = p;
            points.push_back({p.x, p.y, p.z, style.color[0], style.color[1], style.color[2]});
        }
        IconCoverage c;
        image = DrawIconPoints(points, style.size, look, &c);
        if (drawn >= most || (c.covered <= coveredBefore + coveredBefore / 100 && c.patched <= c.covered / 200))
            break;
        coveredBefore = c.covered;
    }
    return image;
}

IconImage DrawShapeContactSheet(bool filled, int columns, bool labels, const ShapeIconStyle& style)
{
    columns = std::clamp(columns, 1, kBaseshapeKinds);
    const int rows = (kBaseshapeKinds + columns - 1) / columns;
    const int cell = style.size + 1;
    IconImage sheet;
    sheet.width = columns * cell - 1;
    sheet.height = rows * cell - 1;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 0);
    EnsureTables();
    for (int k = 0; k < kBaseshapeKinds; ++k) {
        const IconImage icon = DrawShapeIcon(k, filled, IconTemplate(k), style);
        const int x0 = (k % columns) * cell;
        const int y0 = (k / columns) * cell;
        for (int y = 0; y < icon.height; ++y) {
            std::copy_n(&icon.pixels[static_cast<size_t>(y) * icon.width * 3], icon.width * 3,
                        &sheet.pixels[(static_cast<size_t>(y0 + y) * sheet.width + x0) * 3]);
        }
        if (labels) DrawLabel(sheet, x0 + 1, y0 + 1, k);
    }
    return sheet;
}

std::vector<uint8_t> EncodePpm(const IconImage& image)
{
    const std::string header = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), image.pixels.begin(), image.pixels.end());
    return bytes;
}

bool WritePpmFile(const std::string& path, const IconImage& image)
{
    const std::vector<uint8_t> bytes = EncodePpm(image);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
