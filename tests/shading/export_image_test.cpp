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
#include "shading/preview_passes.h"
#include "support/preview_scene.h"

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

// The file's pixels, top row first, RGB or RGBA; empty when it cannot be read.
std::vector<uint8_t> Decode(const std::vector<uint8_t>& bytes, int* width, int* channels)
{
    if (bytes.size() > 54 && bytes[0] == 'B') {  // bottom-up rows of 4-byte multiples, B G R
        const int w = bytes[18] | bytes[19] << 8, h = bytes[22] | bytes[23] << 8, stride = (3 * w + 3) / 4 * 4;
        std::vector<uint8_t> pixels;
        for (int j = h - 1; j >= 0; --j)
            for (int c = 0; c < w; ++c)
                for (int ch = 2; ch >= 0; --ch) pixels.push_back(bytes[54 + j * stride + 3 * c + ch]);
        if (bytes.size() != static_cast<size_t>(54 + h * stride)) return {};
        *width = w, *channels = 3;
        return pixels;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    *width = static_cast<int>(image.width), *channels = static_cast<int>(PNG_IMAGE_PIXEL_CHANNELS(image.format));
    return pixels;
}

// The pixel shading itself on the test scene, with settings that draw no
// random numbers: every worker count writes the same bytes, the pixels the
// shading gives for the scene.
TEST_F(ExportImageTest, TestSceneIsTheSameBytesForAnyWorkerCount)
{
    const int size = 48;
    SetUpSphereScene(size, size);
    gExportSettings.shading = ReadExportShadingSettings(false);
    gExportServices.shadeColumn = DefaultExportServices().shadeColumn;
    std::vector<uint8_t> firstBmp, firstPng;
    for (int workers : {1, 2, 7, 24}) {
        SCOPED_TRACE(std::to_string(workers) + " workers");
        gExportSettings.workerCount = workers;
        std::vector<uint8_t> files[2];
        for (const bool png : {false, true}) {
            gChosenPath = (dir_ / (png ? "scene.png" : "scene.bmp")).string();
            gExportSettings.png = png;
            ASSERT_EQ(ExportImage(), 0);
            files[png] = ReadFile(gChosenPath);
        }
        if (firstBmp.empty()) firstBmp = files[0], firstPng = files[1];
        EXPECT_TRUE(files[0] == firstBmp);
        EXPECT_TRUE(files[1] == firstPng);
    }
    int width = 0, channels = 0;
    const std::vector<uint8_t> bmp = Decode(firstBmp, &width, &channels), png = Decode(firstPng, &width, &channels);
    EXPECT_TRUE(bmp == png);
    ExportShadingSettings bmpOrder = gExportSettings.shading;
    bmpOrder.png = 0;
    PrepareExportShading(bmpOrder);
    ShadeRowPairColumn(20, 24, 0);  // buffer rows 24 and 25: rows 23 and 22 from the top
    for (int k = 0; k < 2; ++k)
        for (int ch = 0; ch < 3; ++ch)
            EXPECT_EQ(bmp[((23 - k) * size + 20) * 3 + ch], gExportRowPairs[ch][k * size + 20]) << k << ", " << ch;
    ClearSphereScene();
}

// Rows in file order (BMP bottom-up with zero padding, PNG top-down), an odd
// height's last single row, RGB or RGBA, 2X AA as truncated 2 x 2 means
// (alpha 127 for two covered samples of 255): the same bytes for 1, 2, 7
// and 24 workers.
TEST_F(ExportImageTest, FilesHoldThePictureAndAreTheSameForAnyWorkerCount)
{
    struct Case {
        bool png, alpha, aa;
        int w, h;  // of the buffers
    } const cases[] = {{false, false, false, 5, 4}, {false, false, false, 13, 7}, {false, false, false, 9, 2},
                       {true, false, false, 11, 6}, {true, true, false, 11, 5},   {true, true, true, 1024, 1024},
                       {false, false, true, 10, 6}};
    for (const Case& c : cases) {
        std::vector<uint8_t> first;
        const int n = c.aa ? 2 : 1, fw = c.w / n, fh = c.h / n;
        for (int workers : {1, 2, 7, 24}) {
            SCOPED_TRACE(std::string(c.png ? "PNG " : "BMP ") + std::to_string(c.w) + " x " + std::to_string(c.h) +
                         (c.alpha ? " RGBA" : "") + (c.aa ? " 2X AA, " : ", ") + std::to_string(workers) + " workers");
            gExportSettings.excludeBackground = c.alpha;
            gShadeCalls = 0;
            const std::vector<uint8_t> bytes = Export(c.w, c.h, c.png, workers, c.aa);
            if (first.empty()) first = bytes;
            EXPECT_TRUE(bytes == first);
            EXPECT_EQ(gShadeCalls.load(), c.w * ((c.h + 1) / 2));  // one call per column and pair: H = 2 is one cycle
            EXPECT_EQ(gExportProgress.load(), 100);
            EXPECT_EQ(gExportCancel.load(), 0);
            int width = 0, channels = 0;
            const std::vector<uint8_t> pixels = Decode(bytes, &width, &channels);
            ASSERT_EQ(pixels.size(), static_cast<size_t>(fw * fh * channels));
            ASSERT_EQ(channels, c.alpha ? 4 : 3);
            for (int j = 0; j < fh; j += c.aa ? 13 : 1) {
                for (int x = 0; x < fw; x += c.aa ? 7 : 1) {
                    int sum[4] = {};
                    for (int k = 0; k < n * n; ++k) {
                        uint8_t p[4];
                        FakePixel(n * x + k % n, c.h - n * (j + 1) + k / n, p);
                        for (int ch = 0; ch < 4; ++ch) sum[ch] += p[ch];
                    }
                    const uint8_t* f = &pixels[(j * fw + x) * channels];
                    for (int ch = 0; ch < channels; ++ch)
                        ASSERT_EQ(f[ch], sum[ch] / (n * n)) << "pixel " << x << ", " << j << " channel " << ch;
                }
            }
        }
    }
}

// Four alpha samples, as the shading gives them, for each pixel of a 2X
// picture: samples (0, 0), (1, 0), (0, 1), (1, 1) of a 2 x 2 block.
const uint8_t kAlphaBlocks[5][4] = {{100, 100, 100, 100}, {255, 255, 0, 0}, {0, 0, 0, 0}, {1, 0, 0, 0}, {100, 50, 30, 0}};

void AlphaBlockShade(int column, int exportRow, int)
{
    for (int k = 0; k < 2; ++k) {
        const int row = gImageHeight - 1 - (exportRow + k);  // PNG rows run from the top
        for (int ch = 0; ch < 3; ++ch) gExportRowPairs[ch][k * gImageWidth + column] = 90;
        gExportRowPairs[3][k * gImageWidth + column] = kAlphaBlocks[column / 2 % 5][row % 2 * 2 + column % 2];
    }
}

// With 2X AA a pixel's alpha is the mean of its four samples, truncated,
// 0 only when all four are 0 and else at least 1: 100 from four of 100
// (with "Map Fog to Alpha (PNG)" off, as with "Exclude Background (PNG)"
// alone), 127 for two of 255, 0, 1 for a lone 1, 45 for 100, 50, 30, 0.
TEST_F(ExportImageTest, TwoXAlphaIsTheMeanOfTheFourSamples)
{
    gExportServices.shadeColumn = AlphaBlockShade;
    gExportSettings.excludeBackground = 1;
    gExportSettings.fogToAlpha = 0;
    const std::vector<uint8_t> bytes = Export(10, 4, true, 2, true);
    int width = 0, channels = 0;
    const std::vector<uint8_t> pixels = Decode(bytes, &width, &channels);
    ASSERT_EQ(width, 5);
    ASSERT_EQ(channels, 4);
    ASSERT_EQ(pixels.size(), 5u * 2u * 4u);
    const uint8_t expected[5] = {100, 127, 0, 1, 45};
    for (int j = 0; j < 2; ++j)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(pixels[(j * 5 + x) * 4 + 3], expected[x]) << "pixel " << x << ", " << j;
            EXPECT_EQ(pixels[(j * 5 + x) * 4], 90) << "pixel " << x << ", " << j;
        }
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
        {"PNG write fails", -1, 100, 24, "a.png", "Warning", false},
        {"PNG folder does not exist", -1, -1, 24, "none/a.png", "Warning", false},
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
        gExportSettings.png = fs::path(c.file).extension() == ".png";
        EXPECT_EQ(ExportImage(), c.written ? 0 : 1);
        EXPECT_EQ(fs::exists(gChosenPath), c.written);
        EXPECT_EQ(gMessages, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        const bool reported = gExportProgress.load() == 100;
        EXPECT_TRUE(!reported || gExportCancel.load() == (c.written ? 0 : 1));  // never "File Saved" unless written
        for (int i = 0; i < kMaxExportWorkers; ++i) EXPECT_EQ(gExportWorkerActive[i].load(), 0);
        EXPECT_EQ(gFileThreadBusy.load(), 0);
        EXPECT_TRUE(gExportServices.beginFileOperation());  // released
        gExportServices.endFileOperation();
    }
}

