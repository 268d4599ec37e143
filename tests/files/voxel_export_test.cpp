#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/file_replacement.h"
#include "files/volumetric_field.h"
#include "files/voxel_smoothing.h"
#include "support/mesh_readers.h"

namespace fs = std::filesystem;

namespace {

constexpr int kN = 200;  // the smallest side of the resolution table

struct Voxels {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(static_cast<size_t>(kN) * kN * kN);
    uint8_t& At(int x, int y, int z) { return bytes[(static_cast<size_t>(z) * kN + y) * kN + x]; }
};

Voxels Ball(double radius)
{
    Voxels v;
    for (size_t i = 0; i < v.bytes.size(); ++i) {
        const double dx = i % kN - 100.3, dy = i / kN % kN - 99.6, dz = i / kN / kN - 100.2;
        v.bytes[i] = dx * dx + dy * dy + dz * dz < radius * radius;
    }
    return v;
}

std::vector<uint8_t> Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The OBJ as a reader sees it: vertices joined by their text (block borders
// repeat them), faces by those joined numbers.
struct ObjMesh {
    std::vector<std::array<double, 3>> points;
    std::vector<std::array<int, 3>> faces;
};

ObjMesh ReadObj(const fs::path& path)
{
    ObjMesh mesh;
    std::map<std::string, int> joined;
    std::vector<int> number;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 2) continue;
        std::istringstream fields(line.substr(2));
        if (line.rfind("v ", 0) == 0) {
            auto [at, added] = joined.emplace(line, static_cast<int>(mesh.points.size()));
            if (added) {
                std::array<double, 3> p;
                fields >> p[0] >> p[1] >> p[2];
                mesh.points.push_back(p);
            }
            number.push_back(at->second);
        } else if (line.rfind("f ", 0) == 0) {
            std::array<int, 3> f;
            fields >> f[0] >> f[1] >> f[2];
            for (int& i : f) i = number.at(static_cast<size_t>(i - 1));
            mesh.faces.push_back(f);
        }
    }
    return mesh;
}

// Every edge carries two faces, one in each direction; the enclosed volume.
double ClosedVolume(const ObjMesh& mesh)
{
    std::map<std::pair<int, int>, int> edges;
    double volume = 0.0;
    for (const auto& f : mesh.faces) {
        for (int k = 0; k < 3; ++k) ++edges[{f[k], f[(k + 1) % 3]}];
        const auto &a = mesh.points[f[0]], &b = mesh.points[f[1]], &c = mesh.points[f[2]];
        volume += (a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                   a[2] * (b[0] * c[1] - b[1] * c[0])) / 6.0;
    }
    int open = 0;
    for (const auto& [edge, count] : edges) open += count != 1 || edges.count({edge.second, edge.first}) == 0;
    EXPECT_EQ(open, 0) << "edges not shared by exactly two faces in opposite directions";
    return volume;
}

class VoxelExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("talvoran_voxel_export_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        gReplacementFileByteLimit = -1;
        fs::remove_all(dir_);
    }
    // kind: 's' STL, 'o' OBJ, 'r' RAW, 'p' PNG slices.
    MeshExportStatus Export(Voxels& v, char kind, const fs::path& path, int mode = kSmoothingAverage3)
    {
        VoxelMeshRequest r;
        r.voxels = v.bytes.data();
        r.voxelBytes = v.bytes.size();
        r.resolution = resolution;
        r.interpolation = mode;
        r.volume = kind == 'r' || kind == 'p';
        r.png = kind == 'p';
        r.obj = kind == 'o';
        r.path = path.string();
        r.scaleMesh = sideLength > 0.0f;
        r.sideLength = sideLength;
        VolumetricField field;
        return kind == 'o' ? field.ExportObj(r) : field.ExportStlRawPng(r);
    }
    fs::path dir_;
    int resolution = kN;
    float sideLength = 0.0f;
};

TEST_F(VoxelExport, EveryModeGivesAClosedBallThatAssimpReads)
{
    const std::string assimp = FindReader("assimp");
    const struct {
        int mode;
        const char* name;
    } modes[] = {{0, "Median 5X"}, {1, "Median 3X"}, {2, "Gaussian"}, {3, "Linear"}, {4, "Cubes"}};
    for (const auto& m : modes) {
        Voxels ball = Ball(20.0);
        const fs::path path = dir_ / "ball.obj";
        ASSERT_EQ(Export(ball, 'o', path, m.mode).result, MeshExportResult::kWritten) << m.name;
        const ObjMesh mesh = ReadObj(path);
        EXPECT_NEAR(ClosedVolume(mesh), 4.0 / 3.0 * std::numbers::pi * 8000.0, 0.03 * 33510.0) << m.name;
        int exit = 0;
        const std::string report = RunReader(assimp, "info", path.string(), &exit);
        EXPECT_EQ(exit, 0) << report;
        EXPECT_EQ(ReaderNumber(report, "Faces:"), static_cast<double>(mesh.faces.size())) << m.name;
        EXPECT_EQ(ReaderNumber(report, "Vertices:"), static_cast<double>(mesh.points.size())) << m.name;
    }
}

