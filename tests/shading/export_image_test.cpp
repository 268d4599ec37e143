#include "shading/export_image.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/animation_step.h"
#include "shading/preview_image.h"
#include "support/export_scene.h"

namespace fs = std::filesystem;

namespace {

// A pixel of the made-up picture at buffer column c, row r (row 0 at the bottom).
void FakePixel(int c, int r, uint8_t out[4])
{
    out[0] = static_cast<uint8_t>(c * 7 + r * 13);
    out[1] = static_cast<uint8_t>(c ^ (r * 3));
    out[2] = static_cast<uint8_t>(c * r + 5);
    out[3] = c % 2 == 0 ? 255 : 0;  // every other column covered
}

std::atomic<int> gShadeCalls{0};
std::atomic<int> gCancelAtCall{-1};

// Stands for the pixel shading: PNG rows run from the top of the picture.
void FakeShadeColumn(int column, int exportRow, int)
{
    if (gShadeCalls.fetch_add(1) == gCancelAtCall.load()) gExportCancel.store(1);
    for (int k = 0; k < 2; ++k) {
        const int row = gExportPng ? gImageHeight - 1 - (exportRow + k) : exportRow + k;
        uint8_t p[4];
        FakePixel(column, row, p);
        for (int ch = 0; ch < 4; ++ch) gExportRowPairs[ch][k * gImageWidth + column] = p[ch];
    }
}

std::string gChosenPath;
std::vector<std::string> gMessages;
bool ChoosePath(bool, std::string* path)
{
    *path = gChosenPath;
    return true;
}
void RecordMessage(const char*, const char* caption, bool) { gMessages.push_back(caption); }

std::vector<uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ExportImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("talvoran_export_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        InitializeExportPipeline();
        gExportServices = DefaultExportServices();
        gExportServices.chooseFile = ChoosePath;
        gExportServices.showMessage = RecordMessage;
        gExportServices.shadeColumn = FakeShadeColumn;
        gExportSettings = ExportSettings{};
        gExportWorkerLimit = kMaxExportWorkers;
        gExportFileByteLimit = -1;
        gExportCancel = 0;
        gExportProgress = -2;
        gCancelAtCall = -1;
        gShadeCalls = 0;
        gMessages.clear();
        gAnimationOn = 0;
    }
    void TearDown() override
    {
        fs::remove_all(dir_);
        FreeRenderBuffers();
        gAnimationOn = 0;
    }
    // Exports a w x h buffer; returns the file's bytes (empty when none is left).
    std::vector<uint8_t> Export(int w, int h, bool png, int workers, bool aa = false)
    {
        EXPECT_TRUE(AllocateRenderBuffers(aa ? w / 2 : w, aa ? h / 2 : h, aa));
        gChosenPath = (dir_ / (png ? "out.png" : "out.bmp")).string();
        fs::remove(gChosenPath);
        gExportSettings.png = png;
        gExportSettings.workerCount = workers;
        ExportImage();
        EXPECT_EQ(gFileThreadBusy.load(), 0);
        for (int i = 0; i < kMaxExportWorkers; ++i) EXPECT_EQ(gExportWorkerActive[i].load(), 0) << "worker " << i;
        return ReadFile(gChosenPath);
    }
    fs::path dir_;
};

TEST_F(ExportImageTest, BmpRowsAreThePictureBottomUpWithPaddingAnyWorkerCount)
{
    for (const auto& [w, h] : {std::pair{5, 4}, std::pair{13, 7}, std::pair{64, 2}}) {
        std::vector<uint8_t> first;
        for (int workers : {1, 2, 7, 24}) {
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h) + ", " + std::to_string(workers) + " workers");
            const std::vector<uint8_t> bmp = Export(w, h, false, workers);
            ASSERT_EQ(static_cast<int64_t>(bmp.size()), 54 + h * (3 * w + (4 - 3 * w % 4) % 4));
            if (first.empty()) first = bmp;
            EXPECT_TRUE(bmp == first);
            const int stride = 3 * w + (4 - 3 * w % 4) % 4;
            for (int r = 0; r < h; ++r) {  // an odd height shades its last single row too
                for (int c = 0; c < w; ++c) {
                    uint8_t p[4];
                    FakePixel(c, r, p);
                    const uint8_t* f = &bmp[54 + r * stride + 3 * c];
                    ASSERT_TRUE(f[0] == p[2] && f[1] == p[1] && f[2] == p[0]) << "pixel " << c << ", " << r;
                }
                for (int k = 3 * w; k < stride; ++k) EXPECT_EQ(bmp[54 + r * stride + k], 0);
            }
            EXPECT_EQ(gExportProgress.load(), 100);
            EXPECT_EQ(gExportCancel.load(), 0);
        }
    }
}

