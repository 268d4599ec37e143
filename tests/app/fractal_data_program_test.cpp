// "Save Fractal", "Load Fractal", "Save Buffers", "Load Buffers", "Save
// Script" and "Load Script" pressed where they are drawn in the running
// program, the files chosen through the dialog seam.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/buffer_resize.h"
#include "app/control_tables.h"
#include "app/fractal_data_actions.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/render_control.h"
#include "app/status_line_drawing.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "editors/baseshape_editor.h"
#include "engine/kernel_framework.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_record.h"
#include "engine/file_dialogs.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/script_program.h"
#include "engine/status_line.h"
#include "files/fractal_data_file.h"
#include "files/material_settings.h"
#include "platform/desktop/platform_events.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "ui/panel_pages.h"

namespace fs = std::filesystem;

namespace {

std::string Status() { return gStatusText; }
std::string PathOf(const char* name) { return (gDir / name).string(); }

void PressFractals(const char* name)
{
    gProgram.GoTo(kTabFractals);
    ASSERT_TRUE(gProgram.ClickControl(FractalsControls(), name)) << name;
    gProgram.Frames(2);
}

// What a load changes, as bytes: records, counts, published weights, type,
// view, symmetry, baseshapes, colours, materials and the render size.
// The model's bytes, and the material values compared field by field (a
// struct returned by value leaves its padding to the compiler).
struct ModelState {
    std::vector<uint8_t> bytes;
    MaterialValues material;
    bool operator==(const ModelState& o) const { return bytes == o.bytes && material == o.material; }
};
std::ostream& operator<<(std::ostream& out, const ModelState& m) { return out << m.bytes.size() << " model bytes"; }

ModelState Model()
{
    std::vector<uint8_t> s;
    auto add = [&s](const auto& value) {
        const auto* b = reinterpret_cast<const uint8_t*>(&value);
        s.insert(s.end(), b, b + sizeof value);
    };
    // Records past the count are not in the file.
    for (int t = 0; t < gTransformCount; ++t) {
        const TransformRecord& r = gTransforms[t];
        add(r.variationOn), add(r.variationAmount), add(r.position), add(r.rotation), add(r.scaleShear), add(r.weight);
        add(gTransformWeights[t]);
    }
    add(gTransformCount), add(gPickTransformCount), add(gFractalType), add(gTransformColors);
    add(gForbiddenSuccessors), add(gCameraRotation), add(gViewCentre), add(gViewScale), add(gSymmetryMode);
    add(gSymmetryOn), add(gBaseshapeCount), add(gImageWidth), add(gImageHeight), add(gLightTrackBallA);
    for (int i = 0; i < gBaseshapeCount; ++i) add(gBaseshapes[i]);
    return {s, CaptureMaterialValues()};
}

// The preview of the window's last frame, RGB rows from the top; the whole
// window kept in gDir under name.
std::vector<uint8_t> Preview(const char* name)
{
    const WindowPicture screen = Shot();
    screen.Write(PathOf(name));
    return screen.Preview();
}

// Renders of 512 x 512 keep the tests short; the start-up size is 2048 x 2048.
void StartProgram(bool at512)
{
    std::string error;
    ASSERT_TRUE(gProgram.Start(&error)) << "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " << error;
    WaitForPointPreview();
    if (at512) UseSmallRenders();
}

// The program is started for each test, as one of them starts it afresh.
class FractalDataProgram : public ProgramTest {
protected:
    static void SetUpTestSuite() { UseOwnFolder("talvoran_fractal_data_"); }
    void SetUp() override
    {
        Keep(gRenderCycleLimit);
        StartProgram(true);
    }
    void TearDown() override
    {
        EXPECT_EQ(gDialogs.PendingAnswers(), 0u);
        ProgramTest::TearDown();
        gProgram.Stop();
    }
};

// "Continue" for the given cycles, then "Stop".
void ContinueCycles(uint64_t cycles)
{
    LimitRenderCycles(cycles);
    gProgram.ClickControl(WindowBottomControls(), "Continue");
    ASSERT_EQ(gRenderRunFlag.load(), 1);
    ASSERT_TRUE(WaitForRenderCycles());
    gProgram.ClickControl(WindowBottomControls(), "Stop");
    gProgram.Frames(2);
}

// Depth only grows while the same render goes on: every point of it is
// still there or nearer.
bool EveryPointKeptOrNearer(const std::vector<float>& depth)
{
    for (size_t p = 0; p < depth.size(); ++p)
        if (gDepthBuffer[p] < depth[p]) return false;
    return true;
}

// Save, change everything a file holds, load: the model is back, and the
// panels show the loaded type and size.
TEST_F(FractalDataProgram, ASavedFractalComesBackAfterEverythingChanged)
{
    const ModelState saved = Model();
    gDialogs.QueueFile(PathOf("scene.zdat"));
    PressFractals("Save Fractal");
    EXPECT_EQ(Status(), "Buffers Saved!");

    for (TransformRecord& r : gTransforms) r.scaleShear[0] *= 0.5f, r.weight += 0.25f, r.position[1] += 1.0f;
    gTransformCount = gPickTransformCount = 5;
    SetFractalType(12);
    gCameraRotation[1] = 0.5f, gViewCentre[2] = 3.0f, gViewScale *= 2.0f;
    gSymmetryMode = 12, gSymmetryOn = 1, gBaseshapeCount = 3;
    gTransformColors.r[1] = 7, gForbiddenSuccessors[0][0] = 2, gLightTrackBallA[0] = 0.3f;
    gShader.ambientIntensity[0] += 0.5f;
    ASSERT_TRUE(AllocateRenderBuffers(256, 128, false));
    ASSERT_NE(Model(), saved);

    gDialogs.QueueFile(PathOf("scene.zdat"));
    PressFractals("Load Fractal");
    EXPECT_TRUE(Model() == saved);
    EXPECT_EQ(Status(), "Buffers Loaded");
    EXPECT_EQ(FindControl(FractalsControls(), "Fractal Type")->Get(0), static_cast<float>(gFractalType));
    EXPECT_EQ(gPanel.renderSize[0], 512.0f);
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
    gProgram.Frames(3);
    EXPECT_TRUE(Model() == saved) << "the panels sent an old value back";
}

// A render saved while it runs, the program stopped and started afresh,
// the buffers loaded: the preview shows the same picture, and "Continue"
// adds to the loaded buffers.
TEST_F(FractalDataProgram, SavedBuffersGoOnAfterTheProgramStartsAgain)
{
    // At 2048 x 2048, saved at once: the render has covered part of the fractal.
    gProgram.Stop();
    StartProgram(false);
    PressRender();
    for (int frame = 0; frame < 3000 && DrawnPixels() < 40000; ++frame) gProgram.Frames(1);
    gDialogs.QueueFile(PathOf("render.zb3f"));
    PressFractals("Save Buffers");
    EXPECT_EQ(gRenderRunFlag.load(), 0);
    EXPECT_EQ(Status(), "Buffers Saved!");
    const std::vector<float> depth(gDepthBuffer, gDepthBuffer + 2048 * 2048);
    const size_t drawn = DrawnPixels();
    ASSERT_GE(drawn, 40000u);
    ASSERT_EQ(gImageWidth, 2048);
    // The preview shaded afresh from the buffers, as after a load (a running
    // render's preview is an average over its course).
    gProgram.ClickControl(WindowBottomControls(), "Preview");
    gProgram.Frames(60);
    const std::vector<uint8_t> before = Preview("saved_render.png");

    gProgram.Stop();
    StartProgram(true);
    ASSERT_EQ(DrawnPixels(), 0u);
    gDialogs.QueueFile(PathOf("render.zb3f"));
    PressFractals("Load Buffers");
    EXPECT_EQ(Status(), "Buffers Loaded");
    ASSERT_TRUE(std::equal(depth.begin(), depth.end(), gDepthBuffer));
    gProgram.ClickControl(WindowBottomControls(), "Preview");
    gProgram.Frames(60);
    const std::vector<uint8_t> after = Preview("loaded_render.png");
    EXPECT_GT(LitPixels(after, 24), 2000u);
    EXPECT_LT(DifferentShare(before, after), 0.01);

    ASSERT_TRUE(ButtonEnabled(kButtonContinue));
    ContinueCycles(5000);
    EXPECT_GT(DrawnPixels(), drawn);
    EXPECT_TRUE(EveryPointKeptOrNearer(depth)) << "Continue lost loaded points";
    Preview("continued_render.png");
}

// The memory for the stored size is not there: nothing changes, the render
// goes on, and the status line says why.
TEST_F(FractalDataProgram, ALoadThatCannotResizeChangesNothing)
{
    gDialogs.QueueFile(PathOf("small.zb3f"));
    PressFractals("Save Buffers");
    ASSERT_TRUE(AllocateRenderBuffers(256, 256, false));
    gProgram.GoTo(kTabCamera);
    LimitRenderCycles(5000);
    PressRender();
    ASSERT_TRUE(WaitForRenderCycles());
    Keep(gResizeAllocate);
    gResizeAllocate = [](int32_t, int32_t, bool) { return false; };
    gTransforms[0].weight = 0.125f;
    const ModelState model = Model();
    gDialogs.QueueFile(PathOf("small.zb3f"));
    PressFractals("Load Buffers");
    EXPECT_EQ(Status(), "Insufficient System Memory!");
    EXPECT_TRUE(Model() == model);
    EXPECT_EQ(gImageWidth, 256);
    EXPECT_GT(DrawnPixels(), 0u);
    EXPECT_EQ(gRenderRunFlag.load(), 1) << "the render was not resumed";
    gProgram.ClickControl(WindowBottomControls(), "Stop");
    gProgram.Frames(2);
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// head, then a hole up to tailAt, then tail: a file of tailAt + tail bytes
// that takes no disk for its hole.
void WriteSparse(const std::string& path, const std::vector<uint8_t>& head, uint64_t tailAt,
                 const std::vector<uint8_t>& tail)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path;
    EXPECT_EQ(::pwrite(fd, head.data(), head.size(), 0), static_cast<long>(head.size()));
    EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(tailAt + tail.size())), 0);
    if (!tail.empty()) {
        EXPECT_EQ(::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(tailAt)), static_cast<long>(tail.size()));
    }
    ::close(fd);
}

