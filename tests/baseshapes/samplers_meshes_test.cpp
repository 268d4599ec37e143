#include "baseshapes/samplers_meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"
#include "baseshapes/support/sampler_images.h"

namespace {

constexpr int kBaseshape = 7;
constexpr float kSize = 1.5f;

// Points of the mesh's baseshape, back in mesh coordinates (the point's y
// is the mesh's z), each checked by `on`; low and high get the range of
// the mesh's z.
template <typename Check>
void ForMeshPoints(BaseshapeSampler sampler, std::vector<float> mesh, Check on, float& low, float& high)
{
    TestImages images(kBaseshape);
    images.SetMesh(std::move(mesh));
    ResetTestSlot(kTestSlot, 12);
    gSlotBaseshape[kTestSlot] = kBaseshape;
    low = 1e30f, high = -1e30f;
    for (int i = 0; i < 4000; ++i) {
        BaseshapePoint p = MakeTestPoint(kSize, 0.0f);
        sampler(&p, kTestSlot);
        const float x = p.x / kSize, y = p.z / kSize, z = p.y / kSize;
        ASSERT_TRUE(on(x, y, z)) << x << " " << y << " " << z;
        low = std::min(low, z), high = std::max(high, z);
    }
}

// The few-triangles mesh is the surface of the corner tetrahedron x, y, z
// >= 0, x + y + z <= 1: three faces in the coordinate planes, one slanted.
TEST(MeshSamplers, StlMeshPointsLieOnTheMeshSwappedAndScaled)
{
    float low, high;
    ForMeshPoints(SampleBaseshapeSTLMesh, FewTrianglesMesh(), [](float x, float y, float z) {
        const float least = std::min({x, y, z}), sum = x + y + z;
        return least >= -1e-6f && sum <= 1 + 1e-5f && (least <= 1e-6f || std::fabs(sum - 1) < 1e-5f);
    }, low, high);
    EXPECT_GT(high, 0.9f);
}

// Mesh II bends toward the centroid scaled by 1.1 or 0.9: on a triangle in
// the plane z = 1 its points lie between the heights 0.9 and 1.1 and reach
// both.
TEST(MeshSamplers, StlMeshIIBulgesOutAndIn)
{
    float low, high;
    ForMeshPoints(SampleBaseshapeStlMeshII, {0, 0, 1, 1, 0, 1, 0, 1, 1}, [](float x, float y, float z) {
        return z >= 0.9f - 1e-5f && z <= 1.1f + 1e-5f && x >= -1e-5f && y >= -1e-5f && x + y <= 1.1f + 1e-5f;
    }, low, high);
    EXPECT_LT(low, 0.91f);
    EXPECT_GT(high, 1.09f);
}

}  // namespace
