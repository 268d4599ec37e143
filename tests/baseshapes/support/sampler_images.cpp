#include "baseshapes/support/sampler_images.h"

#include <utility>

std::vector<TestMap> DegenerateTestMaps()
{
    std::vector<uint8_t> onePixel(25, 0);
    onePixel[2 * 5 + 3] = 200;
    return {
        {"all 255", 4, 4, std::vector<uint8_t>(16, 255)},
        {"all 0", 4, 4, std::vector<uint8_t>(16, 0)},
        {"one pixel", 5, 5, onePixel},
        {"1 by 1", 1, 1, {128}},
        {"2 by 2", 2, 2, {0, 255, 64, 128}},
        {"taller than wide", 2, 7, std::vector<uint8_t>(14, 90)},
    };
}

std::vector<float> OneTriangleMesh() { return {0, 0, 0, 1, 0, 0, 0, 1, 0}; }

std::vector<float> FewTrianglesMesh()
{
    return {0, 0, 0, 1, 0, 0, 0, 1, 0,  //
            0, 0, 0, 0, 1, 0, 0, 0, 1,  //
            0, 0, 0, 0, 0, 1, 1, 0, 0,  //
            1, 0, 0, 0, 1, 0, 0, 0, 1};
}

TestImages::~TestImages() { Clear(); }

void TestImages::SetTexture(uint32_t width, uint32_t height)
{
    texels_.resize(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < texels_.size(); ++i) texels_[i] = static_cast<uint8_t>(i * 7 + 1);
    gBaseshapeTextures[baseshape_] = BaseshapeImage{{}, width, height, texels_.data()};
}

void TestImages::SetDMap(uint32_t width, uint32_t height, std::vector<uint8_t> heights)
{
    heights_ = std::move(heights);
    gBaseshapeDMaps[baseshape_] = BaseshapeImage{{}, width, height, heights_.data()};
}

void TestImages::SetMesh(std::vector<float> vertices)
{
    vertices_ = std::move(vertices);
    gBaseshapeMeshes[baseshape_] = BaseshapeMesh{
        {}, static_cast<uint32_t>(vertices_.size() / 9), vertices_.empty() ? nullptr : vertices_.data()};
}

void TestImages::Clear()
{
    gBaseshapeTextures[baseshape_] = BaseshapeImage{};
    gBaseshapeDMaps[baseshape_] = BaseshapeImage{};
    gBaseshapeMeshes[baseshape_] = BaseshapeMesh{};
}

const uint8_t* TestImages::Texel(uint32_t col, uint32_t row) const
{
    return texels_.data() + (static_cast<size_t>(row) * gBaseshapeTextures[baseshape_].width + col) * 3;
}
