// The wireframe previews through a recording sink: what every kind emits,
// where it lies against the points its sampler draws, and the figures whose
// counts and vertices are fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/kind_table.h"
#include "baseshapes/polyhedron_tables.h"
#include "engine/baseshape_record.h"
#include "editors/shape_previews.h"
#include "engine/random.h"

namespace {

// Records primitives and vertices in the caller's frame (the sink's
// matrices applied), the colour, and any misuse of the protocol.
class RecordingSink final : public ShapeSink {
public:
    struct Primitive {
        ShapePrimitive kind;
        int first, count;  // into vertices
    };
    std::vector<Primitive> primitives;
    std::vector<std::array<float, 3>> vertices;
    float color[3] = {-1.0f, -1.0f, -1.0f};
    int depth = 0;
    int misuse = 0;

    void Begin(ShapePrimitive primitive) override
    {
        misuse += open_;
        open_ = true;
        primitives.push_back({primitive, static_cast<int>(vertices.size()), 0});
    }
    void Vertex(float x, float y, float z) override
    {
        misuse += !open_;
        const float* m = stack_.back().data();  // 3 x 4, rows
        vertices.push_back({m[0] * x + m[1] * y + m[2] * z + m[3], m[4] * x + m[5] * y + m[6] * z + m[7],
                            m[8] * x + m[9] * y + m[10] * z + m[11]});
        if (open_) ++primitives.back().count;
    }
    void End() override
    {
        misuse += !open_;
        open_ = false;
    }
    void Color(float r, float g, float b) override
    {
        color[0] = r, color[1] = g, color[2] = b;
    }
    void PushMatrix() override
    {
        stack_.push_back(stack_.back());
        ++depth;
    }
    void PopMatrix() override
    {
        if (stack_.size() > 1) stack_.pop_back();
        misuse += depth == 0;
        --depth;
    }
    void Translate(float x, float y, float z) override { Multiply({1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z}); }
    void Scale(float x, float y, float z) override { Multiply({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0}); }
    void Rotate(float degrees, float x, float y, float z) override
    {
        const float n = std::sqrt(x * x + y * y + z * z);
        x /= n, y /= n, z /= n;
        const float a = degrees * 0.017453292f, c = std::cos(a), s = std::sin(a), t = 1.0f - c;
        Multiply({t * x * x + c, t * x * y - s * z, t * x * z + s * y, 0, t * x * y + s * z, t * y * y + c,
                  t * y * z - s * x, 0, t * x * z - s * y, t * y * z + s * x, t * z * z + c, 0});
    }

private:
    using Affine = std::array<float, 12>;
    void Multiply(const Affine& b)
    {
        const Affine a = stack_.back();
        Affine r{};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j)
                r[i * 4 + j] = a[i * 4] * b[j] + a[i * 4 + 1] * b[4 + j] + a[i * 4 + 2] * b[8 + j] + (j == 3 ? a[i * 4 + 3] : 0);
        stack_.back() = r;
    }
    std::vector<Affine> stack_{Affine{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0}};
    bool open_ = false;
};

// Baseshape 0 of the given kind with the kind's starting size and
// parameters (and, for the mapped kinds, the default map).
void MakeBaseshape(int kind)
{
    gBaseshapes[0].shapeType = kind;
    ApplyShapeTypeDefaults(0);
}

bool DrawsTheCube(int kind)
{
    constexpr int kCubeKinds[] = {14, 16, 21, 28, 29, 47, 58, 60, 65, 67, 68};
    return kind > 84 || std::find(std::begin(kCubeKinds), std::end(kCubeKinds), kind) != std::end(kCubeKinds);
}

struct Box {
    float lo[3], hi[3];
};

// The box of 20000 points of the kind's surface sampler, each drawn from
// the one before as a render slot does.
Box SamplerBox(int kind)
{
    BuildBaseshapeGeneratorTables();
    constexpr uint8_t kSlot = 2;
    gSlotBaseshape[kSlot] = 0;
    gSlotColorMode[kSlot] = 0;
    gBaseshapeRandom[kSlot].Seed(2027u);
    Box box{{1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}};
    BaseshapePoint p = gBaseshapeEditPoints[0];
    for (int i = 0; i < 20000; ++i) {
        gBaseshapeKindTable[kind].surface(&p, kSlot);
        const float v[3] = {p.x, p.y, p.z};
        for (int a = 0; a < 3; ++a) {
            box.lo[a] = std::min(box.lo[a], v[a]);
            box.hi[a] = std::max(box.hi[a], v[a]);
        }
    }
    return box;
}