// The depth buffer as it stands.
std::vector<float> Depth()
{
    return std::vector<float>(gDepthBuffer, gDepthBuffer + size_t{static_cast<uint32_t>(gImageWidth)} * gImageHeight);
}

// "Save Buffers" of the program's 512 x 512 render into small.zb3f, and
// the same file made to hold a 3072 x 3072 render (its buffers a hole) as
// wide.zb3f; the bytes that file's buffers take once read.
size_t SaveSmallAndWideBuffers()
{
    gDialogs.QueueFile(PathOf("small.zb3f"));
    PressFractals("Save Buffers");
    const std::vector<uint8_t> small = ReadBytes(PathOf("small.zb3f"));
    auto doc = std::make_unique<FractalDataDocument>();
    EXPECT_EQ(ParseFractalDataFile(small.data(), small.size(), true, doc.get(), nullptr), FileParseStatus::kRead);
    EXPECT_EQ(gImageWidth, 512);
    EXPECT_EQ(gImageHeight, 512);
    // The buffers sit before the forbidden pairs at the end; all of them go
    // per pixel, 36 times as many at 3072 x 3072.
    const size_t pairs = 8 * static_cast<size_t>(doc->pickCount), block = doc->buffers.size;
    std::vector<uint8_t> head(small.begin(), small.end() - static_cast<long>(block + pairs));
    const uint32_t side[2] = {3072, 3072};
    std::memcpy(head.data() + 8, side, sizeof side);
    WriteSparse(PathOf("wide.zb3f"), head, head.size() + uint64_t{block} * 36,
                std::vector<uint8_t>(small.end() - static_cast<long>(pairs), small.end()));
    return block * 36;
}

