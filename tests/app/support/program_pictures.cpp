#include "app/support/program_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
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