bool AllFinite(const RecordingSink& sink)
{
    for (const auto& v : sink.vertices)
        if (!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2])) return false;
    return true;
}

RecordingSink Draw(int kind, const BaseshapePoint& point)
{
    RecordingSink sink;
    DrawShapePreview(sink, kind, point);
    return sink;
}

// Every kind with its starting parameters: a well-formed, finite figure of
// at most a few thousand vertices, the matrix stack as found, inside the
// box of the points its sampler draws (a twelfth of the size's reach
// beyond, for the corners a sampler seldom reaches and the displacement
// bounds the default map does not fill) and spanning at least two thirds
// of it on every axis. The cube kinds stay inside the cube of the size.
TEST(ShapePreviews, EveryKindDrawsAFiniteFigureInItsBox)
{
    for (int kind = 0; kind < kBaseshapeKinds; ++kind) {
        MakeBaseshape(kind);
        RecordingSink sink;
        DrawBaseshapePreview(sink, 0);
        ASSERT_EQ(sink.misuse, 0) << kind;
        ASSERT_EQ(sink.depth, 0) << kind;
        ASSERT_TRUE(AllFinite(sink)) << kind;
        ASSERT_GT(sink.vertices.size(), 7u) << kind;
        ASSERT_LE(sink.vertices.size(), 6000u) << kind;
        const float s = gBaseshapeEditPoints[0].size;
        const bool own = kind != 0 && !DrawsTheCube(kind);
        const Box box = own ? SamplerBox(kind) : Box{{-s, -s, -s}, {s, s, s}};
        float reach = 0.0f;
        for (int a = 0; a < 3; ++a) reach = std::max({reach, -box.lo[a], box.hi[a]});
        const float margin = own ? reach / 12.0f : 1e-6f;
        for (int a = 0; a < 3; ++a) {
            float lo = 1e30f, hi = -1e30f;
            for (const auto& v : sink.vertices) lo = std::min(lo, v[a]), hi = std::max(hi, v[a]);
            EXPECT_GE(lo, box.lo[a] - margin) << "kind " << kind << " axis " << a;
            EXPECT_LE(hi, box.hi[a] + margin) << "kind " << kind << " axis " << a;
            if (box.hi[a] - box.lo[a] > 0.01f * reach) {
                EXPECT_GE(hi - lo, 0.66f * (box.hi[a] - box.lo[a])) << "kind " << kind << " axis " << a;
            }
        }
    }
}

// Zero, seeded and hostile parameters: finite figures of bounded size, or
// nothing at all for a parameter that is not a number.
TEST(ShapePreviews, AnyParametersGiveAFiniteFigureOrNothing)
{
    RandomState random;
    SeedRandomState(random, 45u);
    const float inf = std::numeric_limits<float>::infinity();
    for (int kind = 0; kind < 85; ++kind) {
        for (int set = 0; set < 8; ++set) {
            BaseshapePoint point{};
            point.size = set == 0 ? 0.0f : 0.5f;
            for (float& p : point.p) p = set < 2 ? 0.0f : RandomSignedUniform(random) * (set < 5 ? 8.0f : 1e6f);
            const RecordingSink sink = Draw(kind, point);
            EXPECT_TRUE(sink.misuse == 0 && sink.depth == 0 && AllFinite(sink)) << kind << " set " << set;
            EXPECT_LE(sink.vertices.size(), 10000u) << kind << " set " << set;
        }
        BaseshapePoint bad{};
        bad.size = 0.5f;
        for (const float v : {std::nanf(""), inf, -inf}) {
            bad.p[kind % 13] = v;
            EXPECT_TRUE(Draw(kind, bad).vertices.empty()) << kind;
            bad.p[kind % 13] = 0.0f;
            bad.size = v;
            EXPECT_TRUE(Draw(kind, bad).vertices.empty()) << kind;
            bad.size = 0.5f;
        }
    }
}

