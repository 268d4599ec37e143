// Test scenes of the preview passes: the render buffers of an analytic
// sphere over a floor, seen orthographically along -z with the light above
// (its shadow map made from the same surfaces), and the point preview of it.
#pragma once

#include <cstdint>

// Render buffers of size x size with depth, shadow map, colour planes, the
// view mapping, the light view and the shader's defaults; settings of
// gShadingSettings back at their start values, drawing shaders and fog off.
void SetUpSphereScene(int32_t width, int32_t height);
// The same scene in the 832 x 832 point preview.
void SetUpSpherePointPreview();
// Clears every render buffer and the point preview (empty scene).
void ClearSphereScene();