// A 3 x 3 x 3 block in "Cubes": the STL holds the OBJ's triangles with y and
// z exchanged, unit normals along the facets' own winding, and admesh finds
// one closed part.
TEST_F(VoxelExport, StlIsTheObjWithYAndZExchanged)
{
    auto block = [] {
        Voxels v;
        for (int i = 0; i < 27; ++i) v.At(60 + i % 3, 70 + i / 3 % 3, 80 + i / 9) = 1;
        return v;
    };
    Voxels a = block(), b = block();
    ASSERT_EQ(Export(a, 's', dir_ / "block.stl", kSmoothingIsInside).result, MeshExportResult::kWritten);
    ASSERT_EQ(Export(b, 'o', dir_ / "block.obj", kSmoothingIsInside).result, MeshExportResult::kWritten);
    const std::vector<uint8_t> stl = Bytes(dir_ / "block.stl");
    ASSERT_GE(stl.size(), 84u);
    EXPECT_EQ(std::string(stl.begin(), stl.begin() + 80), std::string("Talvoran STL file") + std::string(63, '\0'));
    uint32_t count = 0;
    std::memcpy(&count, stl.data() + 80, 4);
    ASSERT_EQ(stl.size(), 84u + 50u * count);

    const ObjMesh obj = ReadObj(dir_ / "block.obj");
    ASSERT_EQ(obj.faces.size(), count);
    std::set<std::string> objTriangles, stlTriangles;
    auto key = [](std::array<std::array<double, 3>, 3> p) {
        std::sort(p.begin(), p.end());
        std::ostringstream s;
        for (const auto& q : p) s << q[0] << ' ' << q[1] << ' ' << q[2] << ' ';
        return s.str();
    };
    for (const auto& f : obj.faces) objTriangles.insert(key({obj.points[f[0]], obj.points[f[1]], obj.points[f[2]]}));
    for (uint32_t i = 0; i < count; ++i) {
        float v[12];
        std::memcpy(v, stl.data() + 84 + 50 * i, sizeof v);
        EXPECT_NEAR(std::hypot(v[0], v[1], v[2]), 1.0, 1e-5);
        const double ux = v[6] - v[3], uy = v[7] - v[4], uz = v[8] - v[5], wx = v[9] - v[3], wy = v[10] - v[4],
                     wz = v[11] - v[5];
        EXPECT_GT(v[0] * (uy * wz - uz * wy) + v[1] * (uz * wx - ux * wz) + v[2] * (ux * wy - uy * wx), 0.0);
        // File (x, z, y) back to grid (x, y, z).
        stlTriangles.insert(key({{{v[3], v[5], v[4]}, {v[6], v[8], v[7]}, {v[9], v[11], v[10]}}}));
    }
    EXPECT_EQ(stlTriangles, objTriangles);

    int exit = 0;
    const std::string report = RunReader(FindReader("admesh"), "", (dir_ / "block.stl").string(), &exit);
    EXPECT_EQ(exit, 0) << report;
    EXPECT_EQ(ReaderNumber(report, "Number of facets"), count) << report;
    for (const char* zero : {"Total disconnected facets", "Degenerate facets", "Backwards edges", "Normals fixed"}) {
        EXPECT_EQ(ReaderNumber(report, zero), 0.0) << zero << "\n" << report;
    }
    EXPECT_EQ(ReaderNumber(report, "Number of parts"), 1.0) << report;
}

TEST_F(VoxelExport, AnIsolatedVoxelLeavesValidEmptyFiles)
{
    for (const char kind : {'s', 'o', 'p'}) {
        Voxels v;
        v.At(50, 60, 70) = 1;
        const fs::path path = dir_ / (std::string("single.") + kind);
        EXPECT_EQ(Export(v, kind, path).result, MeshExportResult::kEmpty) << kind;
        EXPECT_EQ(v.At(50, 60, 70), 0) << "the cleaning stays in the grid";
        if (kind == 'p') {
            EXPECT_FALSE(fs::exists(dir_ / "single.p_0.png"));
            continue;
        }
        const std::vector<uint8_t> bytes = Bytes(path);
        EXPECT_EQ(bytes.size(), kind == 's' ? 84u : 0u) << kind;
        EXPECT_EQ(std::count(bytes.begin() + (kind == 's' ? 80 : 0), bytes.end(), 0), kind == 's' ? 4 : 0) << "count 0";
    }
}