#if !defined(TALVORAN_ADDRESS_SANITIZER) && !defined(TALVORAN_THREAD_SANITIZER)
// The sanitizers reserve terabytes of address space: only the plain build
// can limit it.
constexpr bool kAddressSpaceLimits = true;
#else
constexpr bool kAddressSpaceLimits = false;
#endif

// The process's address space limited to what it holds now and spare bytes
// more, until the object goes.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(size_t spare)
    {
        unsigned long pages = 0;
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        EXPECT_TRUE(statm != nullptr && std::fscanf(statm, "%lu", &pages) == 1);
        if (statm) std::fclose(statm);
        EXPECT_EQ(::getrlimit(RLIMIT_AS, &old_), 0);
        rlimit limit = old_;
        limit.rlim_cur = pages * static_cast<unsigned long>(::sysconf(_SC_PAGESIZE)) + spare;
        EXPECT_EQ(::setrlimit(RLIMIT_AS, &limit), 0);
    }
    ~AddressSpaceLimit() { EXPECT_EQ(::setrlimit(RLIMIT_AS, &old_), 0); }

private:
    rlimit old_{};
};

// A 4 GiB ".zb3f" of zeros and a sound one of a 3072 x 3072 render (its
// buffers a hole), "Load Buffers" pressed for each in a program with 64 MB
// of address space to spare: the first is refused from its head, the
// second's buffers cannot be had. Each says why; the model, the render and
// its buffers stay as they were.
TEST_F(FractalDataProgram, LargeFilesUnderAnAddressSpaceLimitChangeNothing)
{
    SaveSmallAndWideBuffers();
    WriteSparse(PathOf("zeros.zb3f"), {}, uint64_t{4} << 30, {});

    RenderCycles(5000);
    const ModelState model = Model();
    const std::vector<float> depth = Depth();
    ASSERT_GT(DrawnPixels(), 0u);
    std::vector<std::pair<const char*, const char*>> loads = {
        {"zeros.zb3f", "Talvoran :   zeros.zb3f is not a fractal data file: 0 pixels wide; the least is 16."},
    };
    // Only under the limit is the sound file refused.
    if (kAddressSpaceLimits) loads.emplace_back("wide.zb3f", "Insufficient System Memory!");
    {
        std::unique_ptr<AddressSpaceLimit> limit;
        if (kAddressSpaceLimits) limit = std::make_unique<AddressSpaceLimit>(64ul << 20);
        for (const auto& [name, status] : loads) {
            gDialogs.QueueFile(PathOf(name));
            PressFractals("Load Buffers");
            EXPECT_EQ(Status(), status) << name;
        }
    }
    Shot("large_buffers_refused");
    EXPECT_TRUE(Model() == model);
    EXPECT_TRUE(Depth() == depth) << "the render's buffers changed";
    EXPECT_EQ(gRenderExists, 1);
    EXPECT_TRUE(ButtonEnabled(kButtonContinue));
}

