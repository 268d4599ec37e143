#include "baseshapes/generator_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "baseshapes/kind_table.h"
#include "baseshapes/sampler_affine.h"
#include "baseshapes/support/sampler_fixture.h"
#include "baseshapes/support/sampler_images.h"

namespace {

class GeneratorTable : public ::testing::Test {
protected:
    void SetUp() override { BuildBaseshapeGeneratorTables(); }
};

// Kind rows in order with their twins and texture flags; the spare entries
// past the last kind repeat the affine transformation.
TEST_F(GeneratorTable, KindRowsAndSpareEntries)
{
    const std::set<int> untexturable = {3,  5,  8,  13, 15, 21,  25,  26,  28,  29,  37,  41,  47, 57,
                                        58, 60, 67, 68, 76, 80, 105, 128, 129, 169, 175, 176, 177};
    int filled = 0;
    for (int k = 0; k < kBaseshapeKinds; ++k) {
        const BaseshapeKind& row = gBaseshapeKindTable[k];
        EXPECT_EQ(row.kind, k);
        ASSERT_NE(row.surface, nullptr) << k;
        EXPECT_EQ(row.filled != nullptr, (row.flags & kKindHasFilled) != 0) << k;
        EXPECT_EQ(gBaseshapeTextureOk[k], untexturable.count(k) ? 0 : 1) << k;
        filled += (row.flags & kKindHasFilled) ? 1 : 0;
    }
    EXPECT_EQ(filled, 144);
    for (int k = kBaseshapeKinds; k < kBaseshapeTableSize; ++k) {
        EXPECT_EQ(gBaseshapeGenerators[0][k], SampleBaseshapeAffineTransformation);
        EXPECT_EQ(gBaseshapeGenerators[1][k], SampleBaseshapeAffineTransformation);
    }
    // The seed pick reaches the modifiers and arrays only through these.
    EXPECT_TRUE(gBaseshapeModifierMap == ApplyBaseshapeModifier && gBaseshapeArrayMap == ApplyBaseshapeArray);
}

TEST_F(GeneratorTable, DisplayNamesAtFixedKinds)
{
    const std::pair<int, const char*> names[] = {
        {0, "Affine Transformation"}, {1, "Sphere"},       {2, "Torus I"},
        {14, "Nylander's Rose"},       {18, "Torus II"},    {50, "D D. Plane"},
        {109, "Gear II"},              {143, "Gear II"},    {133, "Cg Sphere"},
        {161, "Cg Sphere"},            {157, "Hexagons"},   {193, "Hexagons"},
        {194, "Triangular Bicorn"},
    };
    for (const auto& [k, name] : names) EXPECT_STREQ(gBaseshapeTypeNames[k], name) << k;
    // Only the three known names repeat.
    std::set<std::string> seen;
    int repeats = 0;
    for (const char* n : gBaseshapeTypeNames) repeats += seen.insert(n).second ? 0 : 1;
    EXPECT_EQ(repeats, 3);
}

TEST_F(GeneratorTable, RebuildingClearsSlotState)
{
    gSlotTexelColor[5][1] = 77;
    gSlotDeviceWalk.active[7] = 1;
    gSlotDeviceWalk.q[23] = 2.5f;
    BuildBaseshapeGeneratorTables();
    EXPECT_EQ(gSlotTexelColor[5][1], 0);
    EXPECT_EQ(gSlotDeviceWalk.active[7], 0);
    EXPECT_EQ(gSlotDeviceWalk.q[23], 0.0f);
}

TEST_F(GeneratorTable, SeedingTakesOneRandValuePerSlotInOrder)
{
    std::srand(1234);
    uint32_t seeds[kMaxRenderSlots];
    for (uint32_t& s : seeds) s = static_cast<uint32_t>(std::rand());
    std::srand(1234);
    SeedBaseshapeRandomAndBuildTables();
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        RandomState expected{};
        SeedRandomState(expected, seeds[s]);
        EXPECT_EQ(0, std::memcmp(&expected, &gBaseshapeRandom[s].State(), sizeof expected)) << s;
    }
}

// Every entry of both tables, spare ones included: finite points, the same
// points again from the same seed, and a zero size collapses to the origin
// (kind 0 and the spares keep their incoming origin too).
TEST_F(GeneratorTable, EveryEntryGivesFiniteRepeatablePoints)
{
    for (int t = 0; t < 2; ++t) {
        for (int k = 0; k < kBaseshapeTableSize; ++k) {
            const BaseshapeSampler sampler = gBaseshapeGenerators[t][k];
            float first[3] = {};
            for (int run = 0; run < 2; ++run) {
                ResetTestSlot(kTestSlot, 99);
                BaseshapePoint p{};
                for (int i = 0; i < 500; ++i) {
                    p = MakeTestPoint(1.0f, 0.3f);
                    sampler(&p, kTestSlot);
                    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
                        << "table " << t << " kind " << k;
                }
                if (run == 0) {
                    first[0] = p.x, first[1] = p.y, first[2] = p.z;
                } else {
                    EXPECT_EQ(first[0], p.x) << "table " << t << " kind " << k;
                    EXPECT_EQ(first[1], p.y);
                    EXPECT_EQ(first[2], p.z);
                }
            }
            BaseshapePoint zero = MakeTestPoint(0.0f, 0.3f);
            sampler(&zero, kTestSlot);
            EXPECT_EQ(std::fabs(zero.x) + std::fabs(zero.y) + std::fabs(zero.z), 0.0f)
                << "table " << t << " kind " << k;
        }
    }
}

// Every entry of both tables with degenerate shape parameters, sizes and
// images: each parameter set with every test map, no mesh, one and a few
// triangles, and texturing on. Whatever a formula does at these values, the
// sampler hands on a finite point.
TEST_F(GeneratorTable, EveryEntryStaysFiniteOnDegenerateInput)
{
    constexpr int kBaseshape = 5;
    const float parameterSets[] = {0.0f, -1.0f, -3.7f, 1.0f, 0.5f, 7.3f, 1e6f, -1e6f};
    const float sizes[] = {1.0f, -2.0f, 1e3f};
    std::vector<TestMap> maps = DegenerateTestMaps();
    maps.push_back({"none", 0, 0, {}});
    const std::vector<float> meshes[] = {{}, OneTriangleMesh(), FewTrianglesMesh()};
    TestImages images(kBaseshape);
    images.SetTexture(3, 2);
    for (size_t m = 0; m < maps.size(); ++m) {
        if (maps[m].width == 0) {
            gBaseshapeDMaps[kBaseshape] = BaseshapeImage{};
        } else {
            images.SetDMap(maps[m]);
        }
        images.SetMesh(meshes[m % 3]);
        for (int t = 0; t < 2; ++t) {
            for (int k = 0; k < kBaseshapeTableSize; ++k) {
                const BaseshapeSampler sampler = gBaseshapeGenerators[t][k];
                for (float value : parameterSets) {
                    for (float size : sizes) {
                        ResetTestSlot(kTestSlot, 5);
                        gSlotBaseshape[kTestSlot] = kBaseshape;
                        gSlotColorMode[kTestSlot] = 2;
                        for (int i = 0; i < 40; ++i) {
                            BaseshapePoint p = MakeTestPoint(size, value);
                            for (float& q : p.p) q = value;
                            sampler(&p, kTestSlot);
                            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
                                << "table " << t << " kind " << k << " parameters " << value << " size " << size
                                << " map " << maps[m].name << " mesh " << meshes[m % 3].size() / 9;
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