// The pixel shading itself on the test scene, with settings that draw no
// random numbers: every worker count writes the same bytes, the scene's own
// picture.
TEST_F(ExportImageTest, TestSceneIsTheSameBytesForAnyWorkerCount)
{
    const int size = 48;
    gExportSettings.shading = BuildExportTestScene(size);
    const ExportShadingSettings settings = gExportSettings.shading;
    gExportServices.shadeColumn = DefaultExportServices().shadeColumn;
    std::vector<uint8_t> firstBmp, firstPng;
    for (int workers : {1, 2, 7, 24}) {
        SCOPED_TRACE(std::to_string(workers) + " workers");
        gChosenPath = (dir_ / "scene.bmp").string();
        gExportSettings.workerCount = workers;
        gExportSettings.png = 0;
        ASSERT_EQ(ExportImage(), 0);
        const std::vector<uint8_t> bmp = ReadFile(gChosenPath);
        gChosenPath = (dir_ / "scene.png").string();
        gExportSettings.png = 1;
        ASSERT_EQ(ExportImage(), 0);
        const std::vector<uint8_t> png = ReadFile(gChosenPath);
        if (firstBmp.empty()) {
            firstBmp = bmp, firstPng = png;
            PrepareExportShading(settings);
            const std::vector<uint8_t> picture = ShadeExportTestScene(settings);  // top row first
            for (int r = 0; r < size; ++r)
                for (int c = 0; c < size * 3; ++c)
                    ASSERT_EQ(bmp[54 + r * size * 3 + c], picture[(size - 1 - r) * size * 3 + c / 3 * 3 + 2 - c % 3]);
        }
        EXPECT_TRUE(bmp == firstBmp);
        EXPECT_TRUE(png == firstPng);
    }
}

std::vector<uint8_t> DecodePng(const std::vector<uint8_t>& bytes, png_image& image)
{
    image = png_image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    return pixels;
}

TEST_F(ExportImageTest, PngIsTopDownRgbOrRgbaByOptionAndTheSameForAnyWorkerCount)
{
    const int w = 11, h = 6;
    for (const bool alpha : {false, true}) {
        gExportSettings.excludeBackground = alpha;
        std::vector<uint8_t> first;
        for (int workers : {1, 2, 7, 24}) {
            SCOPED_TRACE(std::string(alpha ? "RGBA, " : "RGB, ") + std::to_string(workers) + " workers");
            gExportSettings.excludeBackground = alpha;
            const std::vector<uint8_t> bytes = Export(w, h, true, workers);
            if (first.empty()) first = bytes;
            EXPECT_TRUE(bytes == first);
            png_image image;
            const std::vector<uint8_t> pixels = DecodePng(bytes, image);
            ASSERT_FALSE(pixels.empty());
            const int channels = PNG_IMAGE_PIXEL_CHANNELS(image.format);
            ASSERT_EQ(channels, alpha ? 4 : 3);
            for (int j = 0; j < h; ++j) {
                for (int c = 0; c < w; ++c) {
                    uint8_t p[4];
                    FakePixel(c, h - 1 - j, p);
                    const uint8_t* f = &pixels[(j * w + c) * channels];
                    ASSERT_TRUE(f[0] == p[0] && f[1] == p[1] && f[2] == p[2]) << "pixel " << c << ", " << j;
                    if (alpha) {
                        EXPECT_EQ(f[3], p[3] ? 255 : 0);
                    }
                }
            }
        }
    }
}

TEST_F(ExportImageTest, AntiAliasHalvesTheSizeWithTruncatedMeans)
{
    gExportSettings.excludeBackground = 1;
    png_image image;
    const std::vector<uint8_t> pixels = DecodePng(Export(1024, 1024, true, 7, true), image);
    ASSERT_EQ(image.width, 512u);
    ASSERT_EQ(image.height, 512u);
    for (int j = 0; j < 512; j += 37) {
        for (int x = 0; x < 512; x += 29) {
            const int r = 1023 - 2 * j - 1;  // the pair's lower buffer row
            uint8_t q[4][4];
            FakePixel(2 * x, r, q[0]);
            FakePixel(2 * x + 1, r, q[1]);
            FakePixel(2 * x, r + 1, q[2]);
            FakePixel(2 * x + 1, r + 1, q[3]);
            const uint8_t* f = &pixels[(j * 512 + x) * 4];
            for (int ch = 0; ch < 3; ++ch)
                EXPECT_EQ(f[ch], (q[0][ch] + q[1][ch] + q[2][ch] + q[3][ch]) / 4) << x << ", " << j << " ch " << ch;
            EXPECT_EQ(f[3], 127);  // two covered samples of 255
        }
    }
}