// What a render is: its size and its buffers.
struct RenderState {
    int32_t width, height;
    std::vector<float> depth;
    std::vector<uint8_t> colors;  // the colour index, then the R, G and B planes
    bool operator==(const RenderState&) const = default;
};

RenderState Render()
{
    const size_t pixels = size_t{static_cast<uint32_t>(gImageWidth)} * static_cast<uint32_t>(gImageHeight);
    RenderState r{gImageWidth, gImageHeight, Depth(), std::vector<uint8_t>(gColorIndexBuffer, gColorIndexBuffer + pixels)};
    for (const uint8_t* plane : gPointColorPlanes) r.colors.insert(r.colors.end(), plane, plane + pixels);
    return r;
}

// A 512 x 512 render, then sizes memory cannot hold beside it, asked for as
// a user asks: "Load Buffers" of a 3072 x 3072 render (with room for the
// file's buffers, not for the render's), and "*2" pressed to 3072 x 3072
// with "Change" (64 MB to spare). Each is refused and says why; the
// render keeps its size and buffers, "Continue" and the erase question,
// and "Continue" then goes on with it; "Change" pressed while it runs leaves
// it stopped as "Stop" does, to be continued. (The sanitizer builds, which cannot limit
// the address space, refuse sizes above 2048 in the allocator instead.)
TEST_F(FractalDataProgram, SizesMemoryCannotHoldKeepTheRender)
{
    const size_t wideBuffers = SaveSmallAndWideBuffers();
    RenderCycles(5000);
    const RenderState render = Render();
    ASSERT_GT(DrawnPixels(), 0u);
    ASSERT_TRUE(ButtonEnabled(kButtonContinue));
    if (!kAddressSpaceLimits) {
        Keep(gResizeAllocate);
        gResizeAllocate = [](int32_t w, int32_t h, bool aa) { return w <= 2048 && h <= 2048 && AllocateRenderBuffers(w, h, aa); };
    }
    // What a press draws for the first time is drawn before the limit: the
    // GL driver's own allocations are not what is tested.
    const struct {
        const char* what;
        size_t spare;
        std::function<void()> prepare, press;
    } asks[] = {
        {"Load Buffers", wideBuffers + (48ul << 20), [] { gDialogs.QueueFile(PathOf("wide.zb3f")); },
         [] { PressFractals("Load Buffers"); }},
        {"Change", 64ul << 20,
         [] {
             gProgram.GoTo(kTabCamera);
             for (int press = 0; press < 3; ++press) gProgram.ClickControl(CameraControls(), "*2");  // within 3072
             EXPECT_EQ(gPanel.renderSize[0] * 10000 + gPanel.renderSize[1], 3072.0f * 10000 + 3072.0f);
             gProgram.Frames(1);
         },
         [] {
             gProgram.ClickControl(CameraControls(), "Change");
             gProgram.Frames(2);
         }},
    };
    for (const auto& a : asks) {
        a.prepare();
        {
            std::unique_ptr<AddressSpaceLimit> limit;
            if (kAddressSpaceLimits) limit = std::make_unique<AddressSpaceLimit>(a.spare);
            a.press();
        }
        EXPECT_EQ(Status(), "Insufficient System Memory!") << a.what;
        EXPECT_TRUE(Render() == render) << a.what << ": the render changed";
        EXPECT_TRUE(ButtonEnabled(kButtonContinue)) << a.what;
        EXPECT_EQ(gRenderExists, 1) << a.what;
    }
    gProgram.Frames(2);
    Shot("resize_refused");

    ContinueCycles(2000);
    EXPECT_TRUE(EveryPointKeptOrNearer(render.depth)) << "Continue worked on other buffers";

    // "Change" while the render runs stops it as "Stop" does: refused, the
    // render is kept and "Continue" offered.
    gProgram.ClickControl(WindowBottomControls(), "Continue");
    ASSERT_EQ(gRenderRunFlag.load(), 1);
    ASSERT_TRUE(WaitForRenderCycles());
    {
        std::unique_ptr<AddressSpaceLimit> limit;
        if (kAddressSpaceLimits) limit = std::make_unique<AddressSpaceLimit>(64ul << 20);
        gProgram.ClickControl(CameraControls(), "Change");
        gProgram.Frames(2);
    }
    EXPECT_EQ(Status(), "Insufficient System Memory!");
    EXPECT_EQ(gRenderRunFlag.load(), 0);
    EXPECT_TRUE(ButtonEnabled(kButtonContinue)) << "the render that Change stopped cannot be continued";
    EXPECT_TRUE(EveryPointKeptOrNearer(render.depth)) << "the refused Change cleared the render";
}

