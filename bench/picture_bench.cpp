// A textures-folder thumbnail of a large picture: the whole picture decoded
// and then sampled (what the atlas did before) against the thumbnail decode
// that keeps only the sampled pixels (JPEG at a reduced scale). Run with
// --benchmark_enable_random_interleaving=true to interleave the two.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/picture_file.h"
#include "platform/support/picture_bytes.h"

namespace {

namespace pb = picture_bytes;

const std::vector<uint8_t>& Png16()
{
    static const std::vector<uint8_t> bytes = pb::Png(4096, 2048, {.colourType = 6, .bitDepth = 16, .compression = 1});
    return bytes;
}

const std::vector<uint8_t>& Jpeg()
{
    static const std::vector<uint8_t> bytes = pb::Jpeg(4096, 2048, {.quality = 85});
    return bytes;
}

void WholeThenSampled(benchmark::State& state, const std::vector<uint8_t>& bytes)
{
    for (auto _ : state) {
        RgbImage image;
        DecodeImageRgb(image, bytes.data(), bytes.size());
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

void Thumbnail(benchmark::State& state, const std::vector<uint8_t>& bytes)
{
    for (auto _ : state) {
        RgbImage image;
        DecodeImageThumbnailRgb(image, bytes.data(), bytes.size(), 64);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

BENCHMARK_CAPTURE(WholeThenSampled, png16, Png16())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Thumbnail, png16, Png16())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeThenSampled, jpeg, Jpeg())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Thumbnail, jpeg, Jpeg())->Unit(benchmark::kMillisecond);

}  // namespace