// Byte (x, y, z) of the volume lies at x N N + z N + y.
TEST_F(VoxelExport, RawBytesRunXThenZThenY)
{
    Voxels v;
    const int set[3][3] = {{10, 20, 30}, {11, 20, 30}, {11, 21, 31}};
    for (const auto& p : set) v.At(p[0], p[1], p[2]) = 1;
    ASSERT_EQ(Export(v, 'r', dir_ / "volume.raw", kSmoothingIsInside).result, MeshExportResult::kWritten);
    const std::vector<uint8_t> raw = Bytes(dir_ / "volume.raw");
    ASSERT_EQ(raw.size(), static_cast<size_t>(kN) * kN * kN);
    for (const auto& p : set) EXPECT_EQ(raw[(static_cast<size_t>(p[0]) * kN + p[2]) * kN + p[1]], 255);
    EXPECT_EQ(std::count(raw.begin(), raw.end(), 255), 3);
}

// Each slice reads back through libpng: N wide, the box's rows high, grey,
// with its text entry, a pixel of 255 for each set voxel.
TEST_F(VoxelExport, PngSlicesReadBackAndAFailedSliceIsCounted)
{
    Voxels v = Ball(10.0), expected = v;
    fs::create_directory(dir_ / "shape.png_7.png");  // this slice cannot take its name
    const MeshExportStatus status = Export(v, 'p', dir_ / "shape.png");
    EXPECT_EQ(status.result, MeshExportResult::kSlicesFailed);
    EXPECT_EQ(status.failedSlices, 1u);
    // Set voxels span y 90..109 and z 91..110 (centre 99.6, 100.2, radius
    // 10); the box is 5 wider.
    const int lo[3] = {0, 85, 86}, hi[3] = {0, 114, 115};
    const int rows = hi[1] - lo[1];
    ASSERT_EQ(status.slices, static_cast<uint32_t>(hi[2] - lo[2]));
    for (int k = 0; k < hi[2] - lo[2]; ++k) {
        if (k == 7) continue;
        const std::string name = (dir_ / ("shape.png_" + std::to_string(k) + ".png")).string();
        FILE* file = std::fopen(name.c_str(), "rb");
        ASSERT_NE(file, nullptr) << name;
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            FAIL() << name;
        }
        png_init_io(png, file);
        png_read_info(png, info);
        ASSERT_EQ(png_get_image_width(png, info), static_cast<png_uint_32>(kN));
        ASSERT_EQ(png_get_image_height(png, info), static_cast<png_uint_32>(rows));
        EXPECT_EQ(png_get_color_type(png, info), PNG_COLOR_TYPE_GRAY);
        EXPECT_EQ(png_get_bit_depth(png, info), 8);
        png_textp text = nullptr;
        ASSERT_EQ(png_get_text(png, info, &text, nullptr), 1);
        EXPECT_STREQ(text[0].key, "Talvoran Fractals");
        EXPECT_STREQ(text[0].text, "Voxel Slicer");
        std::vector<uint8_t> row(kN);
        for (int y = lo[1]; y < hi[1]; ++y) {
            png_read_row(png, row.data(), nullptr);
            for (int x = 0; x < kN; ++x) ASSERT_EQ(row[x], expected.At(x, y, lo[2] + k) ? 255 : 0) << k << " " << x;
        }
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
    }
    for (const auto& entry : fs::directory_iterator(dir_)) EXPECT_EQ(entry.path().extension(), ".png") << entry.path();
}