// The figures whose primitives the previews fix: counts by kind, default
// parameters unless given.
TEST(ShapePreviews, PrimitiveAndVertexCounts)
{
    struct Case {
        int kind;
        int parameter;  // -1: the defaults
        float value;
        int primitives, vertices;
    };
    const Case cases[] = {
        {2, -1, 0, 40, 800},     {6, -1, 0, 51, 5151},   {11, -1, 0, 112, 2222},  {12, -1, 0, 212, 816},
        {15, -1, 0, 1, 60},      {37, -1, 0, 192, 1152}, {46, -1, 0, 6, 400},     {54, -1, 0, 1, 1680},
        {71, -1, 0, 100, 3200},  {83, -1, 0, 11, 1111},  {48, 0, 0.0f, 0, 0},     {48, 0, -3.0f, 0, 0},
        {70, 0, 0.0f, 0, 0},     {76, 0, 0.5f, 0, 0},    {76, 0, 3.7f, 12, 96},   {81, 5, 1.0f, 82, 966},
        {82, 1, -2.0f, 7, 24},   {84, 2, 2.0f, 1, 60},   {82, 2, 5e9f, 70, 768},
    };
    for (const Case& c : cases) {
        MakeBaseshape(c.kind);
        BaseshapePoint point = gBaseshapeEditPoints[0];
        if (c.parameter >= 0) point.p[c.parameter] = c.value;
        const RecordingSink sink = Draw(c.kind, point);
        EXPECT_EQ(static_cast<int>(sink.primitives.size()), c.primitives) << c.kind;
        EXPECT_EQ(static_cast<int>(sink.vertices.size()), c.vertices) << c.kind;
    }
    // Kind 6: 51 strips of 101.
    MakeBaseshape(6);
    for (const auto& p : Draw(6, gBaseshapeEditPoints[0]).primitives) {
        EXPECT_EQ(p.kind, ShapePrimitive::kLineStrip);
        EXPECT_EQ(p.count, 101);
    }
}

// Kind 0: 441 points on the sphere of the size, then the three axes, each
// from a quarter of its colour to the whole; the colour stays blue.
TEST(ShapePreviews, AffineTransformationShowsPointsAndAxes)
{
    BaseshapePoint point{};
    point.size = 0.8f;
    const RecordingSink sink = Draw(0, point);
    ASSERT_EQ(sink.primitives.size(), 2u);
    EXPECT_EQ(sink.primitives[0].kind, ShapePrimitive::kPoints);
    EXPECT_EQ(sink.primitives[0].count, 441);
    for (int i = 0; i < 441; ++i) {
        const auto& v = sink.vertices[i];
        EXPECT_NEAR(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 0.8f, 1e-5f) << i;
    }
    EXPECT_EQ(sink.primitives[1].kind, ShapePrimitive::kLines);
    ASSERT_EQ(sink.primitives[1].count, 6);
    for (int axis = 0; axis < 3; ++axis) {
        const auto& end = sink.vertices[441 + 2 * axis + 1];
        for (int a = 0; a < 3; ++a) EXPECT_EQ(end[a], a == axis ? 0.8f : 0.0f) << axis;
    }
    EXPECT_EQ(sink.color[0], 0.0f);
    EXPECT_EQ(sink.color[1], 0.0f);
    EXPECT_EQ(sink.color[2], 1.0f);
}

