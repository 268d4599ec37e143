// The baseshape editor driven as a user drives it: the whole program
// offscreen, every press where the control is drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/control_tables.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "ui/panel_pages.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "editors/baseshape_editor.h"
#include "editors/baseshape_type_parameters.h"
#include "engine/baseshape_animation.h"
#include "engine/baseshape_images.h"
#include "engine/fractal_model.h"
#include "engine/file_dialogs.h"
#include "engine/kernel_framework.h"
#include "engine/point_coloring.h"
#include "materials/shader.h"
#include "engine/status_line.h"
#include "files/binary_reader.h"
#include "files/support/baseshape_state.h"
#include "platform/desktop/gl_window.h"
#include "platform/regular_file.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/image_files.h"

namespace fs = std::filesystem;

namespace {

BaseShapeEditor& E() { return gBaseShapeEditor; }

BaseshapeRecord& Current() { return gBaseshapes[gCurrentBaseshape]; }

// The "Edit" box off, pressed where the editor's page shows it.
void CloseEditor()
{
    if (gBaseShapeEditorOpen) Click("Edit (Baseshapes)");
    gProgram.Frames(1);
}
void ChooseTab(int tab) { Click("Shape", tab); }
// A kind picked in the selector, its page turned there by the wheel.
void ChooseKind(int type)
{
    gProgram.Frames(1);
    const TSelector& s = E().shapeSelector;
    const int first = std::min(type / kPickerCells * kPickerCells, kShapeLastFirst);
    int x = 0, y = 0;
    ControlRowPoint(*Find("Shape Type"), 7, &x, &y);
    for (int n = 0; n < 40 && s.first != first; ++n) gProgram.Wheel(x, y, s.first < first ? -1 : 1);
    Click("Shape Type", type - first);
}

// New presets are random; the pictures show them as plain shades of grey.
void PlainPresetThumbnails()
{
    std::vector<uint8_t> rgb(kThumbnailSize * kThumbnailSize * 3);
    for (int i = kBaseshapeTexturePanel * kPresetsPerPanel; i < (kBaseshapeDMapPanel + 1) * kPresetsPerPanel; ++i) {
        std::fill(rgb.begin(), rgb.end(), static_cast<uint8_t>(4 * i));
        gShader.presetThumbnails[i].Set(rgb.data());
    }
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A 24-bit BMP, rows given top first as the picture is seen.
void WriteBmp(const fs::path& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    std::string bytes(kBmpHeaderSize, '\0');
    BuildBmpHeaders(width, height, reinterpret_cast<uint8_t*>(bytes.data()));
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(row) * width + x) * 3];
            bytes += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
        }
        bytes.append(static_cast<size_t>(BmpRowPadding(width)), '\0');
    }
    WriteFile(path, bytes);
}

class BaseShapeEditorProgram : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_baseshapes_");
        StartOnce();
    }
    // One baseshape of kind 1 ("Sphere"), the panel open on "Shape".
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        OpenBaseshapeEditor();
        while (gBaseshapeCount > 0) Click("Delete (Baseshapes)");
        Click("New (Baseshapes)");
        ASSERT_EQ(gBaseshapeCount, 1);
        ChooseTab(kBsShapeTab);
        ChooseKind(1);
    }
    void TearDown() override
    {
        CloseEditor();
        ProgramTest::TearDown();
    }
};

// Each tab of a plain kind, the "Shape" tab of a displacement-mapped kind
// and of the mesh kind; what shows follows the kind.
TEST_F(BaseShapeEditorProgram, EveryTabAndTheKindsOwnControls)
{
    const char* const kTabs[kBsTabCount] = {"shape", "controls", "modifiers", "colors", "animation"};
    Current().useTexture = Current().useGradient = Current().neonOn = 1;
    gBaseshapeModifierType[0] = gBaseshapeArrayType[0] = 1;
    for (int tab = 0; tab < kBsTabCount; ++tab) {
        ChooseTab(tab);
        // The base colour shows only while a colouring mode colours the points.
        const int coloring = gColoringMode.load();
        if (tab == kBsColorsTab) {
            Click("New Textures (Baseshapes)");
            PlainPresetThumbnails();
            gColoringMode = 7;
        }
        ExpectPanelLooksLike((std::string("baseshape_editor_") + kTabs[tab]).c_str());
        gColoringMode = coloring;
    }
    ChooseTab(kBsShapeTab);
    EXPECT_FALSE(Shown("Load DMap") || Shown("Load STL Mesh") || Shown("Displacement Map Presets"));
    ChooseKind(49);
    ASSERT_EQ(Current().shapeType, 49);
    EXPECT_TRUE(Shown("Load DMap") && Shown("Select (DMap)") && Shown("Displacement Map Presets"));
    EXPECT_FALSE(Shown("Load STL Mesh"));
    Click("New DMaps");
    PlainPresetThumbnails();
    ExpectPanelLooksLike("baseshape_editor_shape_dmap");
    ChooseKind(60);
    EXPECT_TRUE(Shown("Load STL Mesh") && Shown("Clear Mesh"));
    ChooseKind(58);
    EXPECT_TRUE(Shown("Load STL Mesh") && Shown("Clear Mesh"));
    EXPECT_FALSE(Shown("Load DMap") || Shown("Interior Type"));
    ExpectPanelLooksLike("baseshape_editor_shape_mesh");
    ChooseTab(kBsColorsTab);
    EXPECT_FALSE(Shown("Use Surface Texture") || Shown("Surface Texture Presets"));
    EXPECT_EQ(Current().useTexture, 0);  // the mesh kind cannot be texture-coloured
}

