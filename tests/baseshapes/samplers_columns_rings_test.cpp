#include "baseshapes/samplers_columns_rings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "baseshapes/samplers_c_shapes.h"
#include "baseshapes/samplers_wave_bars.h"
#include "baseshapes/support/sampler_checks.h"

namespace {

using P = const BaseshapePoint&;
using In = const SamplerInput&;

constexpr float kEps = 2e-5f;


TEST(ColumnAndRingSamplers, ShapesKeepTheirAnalyticBounds)
{
    const PropertyCase cases[] = {
        {"column IV, height and width 0: the origin", SampleBaseshapeColumnIV, {1.5f, {0, 0, 3}},
         [](P p, In) { return Length(p) == 0; }},
        {"column IV within its box", SampleBaseshapeColumnIV, {1.5f, {-1, 0.5f, 3}},
         [](P p, In in) {
             return std::fabs(p.y) <= in.size + kEps && std::fmax(std::fabs(p.x), std::fabs(p.z)) <= 0.5625f * in.size;
         }},
        {"temple III, amplitude 0: a cone of radius s, height 2 s", SampleBaseshapeTempleIII, {1.5f, {5, 0, 1, 0.5f}},
         [](P p, In in) { return Near(std::hypot(p.x, p.z), 0.5f * (in.size - p.y), 1e-5f); }},
        {"temple III filled, amplitude 0: inside the cone", SampleBaseshapeTempleIIIFilled, {1.5f, {5, 0, 1, 0.5f}},
         [](P p, In in) { return std::hypot(p.x, p.z) <= 0.5f * (in.size - p.y) + 1e-5f; }},
        {"helix II, no turns: the plane z = 0", SampleBaseshapeHelixIIFilled, {1.5f, {0.2f, 1, 0, 0.8f}},
         [](P p, In) { return p.z == 0; }},
        {"gear II at size 2: centre line 4", SampleBaseshapeGearII143, {2, {0, 0.3f, 12}},
         [](P p, In) { return Near(std::hypot(p.x, p.z), 4, kEps) && p.y == 0; }},
        {"segment between its radii and slopes", SampleBaseshapeSegment, {1.5f, {0.75f, 0.5f, 0.4f}},
         [](P p, In in) {
             const float r = std::hypot(p.x, p.z);
             return r >= 0.4f * in.size - kEps && r <= in.size + kEps && std::fabs(p.y) <= 0.5f * r + kEps;
         }},
        {"segment filled, inner radius above the outer", SampleBaseshapeSegmentFilled, {1.5f, {0.75f, 0.5f, 1.6f}},
         [](P p, In in) {
             const float r = std::hypot(p.x, p.z);
             return r >= in.size - kEps && r <= 1.6f * in.size + kEps && std::fabs(p.y) <= 0.5f * r + kEps;
         }},
        {"moon, p4 = -2: the centre circle", SampleBaseshapeMoon, {1.5f, {0.5f, 1, 0.3f, -2}},
         [](P p, In in) { return Near(std::hypot(p.x, p.y), in.size, kEps) && p.z == 0; }},
        {"moon filled, p4 = -2: the centre circle", SampleBaseshapeMoonFilled, {1.5f, {-0.5f, 1, 0.3f, -2}},
         [](P p, In in) { return Near(std::hypot(p.x, p.y), in.size, kEps) && p.z == 0; }},
        {"sine wave, no thickness: the centre curve", SampleBaseshapeSineWaveFilled, {1.5f, {2, 0.4f, 0}},
         [](P p, In in) {
             return Near(p.y, std::sin(p.x / in.size * 6.2831855f) * 0.4f * in.size, 1e-4f) && p.z == 0;
         }},
        {"triangular wave, no amplitude: a straight bar", SampleBaseshapeTriangularWave, {1.5f, {2, 0, 0.3f}},
         [](P p, In in) {
             return std::fabs(p.x) <= in.size + kEps && std::fabs(p.y) <= 0.3f * in.size + kEps &&
                    std::fabs(p.z) <= 0.3f * in.size + kEps;
         }},
        // Offsets along (D, -1) with D = p2 = 0.5, scaled by q = 1 / (D^2 + 1), not its root.
        {"triangular wave, no frequency: a straight bar", SampleBaseshapeTriangularWave, {1.5f, {0, 0.5f, 0.3f}},
         [](P p, In in) { return std::fabs(p.y) <= 0.3f * 0.8f * in.size + kEps; }},
        {"cflower, no petals: a body of revolution", SampleBaseshapeCFlower, {1.5f, {0.5f, 0, 0.5f, 1}},
         [](P p, In in) {
             const float c = std::atanh(p.z / in.size) / 1.75f, s = std::atanh(std::hypot(p.x, p.y) / in.size) / 1.75f;
             return Near(c * c + s * s, 1, 1e-3f);
         }},
        {"c. tetra I within the cube", SampleBaseshapeCTetraI, {1.5f, {}},
         [](P p, In in) { return MaxAbs(p) <= in.size + kEps; }},
    };
    CheckProperties(cases);
}

TEST(ColumnAndRingSamplers, PointsOnChosenWords)
{
    const uint32_t kOne = 0xffffffffu;  // a uniform of exactly 1.0
    const WordsCase cases[] = {
        {"hook at u2 = 0: the horn", SampleBaseshapeHook, {2, {0.5f, 0.7f, 0.3f, 1}}, WordFor(0.3), 0, 0, -1.4f, 0},
        {"hook filled at u2 = 0", SampleBaseshapeHookFilled, {2, {0.5f, 0.7f, 0.3f, 1}}, WordFor(0.3), 0, 0, -1.4f, 0},
        {"tear, blunt end", SampleBaseshapeTear, {2, {}}, WordFor(0.3), 0, 0, -2, 0},
        {"tear, tip", SampleBaseshapeTearFilled, {2, {}}, WordFor(0.3), kOne, 0, 2, 0},
        {"c. tetra I at a = b = 0", SampleBaseshapeCTetraI, {2, {}}, WordFor(0.5), WordFor(0.5), 0, 0, 0},
        {"c. tetra II at a = b = 0", SampleBaseshapeCTetraII, {2, {}}, WordFor(0.5), WordFor(0.5), 0, 0, 0},
    };
    CheckOnWords(cases);
}

}  // namespace
