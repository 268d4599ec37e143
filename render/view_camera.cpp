#include "render/view_camera.h"

#include <cstring>

#include "engine/vector_math.h"

#include "render/projection.h"
#include "render/render_buffers.h"

float gViewCentre[3] = {0.0f, 0.0f, 0.0f};
float gViewScale = 1.0f;
float gCameraAngleX = 0.0f, gCameraAngleY = 0.0f, gCameraAngleZ = 0.0f;
float gCameraRotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
float gCameraMatrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
float gCameraGLMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
float gLightViewMatrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
float gShadowOffsetX = 0.0f, gShadowOffsetY = 0.0f, gShadowOffsetZ = 0.0f;
float gShadowScale = 1.0f;

// Defaults of the 2048 x 2048 render: the image spans -1..1 around its centre.
float gImageScale = 1024.0f;
float gImageOffsetX = 1024.0f, gImageOffsetY = 1024.0f;
float gPerspectiveFocal = 1.0f;
float gPerspectiveEye = 1.0f;
uint8_t gPerspectiveOn = 0;
float gPanX = 0.0f, gPanY = 0.0f;

float gLightTrackBallA[3] = {0.0f, 0.0f, 1.0f};
float gLightTrackBallB[3] = {0.0f, 0.0f, 1.0f};

ViewParams LoadViewParams()
{
    ViewParams v{};
    v.cx = gViewCentre[0];
    v.cy = gViewCentre[1];
    v.cz = gViewCentre[2];
    v.scale = gViewScale;
    const float* m = gCameraMatrix;
    v.m0 = m[0], v.m1 = m[1], v.m2 = m[2], v.m3 = m[3], v.m4 = m[4];
    v.m5 = m[5], v.m6 = m[6], v.m7 = m[7], v.m8 = m[8];
    v.k = gImageScale;
    v.offsetX = gImageOffsetX;
    v.offsetY = gImageOffsetY;
    v.focal = gPerspectiveFocal;
    v.eye = gPerspectiveEye;
    const float* l = gLightViewMatrix;
    v.l0 = l[0], v.l1 = l[1], v.l2 = l[2], v.l3 = l[3], v.l4 = l[4];
    v.l5 = l[5], v.l6 = l[6], v.l7 = l[7], v.l8 = l[8];
    v.shadowScale = gShadowScale;
    v.shadowOffsetX = gShadowOffsetX;
    v.shadowOffsetY = gShadowOffsetY;
    v.width = gImageWidth;
    v.height = gImageHeight;
    v.widthF = static_cast<float>(gImageWidth);
    v.heightF = static_cast<float>(gImageHeight);
    v.shadowLimitF = static_cast<float>(gImageWidth - 1);
    return v;
}

void UpdateCameraMatrix()
{
    const float* r = gCameraRotation;
    RotationMatrixFromEuler(gCameraAngleX, gCameraAngleY, gCameraAngleZ, gCameraRotation);
    std::memcpy(gCameraMatrix, gCameraRotation, sizeof(gCameraMatrix));
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) gCameraGLMatrix[4 * j + i] = r[3 * i + j];
        gCameraGLMatrix[4 * i + 3] = 0.0f;  // last row
        gCameraGLMatrix[12 + i] = 0.0f;     // translation
    }
    gCameraGLMatrix[15] = 1.0f;
}
