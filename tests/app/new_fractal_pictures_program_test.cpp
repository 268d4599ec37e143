// "New Fractal" as a user meets it, for every fractal type but the script
// type (which waits for a script) and every "Fractal Generator" row, three
// seeds each: the type picked in the "Fractal Type" list (the row in the
// "Fractal Generator" list), "New Fractal", "Render" for a fixed number of
// points at one thread, "Stop", "Save PNG" of the 512 x 512 render. The
// saved picture must show a fractal: neither black nor filled, its lit
// region wide and high enough, edges between its blocks. The pictures are
// laid out on a contact sheet per test (<test>.review.png beside the test)
// and their figures printed (the pictures stay in the test's folder with
// TALVORAN_KEEP_TEST_FILES). Normal build only: too slow under the
// sanitizers.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "engine/constants.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/random.h"
#include "engine/random_helpers.h"
#include "engine/transform_set.h"
#include "platform/picture_file.h"
#include "render/render_threads.h"
#include "ui/panel_pages.h"
#include "ui/scroll_lists.h"

namespace fs = std::filesystem;

namespace {

// Points of each render: enough for a thin outline to light its share of
// a 512 x 512 picture.
constexpr uint64_t kRenderCycles = 500;  // of kSlotBatchSize points
constexpr uint32_t kSeeds[] = {1, 2, 3};

// What a picture must show: lit pixels but not all, a lit region wide and
// high, edges; and where it has solid parts (a fiftieth of the pairs of
// blocks or more), edges within them: a blob has none.
constexpr double kMinLit = 0.002, kMaxLit = 0.95, kMinExtent = 0.15, kMinEdges = 0.01;
constexpr double kSolid = 0.02, kMinSolidEdges = 0.02;

class NewFractalPictures : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_new_fractal_pictures_");
        StartOnce();
        if (started_) UseSmallRenders();
    }
};

// A type, or a row of the generator type (48).
struct Case {
    int type, row;
};

std::string Name(const Case& c)
{
    return c.row < 0 ? "type " + std::to_string(c.type)
                     : std::string("row \"") + gFractalGeneratorNames[c.row] + "\"";
}

// The model's random states from the seed, as the program seeds them at
// start-up from the clock: the set and its render are the seed's.
void Seed(uint32_t seed)
{
    SeedGlobalRandomB(seed);
    SeedGlobalRandomA(seed + 1u);
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        SeedSlotRandom(seed + 100u + static_cast<uint32_t>(s), static_cast<uint8_t>(s));
        gSlotHash[s] = 0x9E3779B9u * static_cast<uint32_t>(s + 1);
    }
}

void Choose(const Case& c)
{
    if (gFractalType != c.type) PickFractalType(c.type);
    ASSERT_EQ(gFractalType, c.type);
    if (c.row < 0) return;
    gProgram.GoTo(kTabFractals);
    PickGeneratorRow(FractalsControls(), "Fractal Generator", gFractalGeneratorList, c.row);
    ASSERT_EQ(gFractalGeneratorRow, c.row);
}

// "New Fractal", a render of kRenderCycles cycles, "Save PNG"; the picture
// measured and added to the sheet.
void NewFractalPicture(const Case& c, uint32_t seed, PictureSheet& sheet)
{
    Seed(seed);
    gProgram.ClickControl(WindowBottomControls(), "New Fractal");
    gProgram.Frames(2);
    LimitRenderCycles(kRenderCycles);
    PressRender();
    const bool done = WaitForRenderCycles();
    gProgram.ClickControl(WindowBottomControls(), "Stop");
    gProgram.Frames(2);
    LimitRenderCycles(0);
    ASSERT_TRUE(done) << Name(c);
    const fs::path file =
        gDir / ((c.row < 0 ? "type_" + std::to_string(c.type) : "row_" + std::to_string(c.row)) + "_seed_" +
                std::to_string(seed) + ".png");
    SaveImage("Save PNG", file);
    RgbImage image;
    ASSERT_TRUE(LoadImageFileRgb(image, file.string())) << Name(c);
    const int w = static_cast<int>(image.width), h = static_cast<int>(image.height);
    sheet.Add(image.pixels, w, h);
    const PictureFigures f = MeasurePicture(image.pixels, w, h);
    std::printf("%-28s seed %u: lit %.4f, extent %.2f x %.2f, edges %.4f, solid %.4f with edges %.4f\n",
                Name(c).c_str(), seed, f.litShare, f.extentX, f.extentY, f.edges, f.solid, f.solidEdges);
    const std::string what = Name(c) + " seed " + std::to_string(seed);
    EXPECT_GE(f.litShare, kMinLit) << what << ": (nearly) black";
    EXPECT_LE(f.litShare, kMaxLit) << what << ": filled";
    EXPECT_GE(f.extentX, kMinExtent) << what << ": a line or a dot";
    EXPECT_GE(f.extentY, kMinExtent) << what << ": a line or a dot";
    EXPECT_GE(f.edges, kMinEdges) << what << ": no edges";
    if (f.solid >= kSolid) {
        EXPECT_GE(f.solidEdges, kMinSolidEdges) << what << ": a blob without inner edges";
    }
}

void ExpectPictures(const std::vector<Case>& cases, const char* sheetName)
{
    PictureSheet sheet;
    sheet.columns = static_cast<int>(std::size(kSeeds));
    for (const Case& c : cases) {
        Choose(c);
        if (::testing::Test::HasFatalFailure()) return;
        for (uint32_t seed : kSeeds) NewFractalPicture(c, seed, sheet);
    }
    sheet.Write(std::string(sheetName) + ".review.png");
}

std::vector<Case> Types(int first, int last)
{
    std::vector<Case> cases;
    for (int type = first; type <= last; ++type)
        if (type != 22 && type != 48) cases.push_back({type, -1});
    return cases;
}

std::vector<Case> Rows(int first, int last)
{
    std::vector<Case> cases;
    for (int row = first; row <= last; ++row) cases.push_back({48, row});
    return cases;
}

// Six tests of about forty pictures, so that two cores share them.
TEST_F(NewFractalPictures, Types0To16) { ExpectPictures(Types(0, 16), "new_fractal_types_0_16"); }
TEST_F(NewFractalPictures, Types17To33) { ExpectPictures(Types(17, 33), "new_fractal_types_17_33"); }
TEST_F(NewFractalPictures, Types34To49) { ExpectPictures(Types(34, 49), "new_fractal_types_34_49"); }
TEST_F(NewFractalPictures, Rows0To10) { ExpectPictures(Rows(0, 10), "new_fractal_rows_0_10"); }
TEST_F(NewFractalPictures, Rows11To21) { ExpectPictures(Rows(11, 21), "new_fractal_rows_11_21"); }
TEST_F(NewFractalPictures, Rows22To32) { ExpectPictures(Rows(22, 32), "new_fractal_rows_22_32"); }

}  // namespace
