// Textures, displacement maps and meshes made in code for the sampler tests,
// installed on one baseshape and removed again when the fixture goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/baseshape_model.h"

// A named height map: width, height and one height byte a pixel, row 0 first.
struct TestMap {
    std::string name;
    uint32_t width;
    uint32_t height;
    std::vector<uint8_t> heights;
};

// The maps every displacement sampler should survive: all 255, all 0, one
// non-zero pixel, 1 by 1, 2 by 2 and taller than wide.
std::vector<TestMap> DegenerateTestMaps();

// Meshes of one triangle and of a few (9 floats a triangle); none is the
// empty vector.
std::vector<float> OneTriangleMesh();
std::vector<float> FewTrianglesMesh();

class TestImages {
public:
    explicit TestImages(int baseshape) : baseshape_(baseshape) {}
    ~TestImages();
    TestImages(const TestImages&) = delete;
    TestImages& operator=(const TestImages&) = delete;

    // A texture whose texel bytes are i * 7 + 1.
    void SetTexture(uint32_t width, uint32_t height);
    void SetDMap(uint32_t width, uint32_t height, std::vector<uint8_t> heights);
    void SetDMap(const TestMap& map) { SetDMap(map.width, map.height, map.heights); }
    void SetMesh(std::vector<float> vertices);
    // Takes the texture, map and mesh off the baseshape.
    void Clear();

    const uint8_t* Texel(uint32_t col, uint32_t row) const;

private:
    int baseshape_;
    std::vector<uint8_t> texels_;
    std::vector<uint8_t> heights_;
    std::vector<float> vertices_;
};