TEST_F(BaseShapeEditorProgram, NewDeleteCloneUndoAndTheLimitOf64)
{
    Click("New (Baseshapes)");
    ASSERT_EQ(gBaseshapeCount, 2);
    EXPECT_EQ(gCurrentBaseshape, 1);
    EXPECT_FLOAT_EQ(gBaseshapes[0].probability + gBaseshapes[1].probability, 1.0f);
    gBaseshapes[1].position[0] = 0.75f;
    Click("# (Baseshapes)");
    ASSERT_EQ(gCurrentBaseshape, 0);
    Click("Clone");
    EXPECT_EQ(gBaseshapeCount, 3);
    EXPECT_EQ(gCurrentBaseshape, 0);  // the source stays current
    char status[256];
    int width = 0;
    CopyStatusText(status, sizeof status, &width);
    EXPECT_STREQ(status, "Talvoran :  Baseshape 0 Cloned");
    Click("Delete (Baseshapes)");
    EXPECT_EQ(gBaseshapeCount, 2);
    EXPECT_EQ(gBaseshapes[0].position[0], 0.75f);  // the one below moved up
    Click("Undo (Baseshapes)");
    EXPECT_EQ(gBaseshapeCount, 3);
    EXPECT_EQ(gBaseshapes[0].position[0], 0.0f);
    EXPECT_EQ(gBaseshapes[1].position[0], 0.75f);

    // New and Clone stop at 64 baseshapes.
    for (int i = gBaseshapeCount; i < 63; ++i) InitNewBaseshape(E().defaults, i);
    gBaseshapeCount = 63;
    Click("New (Baseshapes)");
    EXPECT_EQ(gBaseshapeCount, 64);
    Click("New (Baseshapes)");
    Click("Clone");
    EXPECT_EQ(gBaseshapeCount, 64);
    EXPECT_FLOAT_EQ(gBaseshapes[63].probability, 1.0f / 64.0f);

    // The last one deleted closes the edit widgets.
    gBaseshapeCount = 1;
    gCurrentBaseshape = 0;
    Click("Delete (Baseshapes)");
    EXPECT_EQ(gBaseshapeCount, 0);
    EXPECT_EQ(gUseBaseshapes, 0);
    EXPECT_FALSE(Shown("Shape") || Shown("Show Baseshape"));
    EXPECT_TRUE(Shown("New (Baseshapes)"));
}

// A file that gives out at a cut after it was opened: shrunk to that size
// at the reader's first read, or a device whose reads fail from there on.
struct GivingOut {
    static inline std::string shrink;  // the file to shrink, "" once done or for a failing device
    static inline uint64_t at = 0;
    static long Read(int fd, uint8_t* to, size_t n, uint64_t offset)
    {
        if (!shrink.empty()) {
            fs::resize_file(shrink, at);
            shrink.clear();
            return ReadFromFileAt(fd, to, n, offset);
        }
        if (offset >= at) return -1;
        return ReadFromFileAt(fd, to, static_cast<size_t>(std::min<uint64_t>(n, at - offset)), offset);
    }
};

