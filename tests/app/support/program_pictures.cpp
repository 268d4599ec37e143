#include "app/support/program_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/frame.h"
#include "app/support/program_test.h"
#include "assets/png_file.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "support/screenshot.h"

const uint8_t* WindowPicture::At(int x, int y) const
{
    const int px = std::clamp(x * w / 1600, 0, w - 1), py = std::clamp((1000 - y) * h / 1000, 0, h - 1);
    return &rgb[(static_cast<size_t>(py) * w + px) * 3];
}

std::vector<uint8_t> WindowPicture::Preview() const
{
    std::vector<uint8_t> view;
    const int left = 700 * w / 1600, right = 1532 * w / 1600;
    for (int y = (1000 - 992) * h / 1000; y < (1000 - 160) * h / 1000; ++y)
        view.insert(view.end(), rgb.begin() + (y * w + left) * 3, rgb.begin() + (y * w + right) * 3);
    return view;
}

void WindowPicture::Write(const std::filesystem::path& file) const
{
    assetgen::WritePngRgb(file.string(), rgb.data(), w, h);
}

WindowPicture Shot(const char* reviewName)
{
    WindowPicture f;
    f.rgb = gProgram.Screenshot(&f.w, &f.h);
    if (reviewName) f.Write(std::string(reviewName) + ".review.png");
    return f;
}

size_t LitPixels(const std::vector<uint8_t>& rgb, int dark)
{
    size_t lit = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) lit += std::max({rgb[i], rgb[i + 1], rgb[i + 2]}) > dark ? 1 : 0;
    return lit;
}

double LitShare(const std::vector<uint8_t>& rgb, int dark)
{
    const size_t pixels = rgb.size() / 3;
    return pixels == 0 ? 0.0 : static_cast<double>(LitPixels(rgb, dark)) / static_cast<double>(pixels);
}

double DifferentShare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size() || a.empty()) return 1.0;
    size_t different = 0;
    for (size_t i = 0; i + 2 < a.size(); i += 3) {
        int d = 0;
        for (int c = 0; c < 3; ++c) d = std::max(d, std::abs(a[i + c] - b[i + c]));
        different += d > 16 ? 1 : 0;
    }
    return static_cast<double>(different) / static_cast<double>(a.size() / 3);
}

namespace {

// The span of the bins holding the middle 99 % of the counts (0.5 % cut on
// each side), over the number of bins.
double MiddleSpan(const std::vector<size_t>& counts, size_t total)
{
    if (total == 0) return 0.0;
    const size_t cut = total / 200;
    size_t seen = 0;
    int first = 0, last = static_cast<int>(counts.size()) - 1;
    for (int i = 0; i < static_cast<int>(counts.size()); ++i) {
        seen += counts[i];
        if (seen > cut) {
            first = i;
            break;
        }
    }
    seen = 0;
    for (int i = static_cast<int>(counts.size()) - 1; i >= 0; --i) {
        seen += counts[i];
        if (seen > cut) {
            last = i;
            break;
        }
    }
    return last >= first ? static_cast<double>(last - first + 1) / static_cast<double>(counts.size()) : 0.0;
}

}  // namespace