// Every way out of every file action leaves the busy flag clear; the ways
// that load nothing leave the model as it was and say why.
TEST_F(FractalDataProgram, EveryWayOutClearsTheBusyFlag)
{
    gDialogs.QueueFile(PathOf("good.zdat"));
    PressFractals("Save Fractal");
    std::ifstream in(PathOf("good.zdat"), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string newer = bytes.str(), cut = bytes.str().substr(0, 3000);
    newer[0] = 32;
    WriteText(PathOf("newer.zdat"), newer);
    WriteText(PathOf("cut.zdat"), cut);
    fs::create_directories(gDir / "folder.prg");

    const struct {
        const char* what;
        std::function<void()> act;
        const char* status;  // part of the status line afterwards
        bool changes;        // the model may change
    } cases[] = {
        {"Save cancelled", [] { gDialogs.QueueFileCancel(); PressFractals("Save Fractal"); }, "Saves the fractal", false},
        {"Save refused by the folder",
         [] {
             gDialogs.QueueFile(PathOf("none/x.zdat"));
             gDialogs.QueueAnswer(MessageAnswer::Ok);
             PressFractals("Save Buffers");
         },
         "was not written", false},
        {"Load cancelled", [] { gDialogs.QueueFileCancel(); PressFractals("Load Fractal"); }, "no file was chosen", false},
        {"Load of a missing file", [] { gDialogs.QueueFile(PathOf("missing.zdat")); PressFractals("Load Fractal"); },
         "Cannot read missing.zdat", false},
        {"Load of a newer file",
         [] {
             gDialogs.QueueFile(PathOf("newer.zdat"));
             gDialogs.QueueAnswer(MessageAnswer::Ok);
             PressFractals("Load Fractal");
         },
         "Action cancelled.", false},
        {"Load of a cut file", [] { gDialogs.QueueFile(PathOf("cut.zdat")); PressFractals("Load Fractal"); },
         "cut.zdat is not a fractal data file", false},
        {"Load of parameters as buffers", [] { gDialogs.QueueFile(PathOf("good.zdat")); PressFractals("Load Buffers"); },
         "good.zdat is not a fractal data file", false},
        {"Load", [] { gDialogs.QueueFile(PathOf("good.zdat")); PressFractals("Load Fractal"); }, "Buffers Loaded", true},
        {"Script written", [] { gDialogs.QueueFile(PathOf("s.prg")); PressFractals("Save Script"); }, "Exports", false},
        {"Script save cancelled", [] { gDialogs.QueueFileCancel(); PressFractals("Save Script"); }, "Exports", false},
        {"Script of a type without one",
         [] {
             SetFractalType(22);
             WriteScriptFile();
         },
         "fractal type 22 has no script form", false},
        {"Script load cancelled", [] { gDialogs.QueueFileCancel(); PressFractals("Load Script"); }, "no file was chosen",
         false},
        {"Script load of a folder", [] { gDialogs.QueueFile(PathOf("folder.prg")); PressFractals("Load Script"); },
         "folder.prg", false},
        {"Script load", [] { gDialogs.QueueFile(PathOf("s.prg")); PressFractals("Load Script"); }, "", true},
    };
    for (const auto& c : cases) {
        const ModelState model = Model();
        const int type = gFractalType;
        c.act();
        EXPECT_EQ(gFileOperationBusy.load(), 0) << c.what;
        EXPECT_NE(Status().find(c.status), std::string::npos) << c.what << ": " << Status();
        if (!c.changes && type == gFractalType) {
            EXPECT_TRUE(Model() == model) << c.what;
        }
    }
    EXPECT_FALSE(fs::exists(gDir / "none"));
}

// "Save Script" writes the type-0 set; with type 22 "Load Script" reads it
// back into the program the type runs; a refused line is named.
TEST_F(FractalDataProgram, ScriptsPressedWhereTheyAreDrawn)
{
    SetFractalType(0);
    gDialogs.QueueFile(PathOf("set.prg"));
    PressFractals("Save Script");
    std::ifstream in(PathOf("set.prg"));
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().rfind(";Talvoran Script 1.0\ntform\nprobability ", 0), 0u) << text.str();
    const int n = gPickTransformCount;

    SetFractalType(22);
    gDialogs.QueueFile(PathOf("set.prg"));
    PressFractals("Load Script");
    ASSERT_EQ(gScriptProgram.tformCount, n);
    EXPECT_EQ(gScriptProgram.operationCode[0], 20);
    EXPECT_EQ(gScriptProgram.operationCode[1], 1);
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
    // The new fractal of type 22 picks the script's transformations by its weights.
    EXPECT_EQ(gPickTransformCount, n);
    for (int t = 0; t < n; ++t) EXPECT_FLOAT_EQ(gTransformWeights[t], gScriptProgram.tformWeight[t]) << t;

    WriteText(PathOf("odd.prg"), "tform\nscale 1 1 1\ntbase\nbase_type 300\ntbase\nbase_type 12\n");
    gDialogs.QueueFile(PathOf("odd.prg"));
    PressFractals("Load Script");
    EXPECT_EQ(Status(), "Talvoran :   script line 4 refused: a baseshape kind outside 0 to 194.");
    EXPECT_EQ(gBaseshapeCount, 2);
    EXPECT_EQ(gBaseshapes[1].shapeType, 12);
    EXPECT_EQ(gScriptProgram.tformCount, 1);

    // One block of 20,000 lines: baseshape 0 ends as its last lines leave it.
    std::string many = "tbase\nbase_type 12\n";
    for (int k = 0; k < 20000; ++k) {
        many += "base_position " + std::to_string(k % 7 / 10.0) + " 0.5 " + std::to_string(k % 1000 / 1000.0) + "\n";
    }
    WriteText(PathOf("many.prg"), many + "base_scale 2 2 2\n");
    gDialogs.QueueFile(PathOf("many.prg"));
    PressFractals("Load Script");
    EXPECT_EQ(Status(), "Script Loaded");
    ASSERT_EQ(gBaseshapeCount, 1);
    EXPECT_EQ(gCurrentBaseshape, 0);
    EXPECT_EQ(std::vector<float>(gBaseshapes[0].position, gBaseshapes[0].position + 3), (std::vector<float>{0, 0.5f, 0.999f}));
    EXPECT_EQ(gBaseshapes[0].glMatrix[14], 0.999f) << "the matrix composed";
    OpenBaseshapeEditor();
    Click("Open");
    gProgram.Frames(1);
    EXPECT_EQ(gBaseShapeEditor.shapeSelector.selected, 12) << "the editor shows the loaded kind";
    Shot("script_baseshape");
}

