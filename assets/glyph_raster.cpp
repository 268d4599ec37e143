#include "assets/glyph_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace assetgen {

struct GlyphFace::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

std::string DejaVuPath(const char* fileName)
{
    const char* dir = std::getenv("TALVORAN_FONT_DIR");
    return std::string(dir != nullptr ? dir : "/usr/share/fonts/truetype/dejavu") + "/" + fileName;
}

GlyphFace::GlyphFace(const std::string& path, const std::string& fallbackPath, float synthSlant) : impl_(new Impl)
{
    if (FT_Init_FreeType(&impl_->library) != 0) return;
    if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) == 0) return;
    impl_->face = nullptr;
    if (fallbackPath.empty() || FT_New_Face(impl_->library, fallbackPath.c_str(), 0, &impl_->face) != 0) {
        impl_->face = nullptr;
        std::fprintf(stderr, "cannot open font %s\n", path.c_str());
        return;
    }
    std::fprintf(stderr, "note: %s missing, slanting %s instead\n", path.c_str(), fallbackPath.c_str());
    FT_Matrix shear{0x10000, static_cast<FT_Fixed>(synthSlant * 0x10000), 0, 0x10000};
    FT_Set_Transform(impl_->face, &shear, nullptr);
}

GlyphFace::~GlyphFace()
{
    if (impl_->face != nullptr) FT_Done_Face(impl_->face);
    if (impl_->library != nullptr) FT_Done_FreeType(impl_->library);
}

bool GlyphFace::Ok() const { return impl_->face != nullptr; }

void GlyphFace::SetPixelSize(int px)
{
    if (Ok()) FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(px));
}

bool GlyphFace::HasGlyph(unsigned codePoint) { return Ok() && FT_Get_Char_Index(impl_->face, codePoint) != 0; }

float GlyphFace::Advance(unsigned codePoint)
{
    if (!Ok() || FT_Load_Char(impl_->face, codePoint, FT_LOAD_DEFAULT) != 0) return 0.0f;
    return impl_->face->glyph->advance.x / 64.0f;
}

float GlyphFace::DrawGlyph(Canvas& c, unsigned codePoint, float penX, float baselineY, Rgb colour)
{
    if (!Ok()) return 0.0f;
    // Render at the pen's fractional position so strings keep even spacing.
    const float fx = penX - std::floor(penX);
    FT_Vector delta{static_cast<FT_Pos>(fx * 64.0f), 0};
    FT_Matrix* matrix = nullptr;
    FT_Matrix keep{};
    FT_Vector keepDelta{};
    FT_Get_Transform(impl_->face, &keep, &keepDelta);
    matrix = &keep;
    FT_Set_Transform(impl_->face, matrix, &delta);
    const bool loaded = FT_Load_Char(impl_->face, codePoint, FT_LOAD_RENDER) == 0;
    FT_Set_Transform(impl_->face, matrix, &keepDelta);
    if (!loaded) return 0.0f;
    const FT_GlyphSlot g = impl_->face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    const int ox = static_cast<int>(std::floor(penX)) + g->bitmap_left;
    const int oy = static_cast<int>(std::lround(baselineY)) - g->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row)
        for (unsigned col = 0; col < bm.width; ++col) {
            const unsigned char v = bm.buffer[row * bm.pitch + col];
            if (v != 0) c.Blend(ox + static_cast<int>(col), oy + static_cast<int>(row), colour, v / 255.0f);
        }
    return g->advance.x / 64.0f;
}

float GlyphFace::StringWidth(const std::string& text)
{
    float w = 0.0f;
    for (unsigned char ch : text) w += Advance(ch);
    return w;
}

void GlyphFace::DrawAt(Canvas& c, const std::string& text, float x, float baselineY, Rgb colour)
{
    for (unsigned char ch : text) x += DrawGlyph(c, ch, x, baselineY, colour);
}

void GlyphFace::DrawCentred(Canvas& c, const std::string& text, float centreX, float baselineY, Rgb colour)
{
    DrawAt(c, text, centreX - StringWidth(text) * 0.5f, baselineY, colour);
}

}  // namespace assetgen
