#include "files/stl_import.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "engine/baseshape_images.h"
#include "engine/file_dialogs.h"
#include "engine/status_line.h"
#include "files/baseshape_image_files.h"
#include "platform/scripted_dialogs.h"
#include "support/baseshape_state.h"
#include "support/mesh_readers.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

std::string Facet(const char* a, const char* b, const char* c)
{
    return std::string("facet normal 0 0 1\n outer loop\n  vertex ") + a + "\n  vertex " + b + "\n  vertex " + c +
           "\n endloop\nendfacet\n";
}

std::vector<uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

// A binary STL: the header, the count, one facet of the given corners per 9 floats.
std::vector<uint8_t> Binary(const char* header, uint32_t count, const std::vector<float>& corners = {0, 0, 0, 2, 0, 0, 0, 2, 0})
{
    std::vector<uint8_t> bytes(84);
    std::memcpy(bytes.data(), header, std::strlen(header));
    std::memcpy(bytes.data() + 80, &count, 4);
    bytes.resize(84 + 50 * corners.size() / 9);
    for (size_t f = 0; f < corners.size() / 9; ++f) std::memcpy(&bytes[84 + 50 * f + 12], &corners[9 * f], 36);
    return bytes;
}

const BaseshapeMesh& gMesh = gBaseshapeMeshes[0];

class StlImport : public ::testing::Test {
protected:
    void SetUp() override { dialogs_.SetFailureHandler(FailTest); }
    bool Import(const std::vector<uint8_t>& bytes)
    {
        WriteBytes(path_, bytes);
        return ImportStlFile(path_.c_str(), 0);
    }
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
    std::string path_ = TempPath("import.stl");
};

// One facet (0, 0, 0), (2, 0, 0), (0, 2, 0): centre (1, 1, 0), radius
// sqrt 2, y mirrored. The kind follows the header, or the binary length.
TEST_F(StlImport, TheWorkedFacetInEveryForm)
{
    const float expected[9] = {-0.7071068f, 0.7071068f, 0, 0.7071068f, 0.7071068f, 0, -0.7071068f, -0.7071068f, 0};
    const std::vector<uint8_t> files[] = {
        Text("solid one\n" + Facet("0 0 0", "2 0 0", "0 2 0") + "endsolid one\n"),
        // A fourth corner is left out; blank lines, CR LF and a UTF-8 mark are text.
        Text("\xEF\xBB\xBFsolid\r\n\nfacet normal 0 0 1\r\nouter loop\r\nvertex 0 0 0\r\nvertex 2 0 0\r\n"
             "vertex 0 2 0\r\nvertex 9 9 9\r\nendloop\r\nendfacet\r\n\t\r\nendsolid"),
        Binary("exported", 1),
        Binary("solid exported", 1),  // "solid", but exactly the binary length
        // Data after the counted facet is left unread.
        Binary("trailing", 1, {0, 0, 0, 2, 0, 0, 0, 2, 0, 7, 7, 7, 7, 7, 7, 7, 7, 7}),
        // Far beyond 1e7: the box starts at the first vertex, not at +-1e7.
        Text("solid far\n" + Facet("3e7 0 0", "3.2e7 0 0", "3e7 2e6 0") + "endsolid far\n"),
        // A number below the float range is 0, as the C library reads it.
        Text("solid\n" + Facet("1e-60 0 0", "2 0 0", "0 2 -1e-400") + "endsolid\n"),
    };
    for (const auto& bytes : files) {
        ClearBaseshapeMesh(0);
        ASSERT_TRUE(Import(bytes));
        ASSERT_EQ(gMesh.triangleCount, 1u);
        for (int k = 0; k < 9; ++k) EXPECT_NEAR(gMesh.vertices[k], expected[k], 1e-6f) << k;
    }
    // Well-formed without a facet: the default triangle, and the status line says so.
    for (const auto& bytes : {Text("solid empty\nendsolid empty\n"), Binary("none", 0, {})}) {
        ASSERT_TRUE(Import(bytes));
        EXPECT_EQ(std::vector<float>(gMesh.vertices, gMesh.vertices + 9 * gMesh.triangleCount),
                  std::vector<float>(kDefaultBaseshapeTriangle, kDefaultBaseshapeTriangle + 9));
        EXPECT_STREQ(gStatusText, "Talvoran :   import.stl holds no facet: the mesh is the default triangle.");
    }
    ASSERT_TRUE(Import(Binary("same", 1, {3, 3, 3, 3, 3, 3, 3, 3, 3})));
    for (int k = 0; k < 9; ++k) EXPECT_EQ(gMesh.vertices[k], 0.0f) << "corners at one place";
}