TEST_F(ExportImageTest, TwoRowsRunOneCycleFromZeroToHundred)
{
    gExportProgress = 0;
    Export(9, 2, false, 3);
    EXPECT_EQ(gShadeCalls.load(), 9);
    EXPECT_EQ(gExportProgress.load(), 100);
}

// Nothing written whole leaves no file, no worker and no "File Saved": the
// view reads progress 100 with the cancel set as "Save File Cancelled".
TEST_F(ExportImageTest, CancelFailedWriteNoWorkerAndTextureFolderLeaveNoFile)
{
    fs::create_directories(dir_ / "textures" / "sub");
    fs::create_directories(dir_ / "textures2");
    struct Case {
        const char* name;
        int cancelAt;
        int64_t byteLimit;
        int workerLimit;
        const char* file;  // relative to the test folder
        const char* message;
        bool written;
    } const cases[] = {
        {"cancel in the first cycle", 0, -1, 24, "a.bmp", nullptr, false},
        {"write fails in the rows", -1, 300, 24, "a.bmp", "Warning", false},
        {"write fails in the headers", -1, 20, 24, "a.bmp", "Warning", false},
        {"no worker starts", -1, -1, 0, "a.bmp", nullptr, false},
        {"one worker starts", -1, -1, 1, "a.bmp", nullptr, true},
        {"folder does not exist", -1, -1, 24, "none/a.bmp", "Warning", false},
        {"inside the textures folder", -1, -1, 24, "textures2/../textures/sub/a.bmp", "Error", false},
        {"beside the textures folder", -1, -1, 24, "textures2/a.bmp", nullptr, true},
    };
    ASSERT_TRUE(AllocateRenderBuffers(40, 20, false));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        gCancelAtCall = c.cancelAt;
        gExportFileByteLimit = c.byteLimit;
        gExportWorkerLimit = c.workerLimit;
        gExportSettings.texturesFolder = (dir_ / "textures").string() + "/";
        gExportSettings.workerCount = 4;
        gChosenPath = (dir_ / c.file).string();
        EXPECT_EQ(ExportImage(), c.written ? 0 : 1);
        EXPECT_EQ(fs::exists(gChosenPath), c.written);
        EXPECT_EQ(gMessages.size(), c.message ? 1u : 0u);
        if (c.message && !gMessages.empty()) {
            EXPECT_EQ(gMessages[0], c.message);
        }
        const bool reported = gExportProgress.load() == 100;
        EXPECT_TRUE(!reported || gExportCancel.load() == (c.written ? 0 : 1));  // never "File Saved" unless written
        for (int i = 0; i < kMaxExportWorkers; ++i) EXPECT_EQ(gExportWorkerActive[i].load(), 0);
        EXPECT_EQ(gFileThreadBusy.load(), 0);
        EXPECT_TRUE(gExportServices.beginFileOperation());  // released
        gExportServices.endFileOperation();
    }
}

TEST_F(ExportImageTest, PreviewFeedStaysInsideThePreviewAtBothEnds)
{
    ASSERT_TRUE(AllocateRenderBuffers(832, 832, false));
    struct Case {
        uint8_t png;
        int top, row, column;
        int previewRow, previewColumn;
    } const cases[] = {
        {1, 0, 0, 831, 831, 831},   // PNG row 0 maps to preview row 832
        {0, -40, 0, 0, 0, 0},       // a preview top below 0
        {0, 900, 10, 5, 831, 5},
        {0, 0, 400, 400, 400, 400},
    };
    for (const Case& c : cases) {
        gExportPng = c.png;
        gExportSettings.previewTop = c.top;
        gExportWriteColumn = c.column;
        std::memset(gExportPreviewCounts, 0, sizeof gExportPreviewCounts);
        std::memset(gExportPreviewSums, 0, sizeof gExportPreviewSums);
        AccumulatePreviewSample(c.row, 300.0f, 10.0f, -5.0f);
        AccumulatePreviewSample(c.row, 100.0f, 20.0f, 5.0f);
        const uint8_t* p = gPreviewImage + (c.previewRow * kPreviewImageSize + c.previewColumn) * 3;
        EXPECT_EQ(gExportPreviewCounts[c.previewRow * kPreviewShown + c.previewColumn], 2) << "row " << c.row;
        EXPECT_TRUE(p[0] == 200 && p[1] == 15 && p[2] == 0) << "row " << c.row;
    }
    gExportPng = 0;
}