// A baseshape file whose read gives out inside a displacement map, a mesh
// or a texture (past the reader's first window) is refused by "Load" and
// "Append" with a status line, and the baseshapes stay as they were. The
// caller keeps gFileReadAt.
void FilesThatGiveOutChangeNothing()
{
    // One baseshape a file; its block follows the count and 182 bytes of fields.
    const struct {
        const char* name;
        int kind;
        bool texture;
        uint64_t cut;
    } files[] = {{"dmap.bsf", 49, false, 4 + 182 + 268 + 100},
                 {"mesh.bsf", 58, false, 4 + 182 + 264 + 20},
                 {"texture.bsf", 1, true, 4 + 182 + 268 + 70000}};
    const fs::path picture = gDir / "large.bmp";
    WriteBmp(picture, 160, 160, std::vector<uint8_t>(160 * 160 * 3, 77));
    for (const auto& f : files) {
        ChooseKind(f.kind);
        if (f.texture) {
            ChooseTab(kBsColorsTab);
            Click("Use Surface Texture");
            gDialogs.QueueFile(picture.string());
            Click("Load (Texture)");
            ASSERT_EQ(gBaseshapeTextures[gCurrentBaseshape].width, 160u);
            ChooseTab(kBsShapeTab);
        }
        gDialogs.QueueFile((gDir / f.name).string());
        Click("Save Baseshape");
        ASSERT_GT(fs::file_size(gDir / f.name), f.cut) << f.name;
    }
    Click("New (Baseshapes)");
    const std::vector<uint8_t> before = BaseshapeState();
    gFileReadAt = GivingOut::Read;
    for (const auto& f : files) {
        for (const char* button : {"Load (Baseshapes)", "Append"}) {
            for (const bool shrink : {true, false}) {
                const fs::path path = gDir / (std::string("cut_") + f.name);
                fs::copy_file(gDir / f.name, path, fs::copy_options::overwrite_existing);
                GivingOut::shrink = shrink ? path.string() : "";
                GivingOut::at = f.cut;
                gDialogs.QueueFile(path.string());
                Click(button);
                EXPECT_EQ(gStatusText, "Talvoran :   Cannot read cut_" + std::string(f.name) +
                                           ": it changed or gave a read error.") << button;
                EXPECT_TRUE(BaseshapeState() == before) << f.name << " " << button << (shrink ? " shrunk" : " failed");
            }
        }
    }
    EXPECT_EQ(gFileOperationBusy.load(), 0);
    gProgram.Frames(1);
    Shot("baseshapes_gave_out");
}

// Save, Load, Append and "Save Baseshape" through the dialogs; files that
// give out while they are read change nothing; the append that would pass
// 64 changes nothing.
TEST_F(BaseShapeEditorProgram, BaseshapeFiles)
{
    Click("New (Baseshapes)");
    gBaseshapes[1].position[1] = 0.5f;
    const fs::path two = gDir / "two.bsf", one = gDir / "one.bsf";
    gDialogs.QueueFile(two.string());
    Click("Save (Baseshapes)");
    gDialogs.QueueFile(one.string());
    Click("Save Baseshape");
    ASSERT_TRUE(fs::exists(two) && fs::exists(one));
    EXPECT_EQ(fs::file_size(one), 239u);  // one new sphere

    gDialogs.QueueFile(one.string());
    Click("Load (Baseshapes)");
    EXPECT_EQ(gBaseshapeCount, 1);
    gDialogs.QueueFile(two.string());
    Click("Append");
    EXPECT_EQ(gBaseshapeCount, 3);
    EXPECT_EQ(gCurrentBaseshape, 1);
    EXPECT_EQ(gBaseshapes[2].position[1], 0.5f);
    EXPECT_TRUE(Shown("Shape"));

    Keep(gFileReadAt);
    FilesThatGiveOutChangeNothing();
    gFileReadAt = ReadFromFileAt;

    for (int i = gBaseshapeCount; i < 63; ++i) InitNewBaseshape(E().defaults, i);
    gBaseshapeCount = 63;
    gDialogs.QueueFile(two.string());
    Click("Append");
    EXPECT_EQ(gBaseshapeCount, 63);
    gBaseshapeCount = 62;
    gDialogs.QueueFile(two.string());
    Click("Append");
    EXPECT_EQ(gBaseshapeCount, 64);
}

// The colour table as a ".map" file; a folder that cannot take it gives the
// "Warning" box, no file and the busy byte let go.
TEST_F(BaseShapeEditorProgram, GradientSave)
{
    ChooseTab(kBsColorsTab);
    Click("Use Gradient");
    ASSERT_TRUE(Shown("Save (Gradient)"));
    const fs::path map = gDir / "ramp.map";
    gDialogs.QueueFile(map.string());
    Click("Save (Gradient)");
    std::ifstream in(map);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "255 0 106");  // colour 0 of the wheel a new baseshape starts with
    int lines = 1;
    for (std::string line; std::getline(in, line);) ++lines;
    EXPECT_EQ(lines, 256);

    const fs::path nowhere = gDir / "missing" / "ramp.map";
    gDialogs.QueueFile(nowhere.string());
    gDialogs.QueueAnswer(MessageAnswer::Ok);
    Click("Save (Gradient)");
    EXPECT_EQ(gDialogs.Prompts().back().message.caption, "Warning");
    EXPECT_FALSE(fs::exists(nowhere));
    EXPECT_EQ(gFileOperationBusy.load(), 0);
}

