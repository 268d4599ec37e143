#include "files/transformation_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "engine/fractal_model.h"
#include "engine/vector_math.h"
#include "render/projection_passes.h"
#include "render/symmetry_modes.h"

namespace {

// Three transformations with every stored field away from its default.
void MakeSet()
{
    gTransformCount = gPickTransformCount = 3;
    for (int t = 0; t < 3; ++t) {
        TransformRecord& r = gTransforms[t];
        std::memset(&r, 0, sizeof r);
        RotationMatrixFromEuler(10.0f * t, 20.0f + t, -30.0f, r.rotation);
        for (int e = 0; e < 9; ++e) r.scaleShear[e] = 0.1f * static_cast<float>(e + t) - 0.3f;
        r.position[0] = 0.25f * t;
        r.position[1] = -1.5f;
        r.position[2] = 0.125f + t;
        r.weight = 0.2f + 0.1f * t;
        for (int k = 0; k < 10; ++k) {
            r.variationOn[k] = (k + t) % 3 == 0;
            r.variationAmount[k] = 0.05f * k - 0.2f * t;
        }
        ComposeTransformation(t);
    }
    gFractalType = 7;
    gMirrorCopy = 1;
    gMirrorY = 0;
}

bool Load(const std::string& text, std::string* error = nullptr)
{
    auto contents = std::make_unique<TransformationFileContents>();
    if (!ParseTransformationFile(text, *contents, error)) return false;
    ApplyTransformationFile(*contents);
    return true;
}

TEST(TransformationFile, ARoundTripKeepsEveryStoredField)
{
    MakeSet();
    TransformRecord saved[3];
    std::memcpy(saved, gTransforms, sizeof saved);
    const std::string text = TransformationFileText();
    for (int t = 0; t < 3; ++t) std::memset(&gTransforms[t], 0, sizeof gTransforms[t]);
    gFractalType = 0;
    gMirrorCopy = 0;
    gMirrorY = 1;
    ASSERT_TRUE(Load(text));
    EXPECT_EQ(gTransformCount, 3);
    EXPECT_EQ(gPickTransformCount, 3);
    EXPECT_EQ(gFractalType, 7);
    EXPECT_EQ(gMirrorCopy, 1);
    EXPECT_EQ(gMirrorY, 0);
    for (int t = 0; t < 3; ++t) {
        const TransformRecord &a = saved[t], &b = gTransforms[t];
        for (int e = 0; e < 9; ++e) {
            EXPECT_NEAR(a.rotation[e], b.rotation[e], 1e-6f) << t;
            EXPECT_NEAR(a.scaleShear[e], b.scaleShear[e], 1e-6f) << t;
            EXPECT_NEAR(a.matrix[e], b.matrix[e], 1e-5f) << t;  // composed again
        }
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(a.position[k], b.position[k], 1e-6f) << t;
        EXPECT_NEAR(a.weight, b.weight, 1e-6f);
        EXPECT_EQ(std::memcmp(a.variationOn, b.variationOn, 10), 0) << t;
        for (int k = 0; k < 10; ++k) EXPECT_NEAR(a.variationAmount[k], b.variationAmount[k], 1e-6f) << t;
    }
    EXPECT_NEAR(gTransformCoefficients.tz[2], 2.125f, 1e-6f);
}

// The lines of one transformation: identity rotation and scale 0.5.
TEST(TransformationFile, TextIsTheDocumentedLines)
{
    gTransformCount = 1;
    TransformRecord& r = gTransforms[0];
    std::memset(&r, 0, sizeof r);
    r.rotation[0] = r.rotation[4] = r.rotation[8] = 1.0f;
    r.scaleShear[0] = r.scaleShear[4] = r.scaleShear[8] = 0.5f;
    r.weight = 1.0f;
    r.variationOn[0] = 1;
    r.variationAmount[0] = 1.0f;
    gFractalType = 12;
    gMirrorCopy = gMirrorY = 0;
    std::string expected = "1\n1.000000 0.000000 0.000000\n0.000000 1.000000 0.000000\n0.000000 0.000000 1.000000\n"
                           "0.500000 0.000000 0.000000\n0.000000 0.500000 0.000000\n0.000000 0.000000 0.500000\n"
                           "0.000000 0.000000 0.000000\n1.000000\n1\n";
    for (int k = 1; k < 10; ++k) expected += "0\n";
    expected += "1.000000\n";
    for (int k = 1; k < 10; ++k) expected += "0.000000\n";
    expected += "12\n0\n0\n";
    EXPECT_EQ(TransformationFileText(), expected);
    gTransformCount = 0;
    EXPECT_EQ(TransformationFileText(), "0\n12\n0\n0\n");
}

// What a load does by fractal type, and how flags read.
TEST(TransformationFile, FixUpsByTypeAndFlags)
{
    MakeSet();
    gTransforms[1].scaleShear[0] = 0.4f;
    gTransforms[1].variationOn[2] = 1;
    std::string text = TransformationFileText();
    // Type 12 makes every scale uniform; a flag "2" reads as off.
    const size_t type = text.rfind("7\n1\n0\n");
    text.replace(type, 6, "12\n2\n1\n");
    ASSERT_TRUE(Load(text));
    EXPECT_EQ(gFractalType, 12);
    EXPECT_EQ(gMirrorCopy, 0);
    EXPECT_EQ(gMirrorY, 1);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(gTransforms[t].scaleShear[4], gTransforms[t].scaleShear[0]) << t;
        EXPECT_EQ(gTransforms[t].scaleShear[8], gTransforms[t].scaleShear[0]) << t;
    }
    EXPECT_NEAR(gTransforms[1].scaleShear[4], 0.4f, 1e-6f);
    EXPECT_NEAR(gTransformCoefficients.m11[1], gTransforms[1].matrix[4], 1e-7f);  // composed after the fix-up