// A binary file written by admesh gives the mesh of the text it was made from.
TEST_F(StlImport, ABinaryFileFromAdmeshOpens)
{
    const std::string text = "solid tetrahedron\n" + Facet("0 0 0", "0 1 0", "1 0 0") + Facet("0 0 0", "1 0 0", "0 0 1") +
                             Facet("0 0 0", "0 0 1", "0 1 0") + Facet("1 0 0", "0 1 0", "0 0 1") + "endsolid\n";
    const std::string binary = TempPath("tetrahedron_admesh.stl");
    int exitCode = 0;
    ASSERT_TRUE(Import(Text(text)));
    RunReader(FindReader("admesh"), "-c --write-binary-stl='" + binary + "'", path_, &exitCode);
    const std::vector<float> fromText(gMesh.vertices, gMesh.vertices + 36);
    ASSERT_TRUE(exitCode == 0 && ImportStlFile(binary.c_str(), 0) && gMesh.triangleCount == 4u);
    EXPECT_EQ(std::vector<float>(gMesh.vertices, gMesh.vertices + 36), fromText);
    EXPECT_NEAR(gMesh.vertices[0], -0.57735027f, 1e-6f) << "each corner at radius 1";
}

// Two facets as writers lay them out: CR line ends (old Mac), keywords in
// capitals, NUL padding after "endsolid", and all three together, each read
// as the same two triangles as the plain file.
TEST_F(StlImport, LineEndsCapitalsAndPaddingReadAsThePlainFile)
{
    const std::string plain = "solid two\n" + Facet("0 0 0", "2 0 0", "0 2 0") + Facet("0 0 4", "2 0 4", "0 2 4") +
                              "endsolid two\n";
    auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
        return text;
    };
    std::string capitals = plain;
    for (char& c : capitals) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string cr = replaced(plain, "\n", "\r"), nuls(700, '\0');
    const std::pair<const char*, std::string> files[] = {
        {"CR", cr},
        {"CR, no last line end", cr.substr(0, cr.size() - 1)},
        {"CR LF, then CR", "solid two\r\n" + cr.substr(cr.find('\r') + 1)},
        {"capitals", capitals},
        {"NULs on the line after", plain + nuls},
        {"NULs after the name, blanks, more NULs", plain.substr(0, plain.size() - 1) + nuls + "\n \t\n" + nuls},
        {"all three", replaced(capitals, "\n", "\r") + nuls},
    };
    StlMesh reference;
    ASSERT_EQ(ParseStl(Text(plain).data(), plain.size(), &reference, nullptr), StlStatus::kTriangles);
    const std::vector<float> expected(reference.vertices.get(), reference.vertices.get() + 18);
    for (const auto& [name, text] : files) {
        ClearBaseshapeMesh(0);
        ASSERT_TRUE(Import(Text(text))) << name << ": " << gStatusText;
        ASSERT_EQ(gMesh.triangleCount, 2u) << name;
        StlMesh mesh;
        ASSERT_EQ(ParseStl(Text(text).data(), text.size(), &mesh, nullptr), StlStatus::kTriangles) << name;
        EXPECT_EQ(std::vector<float>(mesh.vertices.get(), mesh.vertices.get() + 18), expected) << name;
    }
}