// A script with old line ends loads and says so; an empty file, 1 MB of
// random bytes, UTF-16 text and text without a "tform" or "tbase" line are
// refused by "Load Script" pressed where it is drawn, and the program, the
// render and its buffers stay as they were.
TEST_F(FractalDataProgram, FilesThatAreNoScriptsChangeNothing)
{
    SetFractalType(22);
    const std::string script = "tform\rscale 0.5 0.5 0.5\rtform\rscale 0.5 0.5 0.5\rtranslate 0.5 0 0\rtform\r"
                               "scale 0.5 0.5 0.5\rtranslate 0 0.5 0\r";
    WriteText(PathOf("old_mac.prg"), script);
    gDialogs.QueueFile(PathOf("old_mac.prg"));
    PressFractals("Load Script");
    EXPECT_EQ(Status(), "Script Loaded");
    ASSERT_EQ(gScriptProgram.tformCount, 3);
    EXPECT_EQ(gScriptProgram.operationCount, 5);
    Shot("script_loaded");

    std::mt19937 r(56);
    std::string random(1 << 20, '\0');
    for (char& c : random) c = static_cast<char>(r());
    std::string utf16 = "\xFF\xFE";
    for (char c : script) utf16 += std::string{c, '\0'};
    const std::pair<const char*, std::string> files[] = {
        {"empty.prg", ""}, {"random.prg", random}, {"utf16.prg", utf16}, {"prose.prg", "scale 1 2 3\nbase_radius 2\n"}};
    RenderCycles(5000);
    ASSERT_GT(DrawnPixels(), 0u);
    const ModelState model = Model();
    const std::vector<float> depth = Depth();
    const ScriptProgram program = gScriptProgram;
    for (const auto& [name, text] : files) {
        WriteText(PathOf(name), text);
        gDialogs.QueueFile(PathOf(name));
        PressFractals("Load Script");
        EXPECT_EQ(Status(), std::string("Talvoran :   ") + name +
                                " is not a script: it has no \"tform\" and no \"tbase\" line.");
        EXPECT_TRUE(Model() == model) << name;
        EXPECT_TRUE(Depth() == depth) << name;
        EXPECT_EQ(std::memcmp(&gScriptProgram, &program, sizeof program), 0) << name;
        EXPECT_EQ(gRenderExists, 1) << name;
        EXPECT_TRUE(ButtonEnabled(kButtonContinue)) << name;
    }
    // Files that cannot be read are named as every reader names them, without their folder.
    WriteText(PathOf("big.prg"), "tform\n");
    fs::resize_file(gDir / "big.prg", (16u << 20) + 1);
    fs::create_directory(gDir / "folder.prg");
    const std::pair<const char*, const char*> unread[] = {{"big.prg", "Talvoran :   big.prg is too large to open."},
                                                          {"folder.prg", "Talvoran :   Cannot read folder.prg: it is not a file."},
                                                          {"gone.prg", "Talvoran :   Cannot read gone.prg."}};
    for (const auto& [name, said] : unread) {
        gDialogs.QueueFile(PathOf(name));
        PressFractals("Load Script");
        EXPECT_EQ(Status(), said);
        EXPECT_TRUE(Model() == model) << name;
        EXPECT_EQ(gRenderExists, 1) << name;
    }
    Shot("script_refused");
}

// "Load Fractal" of a text file named ".zdat", its name 200 characters
// long: nothing changes, and the status line as the frame draws it keeps
// the reason whole (the width its head asks for and the most there is),
// the name cut in its middle.
TEST_F(FractalDataProgram, ALongNameGivesWayToTheReasonOnTheStatusLine)
{
    const std::string name = std::string(195, 'n') + ".zdat";
    WriteText(PathOf(name.c_str()), "this is text, not fractal data\n");
    const ModelState model = Model();
    gDialogs.QueueFile(PathOf(name.c_str()));
    PressFractals("Load Fractal");
    const std::string reason = " is not a fractal data file: 1936287860 pixels wide; the most is 6144 with 2X AA.";
    EXPECT_EQ(Status(), "Talvoran :   " + name + reason);
    EXPECT_EQ(DrawnStatusLine(), "Talvoran :   nnn...at" + reason);
    EXPECT_TRUE(Model() == model);
    Shot("long_name_refused");
}

}  // namespace