PictureFigures MeasurePicture(const std::vector<uint8_t>& rgb, int w, int h)
{
    PictureFigures f;
    if (w <= 0 || h <= 0 || rgb.size() < static_cast<size_t>(w) * h * 3) return f;
    constexpr int kDark = 24, kBlock = 8;
    const int bw = w / kBlock, bh = h / kBlock;
    std::vector<size_t> columns(w, 0), rows(h, 0);
    std::vector<double> block(static_cast<size_t>(bw) * bh, 0.0);
    std::vector<uint8_t> blockSolid(block.size(), 1);
    size_t lit = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            const int v = std::max({p[0], p[1], p[2]});
            if (v > kDark) ++lit, ++columns[x], ++rows[y];
            if (x / kBlock < bw && y / kBlock < bh) {
                const size_t b = static_cast<size_t>(y / kBlock) * bw + x / kBlock;
                block[b] += (p[0] + p[1] + p[2]) / 3.0;
                if (v <= kDark) blockSolid[b] = 0;
            }
        }
    }
    f.litShare = static_cast<double>(lit) / (static_cast<double>(w) * h);
    f.extentX = MiddleSpan(columns, lit);
    f.extentY = MiddleSpan(rows, lit);
    double brightest = 0.0;
    for (double& b : block) brightest = std::max(brightest, b /= kBlock * kBlock);
    const double step = 0.1 * brightest;
    size_t pairs = 0, edges = 0, solidPairs = 0, solidEdges = 0;
    auto pair = [&](size_t a, size_t b) {
        ++pairs;
        const bool edge = brightest > 0.0 && std::fabs(block[a] - block[b]) > step;
        edges += edge ? 1 : 0;
        if (blockSolid[a] && blockSolid[b]) ++solidPairs, solidEdges += edge ? 1 : 0;
    };
    for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x) {
            const size_t b = static_cast<size_t>(y) * bw + x;
            if (x + 1 < bw) pair(b, b + 1);
            if (y + 1 < bh) pair(b, b + bw);
        }
    f.edges = pairs ? static_cast<double>(edges) / static_cast<double>(pairs) : 0.0;
    f.solid = pairs ? static_cast<double>(solidPairs) / static_cast<double>(pairs) : 0.0;
    f.solidEdges = solidPairs ? static_cast<double>(solidEdges) / static_cast<double>(solidPairs) : 0.0;
    return f;
}

void PictureSheet::Add(const std::vector<uint8_t>& rgb, int w, int h)
{
    std::vector<uint8_t> tile(static_cast<size_t>(size) * size * 3, 0);
    for (int ty = 0; ty < size; ++ty) {
        for (int tx = 0; tx < size; ++tx) {
            const int x0 = tx * w / size, x1 = std::max(x0 + 1, (tx + 1) * w / size);
            const int y0 = ty * h / size, y1 = std::max(y0 + 1, (ty + 1) * h / size);
            for (int c = 0; c < 3; ++c) {
                unsigned sum = 0, n = 0;
                for (int y = y0; y < y1 && y < h; ++y)
                    for (int x = x0; x < x1 && x < w; ++x, ++n) sum += rgb[(static_cast<size_t>(y) * w + x) * 3 + c];
                tile[(static_cast<size_t>(ty) * size + tx) * 3 + c] = static_cast<uint8_t>(n ? sum / n : 0);
            }
        }
    }
    tiles.push_back(std::move(tile));
}

void PictureSheet::Write(const std::filesystem::path& file) const
{
    constexpr int kGap = 4;
    const int rows = (static_cast<int>(tiles.size()) + columns - 1) / columns;
    const int w = columns * (size + kGap) + kGap, h = std::max(1, rows * (size + kGap) + kGap);
    std::vector<uint8_t> sheet(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < sheet.size(); i += 3) sheet[i] = 24, sheet[i + 1] = 24, sheet[i + 2] = 40;
    for (size_t t = 0; t < tiles.size(); ++t) {
        const int left = kGap + static_cast<int>(t % columns) * (size + kGap);
        const int top = kGap + static_cast<int>(t / columns) * (size + kGap);
        for (int y = 0; y < size; ++y)
            std::copy_n(&tiles[t][static_cast<size_t>(y) * size * 3], size * 3,
                        &sheet[(static_cast<size_t>(top + y) * w + left) * 3]);
    }
    assetgen::WritePngRgb(file.string(), sheet.data(), w, h);
}

size_t DrawnPixels()
{
    size_t n = 0;
    for (int64_t i = 0; i < static_cast<int64_t>(gImageWidth) * gImageHeight; ++i) n += gDepthBuffer[i] != 0.0f;
    return n;
}

void ExpectPanelLooksLike(const char* name)
{
    const int screen = gScreenState.load();
    gScreenState = kScreenInterfaceOnly;
    gProgram.Frames(2);
    int width = 0, height = 0;
    const std::vector<uint8_t> rgb = gProgram.Screenshot(&width, &height);
    const ScreenshotResult r = CompareWithReference(name, rgb, width, height, 24, 0.004);
    EXPECT_TRUE(r.ok) << name << ": " << r.message;
    gScreenState = screen;
}
