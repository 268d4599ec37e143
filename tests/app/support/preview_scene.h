// The fractal the preview and render-control tests show: a Sierpinski
// tetrahedron (type 0, four maps) from fixed seeds, the camera turned by the
// given angles and the view fitted to it (no perspective, zoom or pan), on
// W x H render buffers.
#pragma once

bool SetUpPreviewScene(int width, int height, float angleX, float angleY);