// "Tr." "0" with "Move All", the fixed rotations, the wheel on each shear
// row and the axis presets of the animation.
TEST_F(BaseShapeEditorProgram, PlacementRotationsAndAxes)
{
    Click("New (Baseshapes)");
    gBaseshapes[0].position[0] = 0.5f;
    gBaseshapes[1].position[0] = 1.0f, gBaseshapes[1].position[1] = 1.0f;
    ComputeBaseshapeMatrix(1);
    Click("# (Baseshapes)");
    ChooseTab(kBsControlsTab);
    Click("Move All");
    Click("Tr. (Baseshapes)", 0);
    EXPECT_EQ(gBaseshapes[0].position[0], 0.0f);
    EXPECT_EQ(gBaseshapes[1].position[0], 0.5f);
    EXPECT_EQ(gBaseshapes[1].position[1], 1.0f);
    EXPECT_EQ(gBaseshapes[1].glMatrix[12], 0.5f);
    EXPECT_EQ(E().transRow, 4);  // back to "F"

    const float plusX[9] = {1, 0, 0, 0, 0, -1, 0, 1, 0};
    Click("FRot", 7);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(Current().rotation[k], plusX[k]) << k;
    Click("FRot", 0);  // "Rf"
    for (int k = 0; k < 9; ++k) EXPECT_EQ(Current().rotation[k], -plusX[k]) << k;
    Click("FRot", 0);  // again: back
    EXPECT_EQ(Current().rotation[5], -1.0f);

    // A notch on shear row r changes scaleShear element 3, 6, 1, 7, 2, 5.
    const int kElements[6] = {3, 6, 1, 7, 2, 5};
    int x = 0, y = 0;
    float before[9];
    for (int r = 0; r < 6; ++r) {
        std::copy(std::begin(Current().scaleShear), std::end(Current().scaleShear), before);
        ControlRowPoint(*Find("Shear (Baseshapes)"), r, &x, &y);
        gProgram.Wheel(x, y, 1);
        for (int k = 0; k < 9; ++k)
            EXPECT_NEAR(Current().scaleShear[k] - before[k], k == kElements[r] ? 0.1f : 0.0f, 1e-6f) << r << " " << k;
    }
    // A drag on a shear row moves the element its notch moves.
    std::copy(std::begin(Current().scaleShear), std::end(Current().scaleShear), before);
    ControlRowPoint(*Find("Shear (Baseshapes)"), 4, &x, &y);  // "ZX"
    gProgram.Drag(x, y, x + 40, y);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(Current().scaleShear[k] != before[k], k == 2) << k;
    Click("Uniform (Baseshapes)");
    ControlRowPoint(*Find("Scale (Baseshapes)"), 1, &x, &y);
    gProgram.Wheel(x, y, -1);
    EXPECT_NEAR(Current().scaleShear[0], 0.9f, 1e-6f);
    EXPECT_EQ(Current().scaleShear[8], Current().scaleShear[4]);

    ChooseTab(kBsAnimationTab);
    Click("Axis (Rotation)", 5);  // "+Z"
    EXPECT_EQ(gBaseshapeSpin[0][2], 1.0f);
    Click("Axis (Movement)", 1);  // "XZ": the rotation's second column
    for (int k = 0; k < 3; ++k) EXPECT_EQ(gBaseshapeMoveDirection[0][k], Current().rotation[3 * k + 1]) << k;
}

// The pages and rows follow the kind; the wheel moves a row by its step.
TEST_F(BaseShapeEditorProgram, ParameterPagesFollowTheKind)
{
    ChooseKind(118);
    EXPECT_EQ(ControlRows(*Find("Parameter Pages")), 1);
    ChooseKind(63);
    ASSERT_EQ(ControlRows(*Find("Parameter Pages")), 3);
    Click("Parameter Pages", 2);
    ASSERT_TRUE(Shown("Parameters 3"));
    EXPECT_EQ(ControlRows(*Find("Parameters 3")), 1);
    int x = 0, y = 0;
    ControlRowPoint(*Find("Parameters 3"), 0, &x, &y);
    gProgram.Wheel(x, y, 1);
    EXPECT_NEAR(gBaseshapeEditPoints[0].p[8], 0.1f + 0.01f, 1e-6f);  // a notch away raises it
    EXPECT_EQ(gBaseshapePointTemplates[0].p[8], gBaseshapeEditPoints[0].p[8]);

    ChooseKind(99);
    EXPECT_EQ(E().page, 0);
    ControlRowPoint(*Find("Parameters 1"), 0, &x, &y);
    gProgram.Drag(x, y, x + 100, y);
    EXPECT_GT(Current().pointsPerRun, 0u);
    EXPECT_EQ(static_cast<float>(Current().pointsPerRun), E().parameterPages[0].Value(0) - std::fmod(E().parameterPages[0].Value(0), 1.0f));
    Click("Random");
    const float sides = gBaseshapeEditPoints[0].p[2];
    EXPECT_EQ(sides, std::trunc(sides));
    EXPECT_GE(sides, 3.0f);
    EXPECT_LE(sides, 12.0f);
}

