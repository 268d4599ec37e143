#include "ui/thumbnail_atlas.h"

#include <algorithm>
#include <cctype>

#include "platform/desktop/gl_api.h"
#include "ui/texture_upload.h"

unsigned gThumbListBase = 0;
int gThumbnailCount = 0;
std::vector<unsigned> gThumbPageTextures;

namespace {

// The letter G, rows from the bottom of the cell up.
constexpr uint8_t kColorMapMark[8][8] = {
    {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 1, 1, 1, 1, 0, 0}, {1, 1, 0, 0, 0, 1, 1, 0}, {1, 1, 0, 0, 1, 1, 1, 0},
    {1, 1, 0, 0, 0, 0, 0, 0}, {1, 1, 0, 0, 0, 0, 0, 0}, {0, 0, 1, 1, 1, 1, 1, 0}, {0, 0, 0, 0, 0, 0, 0, 0},
};

uint8_t* PixelAt(uint8_t* page, int x, int y) { return page + (static_cast<size_t>(y) * kThumbPageSize + x) * 3; }

}  // namespace

bool IsColorMapName(const std::string& name)
{
    if (name.size() < 4) return false;
    const char* tail = name.c_str() + name.size() - 4;
    return tail[0] == '.' && std::tolower(static_cast<unsigned char>(tail[1])) == 'm' &&
           std::tolower(static_cast<unsigned char>(tail[2])) == 'a' &&
           std::tolower(static_cast<unsigned char>(tail[3])) == 'p';
}

void PaintColorMapCell(uint8_t* page, int x0, int y0, const ColorMap& map)
{
    for (int k = 0; k < kThumbSize; ++k) {
        int sum[3] = {0, 0, 0};
        for (int e = 4 * k; e < 4 * k + 4; ++e) sum[0] += map.red[e], sum[1] += map.green[e], sum[2] += map.blue[e];
        for (int x = 0; x < kThumbSize; ++x)
            for (int c = 0; c < 3; ++c) PixelAt(page, x0 + x, y0 + k)[c] = static_cast<uint8_t>(sum[c] / 4);
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            for (int c = 0; c < 3; ++c) PixelAt(page, x0 + x, y0 + y)[c] = kColorMapMark[y][x] != 0 ? 255 : 0;
}

void PaintPictureCell(uint8_t* page, int x0, int y0, const RgbImage& image)
{
    if (image.pixels.size() < static_cast<size_t>(image.width) * image.height * 3 || image.width == 0 ||
        image.height == 0)
        return;
    const float fx = static_cast<float>(image.width) * 0.015625f, fy = static_cast<float>(image.height) * 0.015625f;
    for (int y = 0; y < kThumbSize; ++y) {
        const uint32_t sy = static_cast<uint32_t>(static_cast<float>(y) * fy);
        for (int x = 0; x < kThumbSize; ++x) {
            const uint32_t sx = static_cast<uint32_t>(static_cast<float>(x) * fx);
            const uint8_t* src = &image.pixels[(static_cast<size_t>(sy) * image.width + sx) * 3];
            uint8_t* dst = PixelAt(page, x0 + x, y0 + y);
            dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
        }
    }
}

void BuildThumbnailAtlas(const std::string& folder, const std::vector<std::string>& names, ColorMap* lastMap)
{
    const int count = static_cast<int>(names.size());
    gThumbnailCount = 0;
    if (count == 0) return;
    gThumbListBase = glGenLists(count);
    const int pages = (count + kThumbsPerPage - 1) / kThumbsPerPage;
    RgbPicture page;
    page.width = page.height = kThumbPageSize;
    glEnable(GL_TEXTURE_2D);
    for (int p = 0; p < pages; ++p) {
        page.pixels.assign(static_cast<size_t>(kThumbPageSize) * kThumbPageSize * 3, 0);
        const int first = p * kThumbsPerPage, last = std::min(count, first + kThumbsPerPage);
        for (int i = first; i < last; ++i) {
            const ThumbCell cell = ThumbnailCell(i);
            const int x0 = cell.column * kThumbSize, y0 = (kThumbsPerRow - 1 - cell.row) * kThumbSize;
            const std::string path = folder + "/" + names[i];
            if (IsColorMapName(names[i])) {
                ColorMap map;
                ReadColorMapFile(path, map);
                PaintColorMapCell(page.pixels.data(), x0, y0, map);
                if (lastMap != nullptr) *lastMap = map;
            } else {
                // Only the sampled pixels are kept: a large picture costs
                // the window thread no more memory than its cell.
                RgbImage image;
                LoadImageThumbnailRgb(image, path, kThumbSize);
                PaintPictureCell(page.pixels.data(), x0, y0, image);
            }
        }
        const unsigned texture = UploadPictureTexture(page, TextureMip::Full, TextureWrap::Clamp);
        gThumbPageTextures.push_back(texture);
        for (int i = first; i < last; ++i) {
            const ThumbCell cell = ThumbnailCell(i);
            const float s0 = static_cast<float>(cell.column) / 8, t1 = 1.0f - static_cast<float>(cell.row) / 8;
            const float t0 = t1 - 0.125f;
            glNewList(gThumbListBase + static_cast<unsigned>(i), GL_COMPILE);
            glBindTexture(GL_TEXTURE_2D, texture);
            glBegin(GL_QUADS);
            glTexCoord2f(s0, t0), glVertex3f(0, 0, 30);
            glTexCoord2f(s0 + 0.125f, t0), glVertex3f(kThumbSize, 0, 30);
            glTexCoord2f(s0 + 0.125f, t1), glVertex3f(kThumbSize, kThumbSize, 30);
            glTexCoord2f(s0, t1), glVertex3f(0, kThumbSize, 30);
            glEnd();
            glEndList();
        }
    }
    glDisable(GL_TEXTURE_2D);
    gThumbnailCount = count;
}

void DrawThumbnail(int x, int y, int n)
{
    if (n < 0 || n >= gThumbnailCount) return;
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    glCallList(gThumbListBase + static_cast<unsigned>(n));
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}
