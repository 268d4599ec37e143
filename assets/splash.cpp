// The 512 x 512 splash and about picture: a three-dimensional spiral drawn by
// the program's own type-0 iteration kernel, with the title below it.
#include <cmath>

#include "assets/glyph_raster.h"
#include "assets/kernel_pictures.h"
#include "assets/pictures.h"

namespace assetgen {

namespace {

constexpr int kSize = 512;

// One turning, shrinking copy makes the spiral arm; two small turned copies
// far out give it its curls.
std::vector<AffineMap> SpiralMaps()
{
    const float turnAxis[3] = {0.15f, 0.25f, 1.0f}, curlAxisA[3] = {1, 0, 0}, curlAxisB[3] = {0, 1, 0.2f};
    const float turnShift[3] = {0.25f, 0.02f, 0.04f}, curlShiftA[3] = {1.0f, 0, 0}, curlShiftB[3] = {-0.95f, 0.1f, 0};
    return {MakeMap(turnAxis, 22, 0.9f, turnShift, 0.86f), MakeMap(curlAxisA, 80, 0.32f, curlShiftA, 0.07f),
            MakeMap(curlAxisB, -70, 0.3f, curlShiftB, 0.07f)};
}

}  // namespace

Canvas MakeSplashPicture()
{
    PointView view;
    view.margin = 0.08f;
    Canvas c = DrawKernelPoints(RunKernelPoints(0, SpiralMaps(), 1200, 7), kSize, view);
    // A soft dark band keeps the title readable over the picture.
    for (int y = 420; y < 490; ++y)
        for (int x = 0; x < kSize; ++x) c.Blend(x, y, {0, 0, 0}, 0.7f * (1.0f - std::fabs(y - 455.0f) / 35.0f));
    GlyphFace face(DejaVuPath("DejaVuSans-Bold.ttf"), DejaVuPath("DejaVuSansMono.ttf"));
    face.SetPixelSize(40);
    face.DrawCentred(c, "TALVORAN VANE", kSize * 0.5f + 2, 472, {0.5f, 0.05f, 0.0f});
    face.DrawCentred(c, "TALVORAN VANE", kSize * 0.5f, 470, {0.95f, 0.92f, 0.88f});
    return c;
}

}  // namespace assetgen