// A left drag in the 3-D preview moves the current baseshape across the
// front view; "Undo" puts it back.
TEST_F(BaseShapeEditorProgram, EditDragInThePreviewAndUndo)
{
    ASSERT_EQ(gScreenState.load(), kScreenPreview3D);
    gProgram.Drag(1116, 576, 1116 + 208, 576 + 104, 8);
    EXPECT_NEAR(Current().position[0], 0.5f, 0.05f);
    EXPECT_NEAR(Current().position[1], 0.25f, 0.05f);
    EXPECT_EQ(Current().glMatrix[12], Current().position[0]);
    Click("Undo (Baseshapes)");
    EXPECT_EQ(Current().position[0], 0.0f);
}

// Pixels of the 3-D preview in the wireframes' red or dark green.
int PreviewPixels(bool red)
{
    int width = 0, height = 0;
    const std::vector<uint8_t> rgb = gProgram.Screenshot(&width, &height);
    const float sx = static_cast<float>(width) / 1600.0f, sy = static_cast<float>(height) / 1000.0f;
    int count = 0;
    for (int y = static_cast<int>(8 * sy); y < static_cast<int>(840 * sy); ++y)
        for (int x = static_cast<int>(700 * sx); x < static_cast<int>(1532 * sx); ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            count += red ? p[0] > 160 && p[1] < 64 && p[2] < 64 : p[0] < 40 && p[1] > 100 && p[1] < 160 && p[2] < 40;
        }
    return count;
}

// Every baseshape shows in the 3-D preview where it lies, the current one
// red while the editor's page is up and dark green like the others on
// another page.
TEST_F(BaseShapeEditorProgram, WireframesInThePreview)
{
    for (int kind : {2, 120}) {
        Click("New (Baseshapes)");
        ChooseKind(kind);
    }
    gProgram.Drag(1116, 576, 1116 + 150, 576 - 150, 8);  // the cube down and right
    Click("# (Baseshapes)");
    gProgram.Drag(1116, 576, 1116 - 150, 576 + 150, 8);  // the torus up and left
    ASSERT_EQ(gBaseshapes[1].shapeType, 2);
    gProgram.Frames(3);
    const int red = PreviewPixels(true), green = PreviewPixels(false);
    Click("Baseshapes", kPageTransformations);
    gProgram.Frames(3);
    EXPECT_GT(red - PreviewPixels(true), 500);
    EXPECT_GT(PreviewPixels(false) - green, 500);
    Click("Baseshapes", kPageBaseshapes);
}

// Reads counted, for a file that must not be read whole.
struct CountedReads {
    static inline uint64_t bytes = 0;
    static long Read(int fd, uint8_t* to, size_t n, uint64_t offset)
    {
        const long got = ReadFromFileAt(fd, to, n, offset);
        bytes += static_cast<uint64_t>(std::max(got, 0L));
        return got;
    }
};

