// A whole 2048 x 2048 export, file written, with "Occluded" shadows and
// "Every Pixel" occlusion on, by the number of shading workers:
//
//   BM_ExportBmp/N/S, BM_ExportPng/N/S: N = 1, 2, 4, 8, 24 workers; S = 1
//   with "Occluded" shadows and "Every Pixel" occlusion, S = 0 with the
//   shadows alone.
//   BM_ExportFixedWork/N: the pipeline alone, each pixel a fixed loop of
//   arithmetic instead of the shading (what the machine gives N threads).
//   BM_PngRowsOnly: the PNG file of the same picture without shading, the
//   part of a PNG export that stays on the export thread.
//
// Real time counts (the workers run beside the benchmark thread); the
// scene is a sphere over a floor, light from the upper left.
#include <benchmark/benchmark.h>

#include "support/export_scene.h"

#include <cmath>
#include <cstdio>
#include <mutex>
#include <string>

#include "engine/random.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "shading/export_image.h"
#include "shading/image_files.h"

namespace {

constexpr int kSize = kExportSceneSize;
const std::string kPath = "/tmp/talvoran_export_bench";

void SetUpScene()
{
    SetUpExportScene();
    static std::once_flag once;
    std::call_once(once, [] {
        gExportServices = DefaultExportServices();
        gExportServices.chooseFile = [](bool png, std::string* path) {
            *path = kPath + (png ? ".png" : ".bmp");
            return true;
        };
    });
}

void RunExport(benchmark::State& state, bool png)
{
    SetUpScene();
    ExportSettings settings;
    settings.png = png;
    settings.workerCount = static_cast<int>(state.range(0));
    const float light[3] = {-0.4f, 0.5f, 0.75f};
    for (int c = 0; c < 3; ++c) settings.shading.light[c] = light[c];
    settings.shading.shadowsOn = 1;
    settings.shading.shadowType = kShadowOccluded;
    // The export installs its own occlusion settings over the global ones:
    // they are set where it reads them.
    settings.occlusion.everyPixel = static_cast<uint8_t>(state.range(1));
    settings.occlusion.sampleCount = 16.0f;
    settings.occlusion.radius = 16.0f;
    for (auto _ : state) {
        gExportSettings = settings;
        if (ExportImage() != 0) state.SkipWithError("the export wrote no file");
    }
    std::remove((kPath + (png ? ".png" : ".bmp")).c_str());
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}

void BM_ExportBmp(benchmark::State& state) { RunExport(state, false); }
void BM_ExportPng(benchmark::State& state) { RunExport(state, true); }

void FixedWork(int column, int row, int)
{
    float v = static_cast<float>(column) * 0.001f + static_cast<float>(row);
    for (int i = 0; i < 400; ++i) v = v * 0.9999f + 0.5f;
    gExportRowPairs[0][column] = gExportRowPairs[0][gImageWidth + column] = static_cast<uint8_t>(v);
}

void BM_ExportFixedWork(benchmark::State& state)
{
    SetUpScene();
    gExportServices.shadeColumn = FixedWork;
    ExportSettings settings;
    settings.workerCount = static_cast<int>(state.range(0));
    for (auto _ : state) {
        gExportSettings = settings;
        if (ExportImage() != 0) state.SkipWithError("the export wrote no file");
    }
    gExportServices.shadeColumn = DefaultExportServices().shadeColumn;
    std::remove((kPath + ".bmp").c_str());
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}

void BM_PngRowsOnly(benchmark::State& state)
{
    SetUpScene();
    for (auto _ : state) {
        FileSink file;
        OpenFileSink(file, kPath + ".png");
        PngWriter writer;
        OpenPngWriter(writer, kSize, kSize, kPngRgb, SinkOf(file));
        for (int y = 0; y < kSize; ++y) {
            // Rows like the scene's: smooth grey by depth.
            for (int x = 0; x < kSize; ++x)
                writer.row[3 * x] = writer.row[3 * x + 1] = writer.row[3 * x + 2] =
                    static_cast<uint8_t>(gDepthBuffer[static_cast<int64_t>(y) * kSize + x] * (255.0f / 65534.0f));
            WritePngRow(writer);
        }
        ClosePngWriter(writer, true);
        CloseFileSink(file, true);
    }
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}

}  // namespace

BENCHMARK(BM_ExportBmp)
    ->ArgsProduct({{1, 2, 4, 8, 24}, {1, 0}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPng)
    ->ArgsProduct({{1, 2, 4, 8, 24}, {1, 0}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFixedWork)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(24)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngRowsOnly)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