// A full disk or a missing folder: the result asks for the warning, the
// older file of that name is untouched and nothing else is left.
TEST_F(VoxelExport, AFailedWriteLeavesTheOlderFileAlone)
{
    const fs::path path = dir_ / "kept";
    std::ofstream(path) << "older";
    gReplacementFileByteLimit = 4096;
    for (const char kind : {'s', 'o', 'r'}) {
        Voxels v = Ball(30.0);
        const MeshExportStatus status = Export(v, kind, path);
        EXPECT_EQ(status.result, MeshExportResult::kWriteFailed) << kind;
        EXPECT_TRUE(MeshExportNeedsWarning(status));
        Voxels w = Ball(30.0);
        EXPECT_EQ(Export(w, kind, dir_ / "missing" / "file").result, MeshExportResult::kWriteFailed) << kind;
    }
    EXPECT_EQ(Bytes(path), std::vector<uint8_t>({'o', 'l', 'd', 'e', 'r'}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// Each phase says how far it is, in order, on the status line and in the
// percentage the export view shows; the STL ends with "Talvoran".
TEST_F(VoxelExport, EveryPhaseReportsItsProgress)
{
    static std::vector<std::string> phases;
    phases.clear();
    std::atomic<float> percent{-1.0f};
    Voxels v = Ball(20.0);
    VoxelMeshRequest r;
    r.voxels = v.bytes.data(), r.voxelBytes = v.bytes.size(), r.resolution = kN, r.path = (dir_ / "wall.stl").string();
    r.interiorWall = 1, r.wallThickness = 2, r.progress = &percent;
    r.status = [](const char* text) {
        std::string phase(text);
        const size_t at = phase.find_first_of("0123456789");  // the percentage and the blank after it
        if (at != std::string::npos) phase.erase(at, phase.find_first_not_of("0123456789.", at) - at + 1);
        phase.erase(phase.find_last_not_of(' ') + 1);
        if (phases.empty() || phases.back() != phase) phases.push_back(phase);
    };
    ASSERT_EQ(VolumetricField().ExportStlRawPng(r).result, MeshExportResult::kWritten);
    EXPECT_EQ(phases, (std::vector<std::string>{"Mesh Export :  Analizing", "Mesh Export :  Filling Holes",
                                                "Mesh Export :  Calculating Walls", "Mesh Export :  Creating Walls",
                                                "Mesh Export :  Completed", "Talvoran"}));
    EXPECT_NEAR(percent.load(), 100.0f * (100 + 21 + 5) / kN, 1.0f) << "the box's last x plane";
}

TEST_F(VoxelExport, OnlyTheTablesResolutionsAreExported)
{
    ASSERT_NE(FindVoxelSide(1600), nullptr);
    EXPECT_EQ(FindVoxelSide(1600)->side, 1400u);
    EXPECT_EQ(FindVoxelSide(1600)->halfSide, 700u);
    for (const int r : {0, 64, 1601, -200, 400}) {  // 400 would read past a 200 cube
        resolution = r;
        Voxels v = Ball(20.0);
        EXPECT_EQ(Export(v, 's', dir_ / "refused.stl").result, MeshExportResult::kRefused) << r;
    }
    EXPECT_TRUE(fs::is_empty(dir_));
}

// The seeded welding gives the same file twice; a scaled mesh fills the side
// length and no more.
TEST_F(VoxelExport, OneGridGivesOneObjAndScalingFitsTheSide)
{
    sideLength = 2.0f;
    Voxels a = Ball(95.0), b = Ball(95.0);
    ASSERT_EQ(Export(a, 'o', dir_ / "a.obj").result, MeshExportResult::kWritten);
    ASSERT_EQ(Export(b, 'o', dir_ / "b.obj").result, MeshExportResult::kWritten);
    EXPECT_EQ(Bytes(dir_ / "a.obj"), Bytes(dir_ / "b.obj"));
    double largest = 0.0;
    for (const auto& p : ReadObj(dir_ / "a.obj").points)
        for (double c : p) largest = std::max(largest, std::fabs(c));
    EXPECT_LE(largest, 1.0);
    EXPECT_GT(largest, 0.9);
}

// A 3-D checkerboard makes four triangles in every cell, 4,000 in a block:
// far past 1,500, and the file still opens with every face.
TEST_F(VoxelExport, TheWorstBlockFitsItsBuffers)
{
    Voxels v;
    for (int i = 0; i < 30 * 30 * 30; ++i) v.At(40 + i % 30, 40 + i / 30 % 30, 40 + i / 900) = (i % 30 + i / 30 % 30 + i / 900) % 2;
    Voxels w = v;
    const MeshExportStatus obj = Export(v, 'o', dir_ / "board.obj", kSmoothingIsInside);
    ASSERT_EQ(obj.result, MeshExportResult::kWritten);
    EXPECT_EQ(Export(w, 's', dir_ / "board.stl", kSmoothingIsInside).triangles, obj.triangles);
    EXPECT_GE(obj.triangles, 4u * 29 * 29 * 29);
    EXPECT_GT(ClosedVolume(ReadObj(dir_ / "board.obj")), 0.0) << "every face of every cell is ambiguous";
    int exit = 0;
    const std::string report = RunReader(FindReader("assimp"), "info", (dir_ / "board.obj").string(), &exit);
    EXPECT_EQ(exit, 0) << report;
    EXPECT_EQ(ReaderNumber(report, "Faces:"), static_cast<double>(obj.triangles));
}

}  // namespace
