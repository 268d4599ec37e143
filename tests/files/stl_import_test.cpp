#include "files/stl_import.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/baseshape_images.h"
#include "engine/status_line.h"
#include "files/baseshape_image_files.h"
#include "platform/scripted_dialogs.h"
#include "support/baseshape_state.h"
#include "support/mesh_readers.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

std::string Facet(const char* a, const char* b, const char* c)
{
    return std::string("  facet normal 0 0 1\n    outer loop\n      vertex ") + a + "\n      vertex " + b +
           "\n      vertex " + c + "\n    endloop\n  endfacet\n";
}

std::vector<uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

// A binary STL of the given header and facets (9 floats each).
std::vector<uint8_t> Binary(const char* header, const std::vector<float>& corners, uint32_t count)
{
    std::vector<uint8_t> bytes(84);
    std::memcpy(bytes.data(), header, std::strlen(header));
    std::memcpy(bytes.data() + 80, &count, 4);
    for (size_t f = 0; f < corners.size() / 9; ++f) {
        bytes.insert(bytes.end(), 12, 0);
        const auto* p = reinterpret_cast<const uint8_t*>(&corners[f * 9]);
        bytes.insert(bytes.end(), p, p + 36);
        bytes.insert(bytes.end(), 2, 0);
    }
    return bytes;
}

const BaseshapeMesh& Mesh() { return gBaseshapeMeshes[0]; }

class StlImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs_.SetFailureHandler(FailTest);
        ClearBaseshapeMesh(0);
    }
    bool Import(const std::vector<uint8_t>& bytes)
    {
        WriteBytes(path_, bytes);
        return ImportStlFile(path_.c_str(), 0);
    }
    void ExpectDefaultTriangle(const char* name)
    {
        ASSERT_EQ(Mesh().triangleCount, 1u) << name;
        EXPECT_EQ(std::memcmp(Mesh().vertices, kDefaultBaseshapeTriangle, sizeof kDefaultBaseshapeTriangle), 0) << name;
    }
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
    std::string path_ = TempPath("import.stl");
};

// One facet (0, 0, 0), (2, 0, 0), (0, 2, 0): centre (1, 1, 0), radius
// sqrt 2, y mirrored.
TEST_F(StlImport, TheWorkedFacet)
{
    ASSERT_TRUE(Import(Text("solid one\n" + Facet("0 0 0", "2 0 0", "0 2 0") + "endsolid one\n")));
    ASSERT_EQ(Mesh().triangleCount, 1u);
    const float expected[9] = {-0.7071068f, 0.7071068f, 0, 0.7071068f, 0.7071068f, 0, -0.7071068f, -0.7071068f, 0};
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(Mesh().vertices[k], expected[k], 1e-6f) << k;
    EXPECT_STREQ(Mesh().name, "#");
}

// A binary file written by admesh gives the same mesh as the text it was made from.
TEST_F(StlImport, ABinaryFileFromAdmeshOpens)
{
    const std::string admesh = FindReader("admesh");
    const std::string text = "solid tetrahedron\n" + Facet("0 0 0", "0 1 0", "1 0 0") + Facet("0 0 0", "1 0 0", "0 0 1") +
                             Facet("0 0 0", "0 0 1", "0 1 0") + Facet("1 0 0", "0 1 0", "0 0 1") + "endsolid\n";
    const std::string ascii = TempPath("tetrahedron_text.stl"), binary = TempPath("tetrahedron_admesh.stl");
    WriteBytes(ascii, Text(text));
    int exitCode = 0;
    RunReader(admesh, "-c --write-binary-stl='" + binary + "'", ascii, &exitCode);
    ASSERT_EQ(exitCode, 0);
    ASSERT_TRUE(ImportStlFile(ascii.c_str(), 0));
    const std::vector<float> fromText(Mesh().vertices, Mesh().vertices + 36);
    ASSERT_TRUE(ImportStlFile(binary.c_str(), 0));
    ASSERT_EQ(Mesh().triangleCount, 4u);
    for (int k = 0; k < 36; ++k) EXPECT_FLOAT_EQ(Mesh().vertices[k], fromText[k]) << k;
    EXPECT_NEAR(Mesh().vertices[0], -0.57735027f, 1e-6f) << "each corner of the tetrahedron at radius 1";
    std::filesystem::remove(ascii);
    std::filesystem::remove(binary);
}

