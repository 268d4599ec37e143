// The seed corpora of the fuzz targets, made by the program's own writers:
//   make_fuzz_seeds <folder>   writes <folder>/bsf/*.bsf, <folder>/stl/*.stl,
//   <folder>/zdat/*.zdat and *.zb3f, <folder>/bmat/*.bmat, <folder>/tmf/*.tmf,
//   <folder>/prg/*.prg, <folder>/picture/* (PNG, JPEG, BMP),
//   <folder>/color_map/*.map, <folder>/settings/*.ini
// Every seed is small (pictures of a few pixels, a 16 x 16 render), so a
// target runs hundreds of thousands of inputs in a minute.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/baseshape_images.h"
#include "engine/baseshape_record.h"
#include "files/baseshape_file.h"
#include "files/fractal_data_file.h"
#include "files/material_file.h"
#include "files/script_file.h"
#include "files/transformation_file.h"
#include "render/render_buffers.h"
#include "files/volumetric_field.h"
#include "engine/color_map.h"
#include "platform/settings_file.h"
#include "support/picture_bytes.h"

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::string bsf = std::string(argv[1]) + "/bsf/", stl = std::string(argv[1]) + "/stl/";
    std::filesystem::create_directories(bsf), std::filesystem::create_directories(stl);
    bool ok = WriteBaseshapeFileTo(bsf + "empty.bsf", 0, 0) == FileWriteResult::kWritten;
    // A sphere, a displacement-mapped plane with every block, a mesh.
    for (const int type : {1, 49, 58}) {
        InitNewBaseshape(BaseshapeDefaults{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 64, 415, 0, 1}, 0);
        ClearBaseshapeTexture(0), ClearBaseshapeMesh(0);
        BaseshapeRecord& r = gBaseshapes[0];
        r.shapeType = type;
        r.useTexture = r.useGradient = r.modifierOn = r.arrayOn = r.neonOn = type == 49;
        ok = WriteBaseshapeFileTo(bsf + "type" + std::to_string(type) + ".bsf", 0, 1) == FileWriteResult::kWritten && ok;
    }
    // A small ball through the voxel mesh export, the program's STL writer;
    // the text form has no writer of ours and is written out as it stands.
    std::vector<uint8_t> voxels(200 * 200 * 200);
    for (size_t i = 0; i < voxels.size(); ++i) {
        const double dx = i % 200 - 100.0, dy = i / 200 % 200 - 100.0, dz = i / 40000 - 100.0;
        voxels[i] = dx * dx + dy * dy + dz * dz < 9.0;
    }
    VoxelMeshRequest request;
    request.voxels = voxels.data(), request.voxelBytes = voxels.size(), request.resolution = 200;
    request.path = stl + "voxel_ball.stl";
    ok = VolumetricField().ExportStlRawPng(request).result == MeshExportResult::kWritten && ok;
    std::ofstream(stl + "one_facet.stl") << "solid one\nfacet normal 0 0 1\n outer loop\n  vertex 0 0 0\n  vertex 2 0 0\n"
                                            "  vertex 0 2 0\n endloop\nendfacet\nendsolid one\n";
    // Two solids, the keywords of long lines across column 1,023, CR LF, and
    // one solid without a facet.
    const std::string deep(1018, ' ');
    std::ofstream(stl + "long_lines.stl") << "solid deep\r\n" << deep << "facet normal 0 0 1\r\nouter loop\r\n" << deep
                                          << "vertex 0 0 0\r\nvertex 1 0 0\r\n" << deep << "vertex 0 1 0\r\nendloop\r\n"
                                          << deep << "endfacet\r\nendsolid deep\r\nsolid two\nfacet normal 0 0 1\n"
                                             "outer loop\nvertex 0 0 1\nvertex 1 0 1\nvertex 0 1 1\nendloop\nendfacet\n"
                                             "endsolid two\n";
    std::ofstream(stl + "empty.stl") << "solid empty\nendsolid empty\n";
    // Capitals, CR line ends and NUL padding after the last "endsolid".
    std::ofstream(stl + "old_mac.stl", std::ios::binary)
        << "SOLID OLD\rFACET NORMAL 0 0 1\rOUTER LOOP\rVERTEX 0 0 0\rVERTEX 1 0 0\rVERTEX 0 1 0\rENDLOOP\rENDFACET\r"
           "ENDSOLID OLD\r"
        << std::string(64, '\0');
    // The start-up materials with pictures of a few pixels, and a 16 x 16
    // render's fractal with and without its buffers.
    const std::string zdat = std::string(argv[1]) + "/zdat/", bmat = std::string(argv[1]) + "/bmat/";
    std::filesystem::create_directories(zdat), std::filesystem::create_directories(bmat);
    gShader.InitializeTextures();
    gShader.slots[kBackgroundSlot].Replace(MakeSolidImage(2, 2, 10, 20, 30));
    gShader.slots[0].Replace(MakeSolidImage(4, 2, 200, 100, 50));
    gShader.slots[kMaterialCount].Replace(MakeSolidImage(2, 4, 50, 100, 200));
    ok = WriteMaterialFileTo(bmat + "start.bmat") == FileWriteResult::kWritten && ok;
    gBaseshapeCount = 1, gTransformCount = gPickTransformCount = 2;
    ok = AllocateRenderBuffers(16, 16, false) && ok;
    for (const bool buffers : {false, true}) {
        const std::string name = zdat + (buffers ? "small.zb3f" : "small.zdat");
        ok = WriteFractalDataFileTo(name, buffers, FractalPanelValues{}) == FileWriteResult::kWritten && ok;
    }
    // A script of every kind of line, and the writer's own for type 0.
    const std::string prg = std::string(argv[1]) + "/prg/";
    std::filesystem::create_directories(prg);
    std::ofstream(prg + "keywords.prg") << ";Talvoran Script 1.0\ntbase\nbase_type 17\nbase_position 0 1 0\n"
                                           "base_parameters 0.5 0.2\nbase_xyzrot 0 45 0\ntform\nprobability 0.5\n"
                                           "rotate 90 0 0 1\nmobius_circle 2 1 0.5 0.25 -1\nbool_sphere 1 0 0 0 inside\n"
                                           "tform\r\nmandel 0 0 2 50 4 1 3\r\nspheris 2 3 0 0 1\r\n";
    // Lines of thousands of characters with keywords far into them, old
    // line ends, and numbers the reader refuses.
    const std::string blanks(1100, ' ');
    std::ofstream(prg + "long_lines.prg") << "tform\n" << blanks << "scale 0.5 0.5 0.5\n" << std::string(3000, 'x')
                                          << " translate 1 0 0\n;" << blanks << "tbase\ntbase\r" << blanks
                                          << "base_depth 4294967295\rbase_radius 1e39\rtform\rprobability -1\r"
                                          << "rotate_rnd 0 0 1 0\rmandel 0 0 0 50 4 1 3\rsphere_inv nan 0 0 1\r"
                                          << blanks << blanks << "rotate 30 0 1 0\n";
    gFractalType = 0;
    std::ofstream(prg + "type0.prg") << WriteScriptText();
    // The transformation file of those two transformations, and of none.
    const std::string tmf = std::string(argv[1]) + "/tmf/";
    std::filesystem::create_directories(tmf);
    std::ofstream(tmf + "two.tmf") << TransformationFileText();
    gTransformCount = 0;
    std::ofstream(tmf + "none.tmf") << TransformationFileText();
    // Pictures of every kind the decoders take, small enough to mutate fast.
    namespace pb = picture_bytes;
    const std::string picture = std::string(argv[1]) + "/picture/";
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> pictures = {
        {"rgb.png", pb::Png(13, 7)},
        {"palette.png", pb::Png(9, 5, {.colourType = 3})},
        {"grey16_interlaced.png", pb::Png(11, 9, {.colourType = 4, .bitDepth = 16, .interlaced = true})},
        {"baseline.jpg", pb::Jpeg(16, 8)},
        {"progressive.jpg", pb::Jpeg(17, 9, {.progressive = true})},
        {"grey.jpg", pb::Jpeg(8, 8, {.grey = true})},
        {"rgb24.bmp", pb::Bmp(5, 3)},
        {"index4_top_down.bmp", pb::Bmp(7, 3, {.bits = 4, .topDown = true})},
        {"rgb16.bmp", pb::Bmp(3, 2, {.bits = 16})},
        {"rgb32.bmp", pb::Bmp(3, 2, {.bits = 32})},
    };
    for (const auto& [name, bytes] : pictures) ok = pb::WriteBytes(picture + name, bytes) && ok;
    const std::string maps = std::string(argv[1]) + "/color_map/";
    std::filesystem::create_directories(maps);
    ColorMap ramp;
    SetGreyRamp(ramp);
    std::ofstream(maps + "ramp.map") << ColorMapText(ramp);
    std::ofstream(maps + "odd.map") << "255.9 0 12.5\n256 -1 1e9\n\n7\n";
    const std::string settings = std::string(argv[1]) + "/settings/";
    std::filesystem::create_directories(settings);
    SettingsFile file;
    file.LoadText("; kept\n[Other]\nTextures=/elsewhere\n[Talvoran Vane]\nImages=/home/u/Pictures\n");
    file.Set("Textures", "/home/u/textures");
    std::ofstream(settings + "settings.ini") << file.Text();
    return ok ? 0 : 1;
}