    // Type 3 takes its Moebius maps from the positions of transformations 0 and 1.
    gFractalType = 3;
    text = TransformationFileText();
    gMobiusCoefficients.a[0] = Complex{99.0f, 99.0f};
    ASSERT_TRUE(Load(text));
    const MobiusCoefficients loaded = gMobiusCoefficients;
    ComputeTransformCoefficients(Complex{gTransforms[0].position[0], gTransforms[0].position[2]},
                                 Complex{gTransforms[1].position[0], gTransforms[1].position[2]});
    EXPECT_EQ(std::memcmp(&loaded, &gMobiusCoefficients, sizeof loaded), 0);

    // Blanks, tabs, carriage returns and a '+' read as the format's layout.
    std::string loose = "+1\r\n1 0 0\t0 1 0 0 0 1\r\n.5 0 0 0 .5 0 0 0 .5  0 0 0\r\n1e0\n2 0 0 0 0 0 0 0 0 1\n";
    loose += "1 0 0 0 0 0 0 0 0 0\n+48\r\n0\r\n0";
    ASSERT_TRUE(Load(loose));
    EXPECT_EQ(gTransformCount, 1);
    EXPECT_EQ(gTransforms[0].variationOn[0], 0);
    EXPECT_EQ(gTransforms[0].variationOn[9], 1);
    EXPECT_EQ(gTransforms[0].scaleShear[4], 0.5f);
    EXPECT_EQ(gFractalType, 48);
}

// A refused file: a message, and the model as it was.
TEST(TransformationFile, BadFilesAreRefusedWithAMessage)
{
    MakeSet();
    const std::string good = TransformationFileText();
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"not a number", "three\n"},
        {"count above 65", "66\n" + good.substr(2)},
        {"negative count", "-1\n0\n0\n0\n"},
        {"cut short", good.substr(0, good.size() / 2)},
        {"without the trailing flags", good.substr(0, good.rfind("7\n1\n0\n"))},
        {"type 50", good.substr(0, good.rfind("7\n1\n0\n")) + "50\n1\n0\n"},
        {"type -1", good.substr(0, good.rfind("7\n1\n0\n")) + "-1\n1\n0\n"},
        {"not finite", "1\nnan 0 0\n" + good.substr(good.find('\n', 2) + 1)},
        {"a flag that is no integer", "1\n1 0 0 0 1 0 0 0 1 .5 0 0 0 .5 0 0 0 .5 0 0 0 1 1.0\n"},
        {"a decimal comma", "1\n1,0 0 0\n"},
    };
    for (const auto& c : cases) {
        std::string error;
        auto contents = std::make_unique<TransformationFileContents>();
        EXPECT_FALSE(ParseTransformationFile(c.text, *contents, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
    // Never more than 65 records are read, whatever follows.
    gTransformCount = 1;
    const std::string single = TransformationFileText();
    const std::string one = single.substr(2, single.rfind("7\n1\n0\n") - 2);
    std::string many = "65\n";
    for (int t = 0; t < 65; ++t) many += one;
    many += "9\n0\n0\n" + one;  // a 66th record after the end is not read
    auto contents = std::make_unique<TransformationFileContents>();
    std::string error;
    EXPECT_TRUE(ParseTransformationFile(many, *contents, &error)) << error;
    EXPECT_EQ(contents->count, 65);
    EXPECT_EQ(contents->fractalType, 9);
    EXPECT_EQ(gTransformCount, 1);  // parsing alone changes nothing
}

TEST(TransformationFile, AnEmptySetLoadsWithItsTypeAndFlags)
{
    MakeSet();
    ASSERT_TRUE(Load("0\n5\n1\n1\n"));
    EXPECT_EQ(gTransformCount, 0);
    EXPECT_EQ(gFractalType, 5);
    EXPECT_EQ(gMirrorCopy + gMirrorY, 2);
    EXPECT_TRUE(TransformationFileResetsView(5));
    EXPECT_FALSE(TransformationFileResetsView(0));
    gTransformCount = gPickTransformCount = 1;
}

// An empty set of a Kleinian type: nothing is shown and the table picks
// from one map, as for every other type; type 45 shows the one map it picks.
TEST(TransformationFile, EmptyKleinianSetsKeepTheirCounts)
{
    for (const char* text : {"0\n3\n0\n0\n", "0\n19\n0\n0\n", "0\n45\n0\n0\n"}) {
        for (int before : {0, 3, 7, 10}) {
            MakeSet();
            gPickTransformCount = before;
            ASSERT_TRUE(Load(text)) << text;
            EXPECT_EQ(gPickTransformCount, 1) << text << " after a count of " << before;
            EXPECT_EQ(gTransformCount, gFractalType == 45 ? 1 : 0) << text;
        }
    }
    gFractalType = 0;
    gTransformCount = gPickTransformCount = 1;
}

}  // namespace
