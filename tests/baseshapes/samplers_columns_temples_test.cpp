#include "baseshapes/samplers_columns_temples.h"

#include "baseshapes/support/sampler_checks.h"
#include "baseshapes/samplers_stair.h"

namespace {

// Column I: the shaft of radius k/2 about a centre that winds on a circle
// of radius k/20, k = s / 2 pi, height within s/2.
double WindingShaft(PointRef o, PointRef in)
{
    const double k = in.size / (2 * M_PI), h = o.y / k;
    const double cx = 0.05 * k * std::sin(10 * h), cz = 0.05 * k * std::cos(10 * h);
    return std::fabs(std::hypot(o.x - cx, o.z - cz) - 0.5 * k) + std::fmax(0.0, std::fabs(o.y) - 0.5 * in.size);
}

// Column II filled: between the flutes' radii, s high.
double InFlutedWall(PointRef o, PointRef in)
{
    const double r = RadiusXZ(o) / (0.1 * in.size);
    return std::fmax(std::fmax(r - 1.05, 0.475 - r), std::fabs(o.y) - 0.5 * in.size);
}

double InTwistedBlock(PointRef o, PointRef in)
{
    return std::fmax(RadiusXZ(o) - std::sqrt(2.0) * in.size / 8, std::fabs(o.y) - in.size);
}

double InStairBox(PointRef o, PointRef in)
{
    const double u = in.size / 7;
    return std::fmax(std::fmax(std::fabs(o.x) - 4 * u, std::fabs(o.z) - 6 * u), std::fmax(-6 * u - o.y, o.y - 8 * u));
}

TEST(ColumnTempleSamplers, PointsLieOnTheirShapes)
{
    const ShapeCase cases[] = {
        {"column I", SampleBaseshapeColumnI, 1.6f, {}, WindingShaft, 1e-5, 2},
        {"column II filled", SampleBaseshapeColumnIIFilled, 2.0f, {}, InFlutedWall, 1e-5, 3},
        {"column III filled", SampleBaseshapeColumnIIIFilled, 2.0f, {}, InTwistedBlock, 1e-6, -1},
        {"stair", SampleBaseshapeStair, 1.4f, {}, InStairBox, 1e-6, -1},
        {"stair filled", SampleBaseshapeStairFilled, 1.4f, {}, InStairBox, 1e-6, -1},
    };
    CheckShapeCases(std::begin(cases), std::end(cases));
}

// The block coordinate of a stair coordinate: steps are odd offsets, so the
// block's [-1, 1] is the value less the odd number within 1 of it.
double Fold(double v) { return v - 2 * std::floor(v / 2) - 1; }

TEST(ColumnTempleSamplers, RoundedBlockSplitsFacesEdgesCorners)
{
    // Size 7: stair units of 1. One coordinate past the core on a face, two
    // on an edge, three on a corner.
    double shares[4] = {};
    ResetTestSlot(kTestSlot, 31);
    constexpr int kPoints = 40000;
    for (int i = 0; i < kPoints; ++i) {
        BaseshapePoint o = MakeTestPoint(7.0f, 0.0f);
        SampleBaseshapeStair(&o, kTestSlot);
        const double b[3] = {o.x >= 0 ? (o.x - 2) / 2 : (o.x + 2) / 2, Fold(o.y), Fold(o.z)};
        int rounded = 0;
        for (double c : b) rounded += std::fabs(c) > 0.8501 ? 1 : 0;
        shares[rounded] += 1.0 / kPoints;
    }
    EXPECT_NEAR(shares[1], 0.75, 0.01);
    EXPECT_NEAR(shares[2], 0.2375, 0.01);
    EXPECT_NEAR(shares[3], 0.0125, 0.003);
}

TEST(ColumnTempleSamplers, PartsTakeTheirShares)
{
    // Column II: end faces at +-s/2, the inner wall at s/20.
    const BaseshapePoint column = MakeTestPoint(2.0f, 0.0f);
    const auto endFace = [](PointRef o) { return std::fabs(o.y) >= 0.999999; };
    const auto innerWall = [](PointRef o) { return RadiusXZ(o) < 0.12 && std::fabs(o.y) < 0.999999; };
    EXPECT_NEAR(Share(SampleBaseshapeColumnII, column, endFace), 0.1675, 0.01);
    EXPECT_NEAR(Share(SampleBaseshapeColumnII, column, innerWall), 0.33, 0.012);
    // Temple I: a quarter to the central body, a solid of revolution.
    const BaseshapePoint temple = MakeTestPoint(1.0f, 0.0f);
    const auto body = [](PointRef o) {
        const double r = 0.125 * std::exp(std::fabs(o.y) + 0.5) + 0.25;
        return std::fabs(o.y) <= 1 && std::fabs(RadiusXZ(o) - r) < 1e-5;
    };
    EXPECT_NEAR(Share(SampleBaseshapeTempleI, temple, body), 0.25, 0.012);
    // Temple II: columns up to 0.4875 S, rings from 0.488 S (S = 1.6 s).
    const auto upper = [](PointRef o) { return o.y > 0.4878 * 1.6; };
    const auto lower = [](PointRef o) { return o.y < -0.4878 * 1.6; };
    EXPECT_NEAR(Share(SampleBaseshapeTempleII, temple, upper), 0.1, 0.008);
    EXPECT_NEAR(Share(SampleBaseshapeTempleIIFilled, temple, lower), 0.1, 0.008);
}

}  // namespace