// "Load STL Mesh" refuses what is no STL though it starts with "solid" (random
// bytes, a binary file a byte short, 1.5 GB of zeros, read only at its head)
// and keeps the mesh; a text file without a facet gives the default triangle
// and says so; a binary file with "solid" in its header loads as binary; a
// text file with its keywords across column 1,023 keeps its two facets apart,
// as does one in capitals with CR line ends and NULs after "endsolid".
// The caller keeps gFileReadAt.
void StlFilesThatAreNoMeshesChangeNothing()
{
    ChooseKind(58);
    const BaseshapeMesh& mesh = gBaseshapeMeshes[gCurrentBaseshape];
    auto load = [](const fs::path& path, const std::string& bytes) {
        if (!bytes.empty()) WriteFile(path, bytes);
        gDialogs.QueueFile(path.string());
        Click("Load STL Mesh");
        return std::string(gStatusText);
    };
    auto facet = [](int z) {
        return "facet normal 0 0 1\n outer loop\n  vertex 0 0 " + std::to_string(z) + "\n  vertex 2 0 " +
               std::to_string(z) + "\n  vertex 0 2 " + std::to_string(z) + "\n endloop\nendfacet\n";
    };
    // Two facets of a binary file whose header begins with "solid".
    std::string binary(84 + 2 * 50, '\0');
    binary.replace(0, 14, "solid exported");
    binary[80] = 2;
    const float corners[18] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 3, 1, 0, 3, 0, 1, 3};
    std::memcpy(&binary[84 + 12], corners, 36), std::memcpy(&binary[134 + 12], corners + 9, 36);
    load(gDir / "binary.stl", binary);
    ASSERT_EQ(mesh.triangleCount, 2u);
    EXPECT_NE(mesh.vertices[2], mesh.vertices[11]) << "the facets' planes";

    std::mt19937 r(62);
    std::string random = "solid ";
    for (int k = 0; k < 4096; ++k) random += static_cast<char>(r());
    const fs::path sparse = gDir / "sparse.stl";
    WriteFile(sparse, "solid big\n");
    fs::resize_file(sparse, uint64_t{3} << 29);  // 1.5 GB, a hole after its first line
    gFileReadAt = CountedReads::Read;
    const std::vector<uint8_t> before = BaseshapeState();
    const std::pair<const char*, std::string> refused[] = {
        {"random.stl", random}, {"short.stl", binary.substr(0, binary.size() - 1)}, {"sparse.stl", ""}};
    for (const auto& [name, bytes] : refused) {
        CountedReads::bytes = 0;
        EXPECT_EQ(load(gDir / name, bytes).rfind("Talvoran :   " + std::string(name) + " is not an STL file we can open: ", 0),
                  0u) << gStatusText;
        EXPECT_TRUE(BaseshapeState() == before) << name;
        EXPECT_LT(CountedReads::bytes, 1u << 20) << name;
    }
    gProgram.Frames(1);
    Shot("stl_refused");

    const std::string deep(1018, ' ');  // the keywords across column 1,023
    std::string far = "solid deep\n" + facet(0) + facet(4) + "endsolid deep\n";
    for (const char* keyword : {"facet normal 0 0 1\n", "vertex 0 0 4", "endfacet\nfacet"}) far.insert(far.find(keyword), deep);
    load(gDir / "deep.stl", far);
    ASSERT_EQ(mesh.triangleCount, 2u);
    EXPECT_TRUE(mesh.vertices[2] == mesh.vertices[8] && mesh.vertices[11] == mesh.vertices[17]) << "each facet in its plane";
    EXPECT_NE(mesh.vertices[2], mesh.vertices[11]);

    // Capitals, CR line ends and NUL padding after "endsolid", as some writers leave them.
    const std::vector<float> deepMesh(mesh.vertices, mesh.vertices + 18);
    std::string old = "SOLID OLD\r" + facet(0) + facet(8) + "ENDSOLID OLD\r" + std::string(300, '\0');
    for (char& c : old) c = c == '\n' ? '\r' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    load(gDir / "old_mac.stl", old);
    ASSERT_EQ(mesh.triangleCount, 2u) << gStatusText;
    EXPECT_NE(std::vector<float>(mesh.vertices, mesh.vertices + 18), deepMesh) << gStatusText;
    gProgram.Frames(1);
    Shot("stl_old_mac");
    EXPECT_TRUE(mesh.vertices[2] == mesh.vertices[8] && mesh.vertices[11] == mesh.vertices[17]) << "each facet in its plane";
    EXPECT_NE(mesh.vertices[2], mesh.vertices[11]);

    EXPECT_EQ(load(gDir / "empty.stl", "solid empty\nendsolid empty\n"),
              "Talvoran :   empty.stl holds no facet: the mesh is the default triangle.");
    EXPECT_EQ(std::vector<float>(mesh.vertices, mesh.vertices + 9 * mesh.triangleCount),
              std::vector<float>(kDefaultBaseshapeTriangle, kDefaultBaseshapeTriangle + 9));
    EXPECT_EQ(gFileOperationBusy.load(), 0);
}