// Refused files leave the mesh as it was and say why.
TEST_F(StlImport, HostileFilesChangeNothing)
{
    std::vector<uint8_t> shortened = Binary("x", 1), nan = Binary("x", 1);
    std::vector<uint8_t> shortSolid = Binary("solid exported", 1), longSolid = shortSolid;
    shortened.pop_back(), shortSolid.pop_back(), longSolid.push_back(0);
    std::memcpy(&nan[84 + 12], "\x00\x00\xc0\x7f", 4);
    const std::vector<uint8_t> cases[] = {
        std::vector<uint8_t>(83, 1), Binary("x", 2), Binary("x", 0xFFFFFFFFu), shortened, nan,
        Binary("x", 0),  // a facet its count does not hold
        Text("solid\nfacet normal 0 0 1\nvertex 0 0 inf\nvertex 1 0 0\nvertex 0 1 0\n"),
        // Past the float range, or no number: skipping the line would slide
        // the next facet's first vertex into this triangle.
        Text("solid\n" + Facet("0 0 0", "0 1 0", "1e39 0 0") + Facet("5 5 5", "6 5 5", "5 6 5")),
        Text("solid\n" + Facet("0 0 0", "0 1 0", "-1e400 0 0") + Facet("5 5 5", "6 5 5", "5 6 5")),
        Text("solid\n" + Facet("0 0 0", "0 1 0", "1 zero 0") + Facet("5 5 5", "6 5 5", "5 6 5")),
        // "solid" over what is no text STL: binary one byte short or long, bytes, a
        // file not closed, a vertex outside its facet, a facet of two corners.
        shortSolid, longSolid, Text("solid \x01\x7f\x80\xff\n" + Facet("0 0 0", "2 0 0", "0 2 0") + "endsolid\n"),
        Text("solid\n" + Facet("0 0 0", "2 0 0", "0 2 0")),
        Text("solid\n" + Facet("0 0 0", "2 0 0", "0 2 0") + "vertex 1 1 1\nendsolid\n"),
        Text("solid\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nendloop\nendfacet\nendsolid\n"),
        Text("solid is what we are\nThe rest is prose.\nendsolid\n"),
        // NULs are padding only after the last "endsolid": not inside a
        // solid, nor before more text.
        Text("solid\n" + Facet("0 0 0", "2 0 0", "0 2 0") + std::string(8, '\0') + "\nendsolid\n"),
        Text("solid\n" + Facet("0 0 0", "2 0 0", "0 2 0") + "endsolid\n" + std::string(8, '\0') + "\nsolid\nendsolid\n"),
        Text("solid\n" + Facet("0 0 0", "2 0 0", "0 2 0") + "endsolid\n" + std::string("\0\0x\n", 4)),
    };
    ASSERT_TRUE(Import(Binary("x", 1)));
    const std::vector<uint8_t> before = BaseshapeState();
    for (size_t c = 0; c < std::size(cases); ++c) {
        EXPECT_FALSE(Import(cases[c])) << c;
        EXPECT_EQ(BaseshapeState(), before) << c;
        EXPECT_EQ(std::string(gStatusText).rfind("Talvoran :   import.stl is not an STL file", 0), 0u) << gStatusText;
    }
    dialogs_.QueueFileCancel();
    EXPECT_FALSE(ImportStlMesh(0));
    dialogs_.QueueFile(path_ + ".missing");
    EXPECT_FALSE(ImportStlMesh(0));
    EXPECT_STREQ(gStatusText, "Talvoran :   Cannot read import.stl.missing.");
    EXPECT_EQ(dialogs_.Prompts().back().file.filters.front().name, "STL Files ");
    EXPECT_EQ(gFileOperationBusy, 0);
}

// Lines are read whole: keywords across column 1,023 of long lines keep two
// facets apart; a line past 64 KiB is refused with its number, unread.
TEST_F(StlImport, LongLinesAreReadWholeOrRefusedByNumber)
{
    const std::string deep(1018, ' ');
    const std::string text = "solid deep\n" + deep + "facet normal 0 0 1\n outer loop\n" + deep + "vertex 0 0 0\n" +
                             deep + "vertex 2 0 0\n" + deep + "vertex 0 2 0\nendloop\n" + deep + "endfacet\n" +
                             Facet("0 0 4", "2 0 4", "0 2 4") + "endsolid deep\n";
    ASSERT_TRUE(Import(Text(text)));
    ASSERT_EQ(gMesh.triangleCount, 2u);
    EXPECT_EQ(gMesh.vertices[2], gMesh.vertices[8]) << "one facet in one plane";
    EXPECT_EQ(gMesh.vertices[11], gMesh.vertices[17]);
    EXPECT_NE(gMesh.vertices[2], gMesh.vertices[11]) << "the facets merged";

    const std::vector<uint8_t> before = BaseshapeState();
    EXPECT_FALSE(Import(Text("solid\n" + Facet("0 0 0", "2 0 0", "0 2 0") + std::string(70000, ' ') + "endsolid\n")));
    EXPECT_STREQ(gStatusText, "Talvoran :   import.stl is not an STL file we can open: line 9 is longer than 64 KiB.");
    EXPECT_EQ(BaseshapeState(), before);
}

}  // namespace
