// A 2048 x 2048 render saved as ".zb3f" (shadow map and RGB colouring on,
// about 59 MB) and loaded again, beside `cp` copying the same file on the
// same disk: saving and loading should each stay within twice the copy.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/fractal_model.h"
#include "engine/point_coloring.h"
#include "files/fractal_data_file.h"
#include "platform/regular_file.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"

namespace {

const std::string& Folder()
{
    static const std::string path = [] {
        const std::string p = std::filesystem::temp_directory_path().string() + "/talvoran_zb3f_bench_" +
                              std::to_string(::getpid());
        std::filesystem::create_directories(p);
        return p;
    }();
    return path;
}

// The render with every buffer drawn into, so no page is left untouched.
void MakeRender()
{
    static bool made = false;
    if (made) return;
    made = true;
    AllocateRenderBuffers(2048, 2048, false);
    gShader.InitializeTextures();
    gTransformCount = gPickTransformCount = 3;
    gFastShadowUpdate = 1;
    gRgbColoring = 1;
    const size_t pixels = size_t{2048} * 2048;
    for (size_t p = 0; p < pixels; ++p) {
        gDepthBuffer[p] = static_cast<float>(p % 32767);
        gShadowMap[p] = gDofDepthBuffer[p] = static_cast<uint16_t>(p * 7);
        gColorIndexBuffer[p] = gPointColorPlanes[0][p] = gPointColorPlanes[1][p] = gPointColorPlanes[2][p] =
            static_cast<uint8_t>(p);
        gSubPixelBuffer[2 * p] = gSubPixelBuffer[2 * p + 1] = static_cast<uint8_t>(p >> 3);
    }
}

std::string Saved()
{
    MakeRender();
    const std::string path = Folder() + "/render.zb3f";
    WriteFractalDataFileTo(path, true, FractalPanelValues{});
    return path;
}

void BM_SaveZb3f(benchmark::State& state)
{
    MakeRender();
    const std::string path = Folder() + "/saved.zb3f";
    for (auto _ : state) {
        if (WriteFractalDataFileTo(path, true, FractalPanelValues{}) != FileWriteResult::kWritten)
            state.SkipWithError("not written");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_SaveZb3f)->Unit(benchmark::kMillisecond);

void BM_LoadZb3f(benchmark::State& state)
{
    const std::string path = Saved();
    for (auto _ : state) {
        std::vector<uint8_t> bytes;
        auto doc = std::make_unique<FractalDataDocument>();
        if (ReadRegularFile(path, kMaxFractalDataFileBytes, bytes) != RegularFileStatus::Read ||
            ParseFractalDataFile(bytes.data(), bytes.size(), true, doc.get(), nullptr) != FileParseStatus::kRead ||
            !InstallFractalData(*doc, AllocateRenderBuffers)) {
            state.SkipWithError("not loaded");
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadZb3f)->Unit(benchmark::kMillisecond);

void BM_CopyWithCp(benchmark::State& state)
{
    const std::string path = Saved();
    const std::string command = "cp '" + path + "' '" + Folder() + "/copy.zb3f'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_CopyWithCp)->Unit(benchmark::kMillisecond);

}  // namespace
