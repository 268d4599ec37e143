#include "baseshapes/samplers_meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"
#include "baseshapes/support/sampler_images.h"

namespace {

constexpr int kBaseshape = 7;
constexpr float kSize = 1.5f;

class MeshSamplers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetTestSlot(kTestSlot, 12);
        gSlotBaseshape[kTestSlot] = kBaseshape;
    }
    // The sampled point back in mesh coordinates (its y is the mesh's z).
    static BaseshapePoint Sample(BaseshapeSampler sampler, float& mx, float& my, float& mz)
    {
        BaseshapePoint p = MakeTestPoint(kSize, 0.0f);
        sampler(&p, kTestSlot);
        mx = p.x / kSize, my = p.z / kSize, mz = p.y / kSize;
        return p;
    }
    TestImages images_{kBaseshape};
};

// Barycentric test against every triangle of the mesh.
bool OnMesh(const std::vector<float>& m, float x, float y, float z)
{
    for (size_t t = 0; t < m.size(); t += 9) {
        const float* v = &m[t];
        const float e1[3] = {v[3] - v[0], v[4] - v[1], v[5] - v[2]};
        const float e2[3] = {v[6] - v[0], v[7] - v[1], v[8] - v[2]};
        const float d[3] = {x - v[0], y - v[1], z - v[2]};
        const float a11 = e1[0] * e1[0] + e1[1] * e1[1] + e1[2] * e1[2], a12 = e1[0] * e2[0] + e1[1] * e2[1] + e1[2] * e2[2];
        const float a22 = e2[0] * e2[0] + e2[1] * e2[1] + e2[2] * e2[2];
        const float b1 = d[0] * e1[0] + d[1] * e1[1] + d[2] * e1[2], b2 = d[0] * e2[0] + d[1] * e2[1] + d[2] * e2[2];
        const float det = a11 * a22 - a12 * a12;
        const float s = (b1 * a22 - b2 * a12) / det, r = (a11 * b2 - a12 * b1) / det;
        float off[3];
        for (int i = 0; i < 3; ++i) off[i] = d[i] - s * e1[i] - r * e2[i];
        const float eps = 1e-5f;
        if (s >= -eps && r >= -eps && s + r <= 1 + eps && std::fabs(off[0]) + std::fabs(off[1]) + std::fabs(off[2]) < eps) return true;
    }
    return false;
}

TEST_F(MeshSamplers, StlMeshPointsLieOnTheMeshSwappedAndScaled)
{
    const std::vector<float> mesh = FewTrianglesMesh();
    images_.SetMesh(mesh);
    int hits[4] = {};
    for (int i = 0; i < 4000; ++i) {
        float x, y, z;
        Sample(SampleBaseshapeSTLMesh, x, y, z);
        ASSERT_TRUE(OnMesh(mesh, x, y, z)) << x << " " << y << " " << z;
        // The fourth triangle is the only one off the coordinate planes.
        hits[(x > 1e-4f && y > 1e-4f && z > 1e-4f) ? 3 : 0]++;
    }
    EXPECT_GT(hits[3], 600);
}

// Mesh II bends toward the centroid scaled by 1.1 or 0.9: on a triangle in
// the plane z = 1 its points lie between the heights 0.9 and 1.1 and reach
// both.
TEST_F(MeshSamplers, StlMeshIIBulgesOutAndIn)
{
    images_.SetMesh({0, 0, 1, 1, 0, 1, 0, 1, 1});
    float low = 2, high = 0;
    for (int i = 0; i < 4000; ++i) {
        float x, y, z;
        Sample(SampleBaseshapeStlMeshII, x, y, z);
        ASSERT_TRUE(z >= 0.9f - 1e-5f && z <= 1.1f + 1e-5f) << z;
        ASSERT_TRUE(x >= -1e-5f && y >= -1e-5f && x + y <= 1.1f + 1e-5f) << x << " " << y;
        low = std::min(low, z), high = std::max(high, z);
    }
    EXPECT_LT(low, 0.91f);
    EXPECT_GT(high, 1.09f);
}

TEST_F(MeshSamplers, MissingOrEmptyMeshGivesTheOrigin)
{
    std::vector<float> vertices(9, 1.0f);
    for (bool empty : {false, true}) {
        gBaseshapeMeshes[kBaseshape] = BaseshapeMesh{{}, 0, empty ? vertices.data() : nullptr};
        for (BaseshapeSampler s : {SampleBaseshapeSTLMesh, SampleBaseshapeStlMeshII}) {
            float x, y, z;
            const BaseshapePoint p = Sample(s, x, y, z);
            EXPECT_TRUE(p.x == 0 && p.y == 0 && p.z == 0);
        }
    }
}

}  // namespace