TEST_F(StlImport, KindCountsAndOddLines)
{
    const std::vector<float> facet = {0, 0, 0, 2, 0, 0, 0, 2, 0};
    // A header saying "solid" on a file of exactly the binary length: binary.
    ASSERT_TRUE(Import(Binary("solid exported", facet, 1)));
    EXPECT_EQ(Mesh().triangleCount, 1u);
    EXPECT_NEAR(Mesh().vertices[3], 0.7071068f, 1e-6f);
    // The same with two stray bytes: read as text, which has no facet.
    std::vector<uint8_t> padded = Binary("solid exported", facet, 1);
    padded.insert(padded.end(), {0, 0});
    ASSERT_TRUE(Import(padded));
    ExpectDefaultTriangle("solid header, other length");
    ASSERT_TRUE(Import(Binary("mesh", {}, 0)));
    ExpectDefaultTriangle("no facets");
    // A fourth vertex line is ignored; a facet left without vertices is dropped.
    ASSERT_TRUE(Import(Text("solid\nfacet normal 0 0 1\nvertex 0 0 0\nvertex 2 0 0\nvertex 0 2 0\nvertex 9 9 9\n"
                            "facet normal 0 0 1\nendsolid\n")));
    EXPECT_EQ(Mesh().triangleCount, 1u);
    EXPECT_NEAR(Mesh().vertices[0], -0.7071068f, 1e-6f);
    ASSERT_TRUE(Import(Binary("same", {3, 3, 3, 3, 3, 3, 3, 3, 3}, 1)));
    for (int k = 0; k < 9; ++k) EXPECT_EQ(Mesh().vertices[k], 0.0f) << "all corners at one place";
}

// Refused files leave the mesh as it was and say why.
TEST_F(StlImport, HostileFilesChangeNothing)
{
    const std::vector<float> facet = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    std::vector<uint8_t> nan = Binary("x", facet, 1);
    std::memcpy(nan.data() + 84 + 12, "\x00\x00\xc0\x7f", 4);
    std::vector<uint8_t> shortened = Binary("x", facet, 1);
    shortened.pop_back();
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"shorter than the header", std::vector<uint8_t>(83, 1)},
        {"two facets in room for one", Binary("x", facet, 2)},
        {"2^32 - 1 facets", Binary("x", facet, 0xFFFFFFFFu)},
        {"a facet short by a byte", shortened},
        {"not a number", nan},
        {"text with an infinite vertex", Text("solid\nfacet normal 0 0 1\nvertex 0 0 inf\nvertex 1 0 0\nvertex 0 1 0\n")},
    };
    ASSERT_TRUE(Import(Binary("x", facet, 1)));
    for (const auto& c : cases) {
        const BaseshapeState before = TakeBaseshapeState();
        EXPECT_FALSE(Import(c.bytes)) << c.name;
        EXPECT_TRUE(TakeBaseshapeState() == before) << c.name;
        EXPECT_EQ(std::string(gStatusText).rfind("Talvoran :   import.stl is not an STL file", 0), 0u) << gStatusText;
    }
    EXPECT_FALSE(ImportStlFile((path_ + ".missing").c_str(), 0));
    EXPECT_STREQ(gStatusText, "Talvoran :   Cannot read import.stl.missing.");

    // Through the dialog: a cancel changes nothing and the busy byte drops.
    dialogs_.QueueFileCancel();
    EXPECT_FALSE(ImportStlMesh(0));
    dialogs_.QueueFile(path_);
    EXPECT_FALSE(ImportStlMesh(0));
    EXPECT_EQ(dialogs_.Prompts().back().file.filters.front().name, "STL Files ");
    EXPECT_EQ(gFileOperationBusy, 0);
    std::filesystem::remove(path_);
}

}  // namespace