// An export over an older picture that is cancelled or cannot be written
// whole leaves the older picture as it was, and nothing beside it.
TEST_F(ExportImageTest, AFailedExportOverAnOlderPictureKeepsIt)
{
    struct Case {
        const char* name;
        int cancelAt;
        int64_t byteLimit;
        const char* file;
    } const cases[] = {
        {"cancelled", 0, -1, "old.bmp"},
        {"the disk fills in the rows", -1, 300, "old.bmp"},
        {"the disk fills in the PNG", -1, 100, "old.png"},
    };
    ASSERT_TRUE(AllocateRenderBuffers(40, 20, false));
    const std::vector<uint8_t> older = {'o', 'l', 'd', 0, 1, 2};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        gCancelAtCall = c.cancelAt;
        gExportFileByteLimit = c.byteLimit;
        gExportSettings.workerCount = 4;
        gChosenPath = (dir_ / c.file).string();
        std::ofstream(gChosenPath, std::ios::binary).write(reinterpret_cast<const char*>(older.data()), 6);
        gExportSettings.png = fs::path(c.file).extension() == ".png";
        EXPECT_EQ(ExportImage(), 1);
        EXPECT_EQ(ReadFile(gChosenPath), older);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
        fs::remove(gChosenPath);
    }
}

// Means of the sums, clamped to bytes, at rows kept inside the preview.
TEST_F(ExportImageTest, PreviewFeedStaysInsideThePreviewAtBothEnds)
{
    ASSERT_TRUE(AllocateRenderBuffers(832, 832, false));
    struct Case {
        uint8_t png;
        int top, row, column, previewRow, previewColumn;
    } const cases[] = {{1, 0, 0, 831, 831, 831}, {0, -40, 0, 0, 0, 0}, {0, 900, 10, 5, 831, 5}, {0, 0, 400, 9, 400, 9}};
    for (const Case& c : cases) {
        gExportPng = c.png;  // PNG row 0 maps to preview row 832
        gExportSettings.previewTop = c.top;
        gExportWriteColumn = c.column;
        std::memset(gExportPreviewCounts, 0, sizeof gExportPreviewCounts);
        std::memset(gExportPreviewSums, 0, sizeof gExportPreviewSums);
        AccumulatePreviewSample(c.row, 300.0f, 10.0f, -5.0f);
        AccumulatePreviewSample(c.row, 100.0f, 20.0f, 5.0f);
        const uint8_t* p = gPreviewImage + (c.previewRow * kPreviewImageSize + c.previewColumn) * 3;
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

// ---- Animation step ----------------------------------------------------------------
int gStarts = 0;

// Frame 12 of "frame" by the "Image Type" list; a further frame clears the
// buffers and starts the render again, the last one shows the export view.
TEST_F(ExportImageTest, AnimationFramesAreNumberedFilesAndTheLastShowsTheExportView)
{
    ASSERT_TRUE(AllocateRenderBuffers(16, 8, false));
    gAnimationServices = DefaultAnimationServices();
    gAnimationServices.startRender = [] { return ++gStarts > 0; };
    gExportServices.readSettings = [] {
        ExportSettings s = DefaultExportServices().readSettings();
        s.imageType = gExportSettings.imageType;
        return s;
    };
    struct Case {
        int imageType, frameLength;
        float frames;  // b: a further frame follows while the counter is below trunc(12 + b - 1)
        const char* file;
    } const cases[] = {{1, 1, 1.0f, "frame12.bmp"}, {0, 1, 1.0f, "frame12.png"}, {1, 0, 3.0f, "frame12.bmp"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const bool more = c.frames > 1.0f;
        gAnimationBaseName = (dir_ / "frame").string();
        gAnimationFrame = 12;
        gAnimationRange[0] = 12.0f;
        gAnimationRange[1] = c.frames;
        gAnimationCallCounter = 0;
        gAnimationFrameLength = c.frameLength;  // 0 counts as 1
        gExportSettings.imageType = c.imageType;
        gAnimationOn = 1;
        gStarts = 0;
        gScreenState = 1;
        gDepthBuffer[5] = 1000.0f;
        AdvanceAnimationFrame();
        EXPECT_TRUE(fs::remove(dir_ / c.file));
        EXPECT_EQ(gStarts, more ? 1 : 0);
        EXPECT_EQ(gScreenState.load(), more ? 1 : 4);
        EXPECT_EQ(gAnimationFrame, more ? 13 : 12);
        EXPECT_EQ(gDepthBuffer[5], more ? 0.0f : 1000.0f);
    }
    gAnimationBaseName = (dir_ / "missing" / "frame").string();  // cannot be written: the animation stops
    gAnimationOn = 1;
    AdvanceAnimationFrame();
    EXPECT_EQ(gAnimationOn, 0);
    EXPECT_EQ(gMessages, std::vector<std::string>{"Warning"});
    gAnimationServices = DefaultAnimationServices();
}

}  // namespace