// Kinds above 84, negative kinds and the listed ones: the twelve edges of
// the cube of edge 2 x size, each once.
TEST(ShapePreviews, KindsWithoutADrawerShowTheCube)
{
    BaseshapePoint point{};
    point.size = 0.3f;
    for (const int kind : {14, 16, 21, 28, 29, 47, 58, 60, 65, 67, 68, 85, 120, 194, 195, -1}) {
        const RecordingSink sink = Draw(kind, point);
        ASSERT_EQ(sink.vertices.size(), 16u) << kind;
        std::vector<std::array<float, 6>> edges;
        auto add = [&](int a, int b) {
            auto p = sink.vertices[a], q = sink.vertices[b];
            if (q < p) std::swap(p, q);
            edges.push_back({p[0], p[1], p[2], q[0], q[1], q[2]});
        };
        for (int i = 0; i < 9; ++i) add(i, i + 1);
        for (int i = 10; i < 16; i += 2) add(i, i + 1);
        std::sort(edges.begin(), edges.end());
        EXPECT_EQ(std::unique(edges.begin(), edges.end()) - edges.begin(), 12) << kind;
        for (const auto& e : edges) {
            int differing = 0;
            for (int a = 0; a < 3; ++a) {
                EXPECT_EQ(std::fabs(e[a]), 0.3f) << kind;
                differing += e[a] != e[a + 3];
            }
            EXPECT_EQ(differing, 1) << kind;  // an edge, 0.6 long
        }
    }
}

float Distance(const std::array<float, 3>& a, const std::array<float, 3>& b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// The dodecahedron's 30 edges are all equally long, and the TimeStar's five
// tetrahedra are regular (every edge of a loop through the four faces the
// same length).
TEST(ShapePreviews, PolyhedraHaveEqualEdges)
{
    BaseshapePoint point{};
    point.size = 1.0f;
    const RecordingSink dodecahedron = Draw(15, point);
    for (size_t i = 0; i < dodecahedron.vertices.size(); i += 2)
        EXPECT_NEAR(Distance(dodecahedron.vertices[i], dodecahedron.vertices[i + 1]), 0.7136f, 2e-3f) << i;
    const RecordingSink star = Draw(42, point);
    ASSERT_EQ(star.primitives.size(), 5u);
    for (const auto& loop : star.primitives)
        for (int k = 0; k < loop.count; ++k) {
            const float d = Distance(star.vertices[loop.first + k], star.vertices[loop.first + (k + 1) % loop.count]);
            EXPECT_TRUE(d < 1e-6f || std::fabs(d - 1.633f) < 3e-3f) << "tetrahedron " << loop.first / 12 << " " << d;
        }
}

// The compositions: the atom ignores the parameters and scales with the
// size; "Future Sphere II" is the sphere 1.6 times larger.
TEST(ShapePreviews, CompositionsScaleTheirParts)
{
    BaseshapePoint plain{}, busy{};
    plain.size = busy.size = 0.7f;
    for (int i = 0; i < 13; ++i) busy.p[i] = 3.0f - static_cast<float>(i);
    const RecordingSink atom = Draw(19, plain), busyAtom = Draw(19, busy);
    EXPECT_EQ(atom.vertices, busyAtom.vertices);
    const RecordingSink sphere = Draw(1, busy), bigger = Draw(35, busy);
    ASSERT_EQ(sphere.vertices.size(), bigger.vertices.size());
    for (size_t i = 0; i < sphere.vertices.size(); ++i)
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(bigger.vertices[i][a], 1.6f * sphere.vertices[i][a], 1e-5f);
}

// Kind 3 with P2 = 0 is the plain ring of its core; kind 10 with P0 = 0
// draws the sampler's surface without the cubic terms.
TEST(ShapePreviews, ZeroDivisorsTakeTheSamplersForms)
{
    BaseshapePoint knot{};
    knot.size = 1.0f;
    knot.p[0] = 0.25f;
    knot.p[1] = 3.0f;
    const RecordingSink ring = Draw(3, knot);
    ASSERT_TRUE(AllFinite(ring));
    for (const auto& v : ring.vertices) EXPECT_LE(std::fabs(v[2]), 0.25f + 1e-6f);  // sin(0) + P0 sin w
    BaseshapePoint enneper{};
    enneper.size = 1.0f;
    const RecordingSink surface = Draw(10, enneper);
    ASSERT_TRUE(AllFinite(surface));
    // u = v = -2: x = (u - u v^2) / 2, y = (v - u^2 v) / 2, z = 0.
    EXPECT_FLOAT_EQ(surface.vertices[0][0], 3.0f);
    EXPECT_FLOAT_EQ(surface.vertices[0][1], 3.0f);
    EXPECT_FLOAT_EQ(surface.vertices[0][2], 0.0f);
}

}  // namespace