// "Load STL Mesh", "Clear Mesh", "Load DMap" and "Load (Texture)" through
// their dialogs: the worked facet centred, scaled and mirrored; a file
// shorter than its facet count refused with nothing changed, and the files
// that are no meshes above; the map's border of its kind; the texture's
// bottom row first.
TEST_F(BaseShapeEditorProgram, MeshesAndPicturesLoadThroughTheirButtons)
{
    ChooseKind(58);
    const BaseshapeMesh& mesh = gBaseshapeMeshes[gCurrentBaseshape];
    const fs::path facet = gDir / "facet.stl", shortFile = gDir / "short.stl";
    WriteFile(facet, "solid one\nfacet normal 0 0 1\n outer loop\n  vertex 0 0 0\n  vertex 2 0 0\n  vertex 0 2 0\n"
                     " endloop\nendfacet\nendsolid one\n");
    std::string binary(84 + 50, '\0');
    binary[80] = 2;  // two facets said, one there
    WriteFile(shortFile, binary);
    gDialogs.QueueFile(facet.string());
    Click("Load STL Mesh");
    const float expected[9] = {-0.7071068f, 0.7071068f, 0, 0.7071068f, 0.7071068f, 0, -0.7071068f, -0.7071068f, 0};
    ASSERT_EQ(mesh.triangleCount, 1u);
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(mesh.vertices[k], expected[k], 1e-6f) << k;
    gDialogs.QueueFile(shortFile.string());
    Click("Load STL Mesh");
    EXPECT_NEAR(mesh.vertices[0], expected[0], 1e-6f) << "the refused file changed the mesh";
    char status[256];
    int width = 0;
    CopyStatusText(status, sizeof status, &width);
    EXPECT_EQ(std::string(status).rfind("Talvoran :   short.stl is not an STL file", 0), 0u) << status;
    Keep(gFileReadAt);
    StlFilesThatAreNoMeshesChangeNothing();
    Click("Clear Mesh");
    EXPECT_EQ(std::vector<float>(mesh.vertices, mesh.vertices + 9),
              std::vector<float>(kDefaultBaseshapeTriangle, kDefaultBaseshapeTriangle + 9));

    ChooseKind(49);  // its maps lose the first and last row and column
    const fs::path map = gDir / "map.bmp";
    WriteBmp(map, 4, 3, std::vector<uint8_t>(36, 90));
    gDialogs.QueueFile(map.string());
    Click("Load DMap");
    const BaseshapeImage& heights = gBaseshapeDMaps[gCurrentBaseshape];
    ASSERT_EQ(heights.width * 10 + heights.height, 43u);
    EXPECT_EQ(std::vector<uint8_t>(heights.pixels, heights.pixels + 12),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 90, 90, 0, 0, 0, 0, 0}));

    ChooseKind(1);
    ChooseTab(kBsColorsTab);
    Click("Use Surface Texture");
    const fs::path picture = gDir / "picture.bmp";
    WriteBmp(picture, 1, 2, {255, 0, 0, 0, 200, 0});  // red above green
    gDialogs.QueueFile(picture.string());
    Click("Load (Texture)");
    const BaseshapeImage& texture = gBaseshapeTextures[gCurrentBaseshape];
    ASSERT_EQ(texture.width * 10 + texture.height, 12u);
    EXPECT_EQ(std::vector<uint8_t>(texture.pixels, texture.pixels + 6), (std::vector<uint8_t>{0, 200, 0, 255, 0, 0}));
    EXPECT_EQ(gFileOperationBusy.load(), 0);
}

// One quarter turn R about y: the preview's glMatrix becomes M R (column 0
// is the old column 2), the sampled matrix Rt M (row 0 the old row 2).
void ExpectQuarterTurn(const float* before, const float* after, bool preview)
{
    const int stride = preview ? 4 : 3;
    for (int k = 0; k < 3; ++k) {
        const int turned = preview ? stride * k : k, from = preview ? stride * k + 2 : 2 * stride + k;
        const int kept = preview ? stride * k + 1 : stride + k;
        EXPECT_NEAR(after[turned], before[from], 1e-5f) << k;
        EXPECT_NEAR(after[kept], before[kept], 1e-5f) << k;
    }
}

