// Stand-in test scene for the export shading until the preview shading's
// scene helper is in: render buffers of an analytic sphere (baseshape 0,
// material 0) over a tilted floor (baseshape 1, material 1), orthographic,
// with the shadow map of the same surfaces seen from the light.
#pragma once

#include <cstdint>
#include <vector>

#include "shading/export_pixel.h"

// Allocates size x size buffers, fills them and the view globals, gives the
// shader its defaults and the two materials their colour maps. Returns the
// export settings that go with the scene: the light, baseshapes in use.
ExportShadingSettings BuildExportTestScene(int size);

// Every pixel of the buffers shaded through the export path on worker 0,
// as RGB bytes with the image's top row first.
std::vector<uint8_t> ShadeExportTestScene(const ExportShadingSettings& settings);