TEST_F(ExportImageTest, ThousandExportsWithRandomWorkersAndCancelsEnd)
{
    std::mt19937 random(20261206);
    int written = 0;
    for (int i = 0; i < 1000; ++i) {
        const int w = 1 + static_cast<int>(random() % 24), h = 1 + static_cast<int>(random() % 9);
        gCancelAtCall = random() % 3 == 0 ? static_cast<int>(random() % (w * h)) : -1;
        gShadeCalls = 0;
        gExportCancel = 0;
        const bool png = random() % 2;
        const std::vector<uint8_t> bytes = Export(w, h, png, 1 + static_cast<int>(random() % 24));
        ASSERT_EQ(bytes.empty(), gExportCancel.load() == 1) << "export " << i;
        written += !bytes.empty();
    }
    EXPECT_GT(written, 500);
}

TEST_F(ExportImageTest, ExportThreadStartsOnceAndIsJoined)
{
    ASSERT_TRUE(AllocateRenderBuffers(64, 64, false));
    gChosenPath = (dir_ / "thread.png").string();
    gExportServices.readSettings = [] { ExportSettings s; s.workerCount = 5; return s; };
    ASSERT_TRUE(StartExportThread(true));
    ReleaseExportThread(true);
    EXPECT_EQ(gFileThreadBusy.load(), 0);
    png_image image;
    EXPECT_EQ(DecodePng(ReadFile(gChosenPath), image).size(), 64u * 64u * 3u);
}

// ---- Animation step ----------------------------------------------------------------
int gStarts = 0;
bool CountStart()
{
    ++gStarts;
    return true;
}

TEST_F(ExportImageTest, AnimationFramesAreNumberedFilesAndTheLastShowsTheExportView)
{
    ASSERT_TRUE(AllocateRenderBuffers(16, 8, false));
    gAnimationServices = DefaultAnimationServices();
    gAnimationServices.startRender = CountStart;
    struct Case {
        int imageType;
        int frameLength;
        float frames;   // b: frames 12 .. 12 + b - 2 are followed by another
        const char* file;
        bool restarted;
        int screen;
    } const cases[] = {
        {1, 1, 1.0f, "frame12.bmp", false, 4},
        {0, 1, 1.0f, "frame12.png", false, 4},
        {1, 0, 3.0f, "frame12.bmp", true, 1},  // a length of 0 counts as 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        gAnimationBaseName = (dir_ / "frame").string();
        gAnimationFrame = 12;
        gAnimationRange[0] = 12.0f;
        gAnimationRange[1] = c.frames;
        gAnimationCallCounter = 0;
        gAnimationFrameLength = c.frameLength;
        gExportServices.readSettings = DefaultExportServices().readSettings;
        gExportSettings.imageType = c.imageType;
        gExportServices.readSettings = [] {
            ExportSettings s = DefaultExportServices().readSettings();
            s.imageType = gExportSettings.imageType;
            return s;
        };
        gAnimationOn = 1;
        gStarts = 0;
        gScreenState = 1;
        gDepthBuffer[5] = 1000.0f;
        AdvanceAnimationFrame();
        EXPECT_TRUE(fs::exists(dir_ / c.file));
        EXPECT_EQ(gStarts, c.restarted ? 1 : 0);
        EXPECT_EQ(gScreenState.load(), c.screen);
        EXPECT_EQ(gAnimationFrame, c.restarted ? 13 : 12);
        EXPECT_EQ(gDepthBuffer[5], c.restarted ? 0.0f : 1000.0f);  // the following frame starts cleared
        fs::remove(dir_ / c.file);
    }
    // A frame that cannot be written stops the animation with the box.
    gAnimationBaseName = (dir_ / "missing" / "frame").string();
    gAnimationOn = 1;
    AdvanceAnimationFrame();
    EXPECT_EQ(gAnimationOn, 0);
    ASSERT_EQ(gMessages.size(), 1u);
    EXPECT_EQ(gMessages[0], "Warning");
    gAnimationServices = DefaultAnimationServices();
}

}  // namespace