// "Number of Frames by Cycle" at 4 turns the 3-D preview a quarter every
// hundredth frame and leaves the sampled shape alone; with "Enable Preview
// Animations" the point preview turns the sampled shape a quarter a step.
TEST_F(BaseShapeEditorProgram, ASpinTurnsTheBaseshapeInBothPreviews)
{
    ChooseTab(kBsAnimationTab);
    int x = 0, y = 0;
    ControlRowPoint(*Find("Number of Frames by Cycle"), 0, &x, &y);
    for (int notch = 0; notch < 4; ++notch) gProgram.Wheel(x, y, 1);
    ASSERT_EQ(gBaseshapeSpin[0][3], 4.0f);
    ASSERT_EQ(gBaseshapeSpin[0][1], 1.0f);
    const BaseshapeRecord before = Current();
    const int frame = gBaseshapeAnimationFrame;
    ASSERT_TRUE(FramesUntil([&] { return gBaseshapeAnimationFrame != frame; }, 150));
    ExpectQuarterTurn(before.glMatrix, Current().glMatrix, true);
    EXPECT_TRUE(std::equal(before.matrix, before.matrix + 9, Current().matrix));

    CloseEditor();
    ASSERT_EQ(gScreenState.load(), kScreenPointPreview);
    gProgram.GoTo(kTabAnimation);
    gProgram.ClickControl(AnimationControls(), "Enable Preview Animations");
    ASSERT_EQ(gPanel.previewAnimations, 1);
    const int step = gBaseshapeAnimationFrame;
    ASSERT_TRUE(FramesUntil([&] { return gBaseshapeAnimationFrame != step; }, 2000));
    ExpectQuarterTurn(before.matrix, Current().matrix, false);
    gProgram.ClickControl(AnimationControls(), "Enable Preview Animations");
    EXPECT_EQ(gPanel.previewAnimations, 0);
}

// The share of the render's pixels that one picture hits and the other not.
double Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    size_t differ = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) differ += a[i] != b[i] ? 1 : 0;
    return a.empty() ? 0.0 : static_cast<double>(differ) / static_cast<double>(a.size());
}

// The window after a render from the "Render" button.
std::vector<uint8_t> Render()
{
    Click("Fractals", kTabFractals);
    Click("Render");
    if (ButtonEnabled(kButtonYes)) Click("Yes");  // the earlier render is erased
    gProgram.Frames(200);
    Click("Stop");
    gProgram.Frames(5);
    return gProgram.Screenshot();
}

// Open the editor, add a second baseshape, change its kind and a
// parameter, render: the picture changes.
TEST_F(BaseShapeEditorProgram, AnEditedBaseshapeRendersAnotherPicture)
{
    CloseEditor();
    const std::vector<uint8_t> before = Render();
    OpenBaseshapeEditor();
    Click("New (Baseshapes)");
    ASSERT_EQ(gBaseshapeCount, 2);
    ChooseKind(2);
    ASSERT_EQ(Current().shapeType, 2);
    int x = 0, y = 0;
    ControlRowPoint(*Find("Parameters 1"), 1, &x, &y);  // "Radius"
    for (int n = 0; n < 3; ++n) gProgram.Wheel(x, y, 1);
    EXPECT_NEAR(gBaseshapePointTemplates[1].size, 0.8f, 1e-5f);
    Click("Show Baseshape");
    gProgram.Drag(1116, 576, 1116 + 208, 576, 8);  // to the right in the front view
    CloseEditor();
    const std::vector<uint8_t> after = Render();
    EXPECT_GT(Difference(before, after), 0.01);
}

// The preview's covered pixels after a render: their share of the preview,
// the share of them that is pure white, and the spread of their brightness
// (tenth to ninetieth percentile).
struct PreviewShades {
    double lit = 0.0, white = 0.0;
    int spread = 0;
};
PreviewShades Shades(const std::vector<uint8_t>& rgb)
{
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    const float sx = static_cast<float>(width) / 1600.0f, sy = static_cast<float>(height) / 1000.0f;
    std::vector<int> brightness;
    int all = 0, white = 0;
    for (int y = static_cast<int>(8 * sy); y < static_cast<int>(840 * sy); ++y)
        for (int x = static_cast<int>(700 * sx); x < static_cast<int>(1532 * sx); ++x, ++all) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            if (p[0] + p[1] + p[2] < 30) continue;
            brightness.push_back(p[0] + p[1] + p[2]);
            white += p[0] == 255 && p[1] == 255 && p[2] == 255;
        }
    PreviewShades s;
    if (brightness.empty()) return s;
    std::sort(brightness.begin(), brightness.end());
    s.lit = static_cast<double>(brightness.size()) / all;
    s.white = static_cast<double>(white) / static_cast<double>(brightness.size());
    s.spread = (brightness[brightness.size() * 9 / 10] - brightness[brightness.size() / 10]) / 3;
    return s;
}

// A new baseshape of the default kind, rendered from the "Render" button
// with the editor closed, shows lit by the material and shaded over its
// surface, not as a flat white disc.
TEST_F(BaseShapeEditorProgram, ANewBaseshapeRendersLitAndShaded)
{
    CloseEditor();
    const PreviewShades s = Shades(Render());
    EXPECT_GT(s.lit, 0.02);
    EXPECT_LT(s.white, 0.05);
    EXPECT_GT(s.spread, 30);
}

}  // namespace
