#include "ui/balls.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/desktop/gl_api.h"
#include "platform/desktop/platform_events.h"
#include "ui/font.h"
#include "ui/skins.h"
#include "ui/widget.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kThirdPi = 1.0471976f;
constexpr float kDegreesPerRadian = 57.29578f;

float Length(const float v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void Cross(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

void MultiplyVector(const Matrix3 m, const float v[3], float out[3])
{
    for (int i = 0; i < 3; ++i) out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
}

void SetIdentity(Matrix3 m)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] = i == j ? 1.0f : 0.0f;
}

// Rounding drifts the product of many steps away from a rotation: when a
// row's length or two rows' dot product is off, the rows are made
// orthonormal again (Gram-Schmidt, the third row from the first two).
void KeepOrthonormal(Matrix3 m)
{
    float worst = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) {
            const float dot = m[i][0] * m[j][0] + m[i][1] * m[j][1] + m[i][2] * m[j][2];
            worst = std::max(worst, std::fabs(dot - (i == j ? 1.0f : 0.0f)));
        }
    if (!(worst > 1e-5f)) return;
    float len = Length(m[0]);
    if (!(len > 0) || !std::isfinite(len)) {
        SetIdentity(m);
        return;
    }
    for (float& v : m[0]) v /= len;
    const float d = m[0][0] * m[1][0] + m[0][1] * m[1][1] + m[0][2] * m[1][2];
    for (int k = 0; k < 3; ++k) m[1][k] -= d * m[0][k];
    len = Length(m[1]);
    if (!(len > 0)) {
        SetIdentity(m);
        return;
    }
    for (float& v : m[1]) v /= len;
    Cross(m[0], m[1], m[2]);
}

// A triangle fan: centre colour at (cx, cy), rim colour on the ellipse at
// the angles k step, k = 0 .. rimPoints - 1.
void Fan(float cx, float cy, float ex, float ey, float rx, float ry, int rimPoints, float step, const float centre[3],
         const float rim[3], float z)
{
    glBegin(GL_TRIANGLE_FAN);
    glColor3fv(centre), glVertex3f(cx, cy, z);
    glColor3fv(rim);
    for (int k = 0; k < rimPoints; ++k) {
        const float a = step * static_cast<float>(k);
        glVertex3f(ex + rx * std::sin(a), ey + ry * std::cos(a), z);
    }
    glEnd();
}

// Two rims of 65 steps: from colour a at radius ra to colour b at rb.
void Rim(float cx, float cy, float rx, float ry, float ra, float rb, const float a[3], const float b[3], float z)
{
    glBegin(GL_QUAD_STRIP);
    for (int k = 0; k <= 64; ++k) {
        const float t = static_cast<float>(k) * kPi / 32;
        glColor3fv(a), glVertex3f(cx + ra * rx * std::sin(t), cy + ra * ry * std::cos(t), z);
        glColor3fv(b), glVertex3f(cx + rb * rx * std::sin(t), cy + rb * ry * std::cos(t), z);
    }
    glEnd();
}

// The shaded sphere of the light ball and the direction ball: a glowing
// disc, a grid of points brighter towards the middle and a soft red rim.
void RecordShadedSphere(float cx, float cy, float rx, float ry, float z, const float glow[3], bool darkSide)
{
    static const float kBlack[3] = {0, 0, 0}, kRimRed[3] = {0.5f, 0, 0}, kDarkRed[3] = {0.2f, 0, 0};
    const float o = 0.2969849f;
    if (darkSide) {
        Fan(cx - o * rx, cy + o * ry, cx, cy, 0.7f * rx, 0.7f * ry, 65, kPi / 32, glow, kBlack, z);
        Fan(cx + o * rx, cy - o * ry, cx, cy, 0.7f * rx, 0.7f * ry, 65, kPi / 32, kDarkRed, kBlack, z);
    } else {
        // The direction ball's disc: 16 steps of pi / 8, the rim traced
        // twice, so the additive blend doubles the glow towards its middle.
        Fan(cx - o * rx, cy + o * ry, cx, cy, 0.7f * rx, 0.7f * ry, 33, kPi / 8, glow, kBlack, z);
    }
    glBegin(GL_POINTS);
    for (int i = 0; i <= 16; ++i)
        for (int j = 0; j <= 16; ++j) {
            const float phi = static_cast<float>(i) * kPi / 16 - kPi / 2, theta = static_cast<float>(j) * kPi / 16;
            const float sx = std::sin(theta) * std::sin(phi), sy = std::cos(theta);
            const float s = std::sqrt(std::sqrt(sx * sx + sy * sy));
            glColor3f(0.9f * (1 - s) + 0.1f, 0.1f, 0);
            glVertex3f(cx + 0.7f * rx * sx, cy + 0.7f * ry * sy, z);
        }
    glEnd();
    Rim(cx, cy, rx, ry, 0.70f, 0.72f, kBlack, kRimRed, z);
    Rim(cx, cy, rx, ry, 0.72f, 0.74f, kRimRed, kBlack, z);
}

// The small yellow marker disc at the origin, its highlight up and left.
unsigned RecordMarker(float rx, float ry, float offset, float size)
{
    static const float kYellow[3] = {1, 1, 0}, kDim[3] = {0.125f, 0.125f, 0};
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    Fan(-offset * rx, offset * ry, 0, 0, size * rx, size * ry, 17, kPi / 8, kYellow, kDim, 0);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glEndList();
    return list;
}

// The octagonal panel behind a ball, its corners cut by c.
void RecordOctagonPanel(float l, float b, float r, float t, float c, float z)
{
    glColor3f(0, 0, 0);
    glBegin(GL_QUADS);
    glVertex3f(l, b, 0), glVertex3f(r, b, 0), glVertex3f(r, t, 0), glVertex3f(l, t, 0);
    glEnd();
    const float pts[8][2] = {{l, b + c}, {l, t - c}, {l + c, t}, {r - c, t}, {r, t - c}, {r, b + c}, {r - c, b}, {l + c, b}};
    glBegin(GL_TRIANGLE_FAN);
    for (const auto& p : pts) glVertex3f(p[0], p[1], z);
    glEnd();
    glColor3f(0.25f, 0.25f, 0.25f);
    glBegin(GL_LINE_LOOP);
    for (const auto& p : pts) glVertex3f(p[0], p[1], z);
    glEnd();
}

// One dashed ring of 32 quads, 10 degrees wide every 11.25 degrees, about
// axis 0 (x), 1 (y) or 2 (z).
void Ring(int about, float radius, float halfWidth, unsigned texture)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (int k = 0; k < 32; ++k) {
        const float centre = static_cast<float>(k) * 11.25f * kPi / 180, half = 5 * kPi / 180;
        const float a[2] = {centre - half, centre + half};
        const float corners[4][2] = {{a[0], -halfWidth}, {a[1], -halfWidth}, {a[1], halfWidth}, {a[0], halfWidth}};
        const float tex[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int v = 0; v < 4; ++v) {
            const float u = radius * std::cos(corners[v][0]), w = radius * std::sin(corners[v][0]), h = corners[v][1];
            glTexCoord2fv(tex[v]);
            if (about == 2) glVertex3f(u, w, h);
            if (about == 1) glVertex3f(u, h, w);
            if (about == 0) glVertex3f(h, u, w);
        }
    }
    glEnd();
}

}  // namespace

void BallStepRotation(const float a[3], float angle, Matrix3 m)
{
    const float c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    const float x = a[0], y = a[1], z = a[2];
    m[0][0] = c + x * x * t, m[0][1] = x * y * t + z * s, m[0][2] = x * z * t - y * s;
    m[1][0] = x * y * t - z * s, m[1][1] = c + y * y * t, m[1][2] = y * z * t + x * s;
    m[2][0] = x * z * t + y * s, m[2][1] = y * z * t - x * s, m[2][2] = c + z * z * t;
}

void DirectionAngles(const float d[3], float* altitude, float* azimuth)
{
    const float flat = std::sqrt(d[0] * d[0] + d[2] * d[2]);
    if (!std::isfinite(flat) || !std::isfinite(d[1]) || (flat == 0 && d[1] == 0)) {
        *altitude = *azimuth = 0;
        return;
    }
    float a = std::atan2(d[2], d[0]);
    if (a < 0) a += 6.2831855f;
    const float degrees = std::floor(a * kDegreesPerRadian);
    *azimuth = degrees >= 360 ? 0 : degrees;
    *altitude = std::round(std::atan2(d[1], flat) * kDegreesPerRadian);
}

void RotationBall::Place(int x, int y, int zValue, int w, int h)
{
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    width = static_cast<float>(w);
    height = static_cast<float>(h);
    x1 = x0 + width;
    y1 = y0 + height;
    radiusX = static_cast<float>(w / 2);
    radiusY = static_cast<float>(h / 2);
    centreX = x0 + radiusX;
    centreY = y0 + radiusY;
    z = static_cast<float>(zValue);
    SetIdentity(rotation);
    SetIdentity(step);
    SetIdentity(product);
    reference[0] = reference[1] = 0;
    reference[2] = 1;
    changed = 0;
}

bool RotationBall::Hit(int xi, int yi) const
{
    const float x = static_cast<float>(xi), y = static_cast<float>(yi);
    return x0 <= x && x <= x1 && y0 <= y && y <= y1;
}

void RotationBall::SpherePoint(int xi, int yi, int mode, const float keep[3], float out[3]) const
{
    const float dx = radiusX > 0 ? (static_cast<float>(xi) - x0 - radiusX) / radiusX : 0;
    const float dy = radiusY > 0 ? (static_cast<float>(yi) - y0 - radiusY) / radiusY : 0;
    float px = keep[0], py = keep[1];
    if (mode == 0 || mode == 1) px = dx, py = 0;
    if (mode == 2) px = 0, py = dy;
    if (mode == 3) px = dx, py = dy;
    const float r2 = px * px + py * py;
    const float pz = 1 - r2 > 0 ? std::sqrt(1 - r2) : 0.0f;
    const float len = std::sqrt(pz * pz + r2);
    out[0] = len > 0 ? px / len : 0;
    out[1] = len > 0 ? py / len : 0;
    out[2] = len > 0 ? pz / len : 1;
}

void RotationBall::ApplyStep(const float stepAxis[3], float angle)
{
    std::memcpy(axis, stepAxis, sizeof axis);
    stepAngle = angle;
    BallStepRotation(axis, angle, step);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            product[i][j] = step[i][0] * rotation[0][j] + step[i][1] * rotation[1][j] + step[i][2] * rotation[2][j];
    std::memcpy(rotation, product, sizeof rotation);
    KeepOrthonormal(rotation);
    float t[3];
    MultiplyVector(rotation, reference, t);
    for (int i = 0; i < 3; ++i) SharedStore(turned[i], t[i]);
    UpdateAngles();
}

void RotationBall::TurnByChord(int mode, float chord)
{
    const float ex = pressPoint[0] - currentPoint[0], ey = pressPoint[1] - currentPoint[1];
    float angle = chord * kThirdPi * gControlSensitivity;
    float stepAxis[3] = {0, 0, 1};
    if (mode == 0) {
        if (!(ex > 0)) angle = -angle;
    } else {
        const float f = std::atan2(ey, ex) + kPi / 2;
        stepAxis[0] = std::cos(f);
        stepAxis[1] = std::sin(f);
        stepAxis[2] = 0;
    }
    std::memcpy(pressPoint, currentPoint, sizeof pressPoint);
    ApplyStep(stepAxis, angle);
}

bool RotationBall::WheelTurn(int xi, int yi, float degrees)
{
    const float angle = degrees * 0.017453292f * gControlSensitivity;
    changed = 1;
    currentPoint[0] = radiusX > 0 ? (static_cast<float>(xi) - x0 - radiusX) / radiusX : 0;
    currentPoint[1] = radiusY > 0 ? (static_cast<float>(yi) - y0 - radiusY) / radiusY : 0;
    currentPoint[2] = 0;
    float stepAxis[3] = {-1, 0, 0};
    if (ShiftHeld()) stepAxis[0] = 0, stepAxis[1] = 1;
    if (ControlHeld()) stepAxis[0] = 0, stepAxis[1] = 0, stepAxis[2] = -1;
    std::memcpy(pressPoint, currentPoint, sizeof pressPoint);
    ApplyStep(stepAxis, angle);
    return true;
}

void TrackBall::Build(const int& x, const int& y, const int& zValue, const int& w, const int& h,
                      const float* direction, const int& group)
{
    widgetId = NewWidgetId();
    groupId = group;
    Place(x, y, zValue, w, h);
    turned[0] = turned[1] = 0;
    turned[2] = -1;
    RebuildGLMatrix(100);
    if (direction != nullptr) SetRotation(direction);

    for (unsigned* list : {&frameList, &shadedBallList, &markerList})
        if (*list != 0) glDeleteLists(*list, 1);

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    RecordOctagonPanel(x0, y0, x1, y1, std::min(width, height) / 16, z);
    glEnable(GL_DEPTH_TEST);
    glEndList();

    static const float kGold[3] = {1, 0.825f, 0};
    shadedBallList = glGenLists(1);
    glNewList(shadedBallList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    RecordShadedSphere(centreX, centreY, radiusX, radiusY, z, kGold, true);
    glEndList();

    markerList = RecordMarker(radiusX, radiusY, 0.0424f, 0.1f);

    const float r = 0.45f * width, half = 0.125f * r;
    brightRingsList = glGenLists(1);
    glNewList(brightRingsList, GL_COMPILE);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    Ring(2, 0.9f * r, half, gSkinTextures[kSkinTrackball0 + 4]);
    Ring(1, 0.95f * r, half, gSkinTextures[kSkinTrackball0 + 3]);
    Ring(0, r, half, gSkinTextures[kSkinTrackball0 + 5]);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEndList();

    backdropList = glGenLists(1);
    glNewList(backdropList, GL_COMPILE);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 0, 0);
    const float inset = static_cast<float>(h / 16);
    glBegin(GL_QUADS);
    glVertex3f(x0 + inset, y0 + inset, width / 2), glVertex3f(x1 - inset, y0 + inset, width / 2);
    glVertex3f(x1 - inset, y1 - inset, width / 2), glVertex3f(x0 + inset, y1 - inset, width / 2);
    glEnd();
    glEndList();

    darkRingsList = glGenLists(1);
    glNewList(darkRingsList, GL_COMPILE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    Ring(1, 0.95f * r, half, gSkinTextures[kSkinTrackball0 + 0]);
    Ring(2, 0.9f * r, half, gSkinTextures[kSkinTrackball0 + 1]);
    Ring(0, r, half, gSkinTextures[kSkinTrackball0 + 2]);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEndList();
}

void TrackBall::RebuildGLMatrix(float depth)
{
    for (int col = 0; col < 3; ++col) {
        for (int row = 0; row < 3; ++row) glMatrix[col * 4 + row] = rotation[row][col];
        glMatrix[col * 4 + 3] = 0;
    }
    glMatrix[12] = centreX;
    glMatrix[13] = centreY;
    glMatrix[14] = depth;
    glMatrix[15] = 1;
}

void TrackBall::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glPushMatrix();
    glLoadIdentity();
    glCallList(backdropList);
    glLoadMatrixf(glMatrix);
    glCallList(brightRingsList);
    glCallList(darkRingsList);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

bool TrackBall::Click(const int& x, const int& y, const uint8_t& mode)
{
    if (visible == 0 || !Hit(x, y)) return false;
    gDragGroup = groupId;
    gDragWidgetId = widgetId;
    SpherePoint(x, y, mode, pressPoint, pressPoint);
    return true;
}

bool TrackBall::Drag(const int& x, const int& y, const uint8_t& mode)
{
    if (visible == 0) return changed != 0;
    changed = 0;
    if (!Hit(x, y) || gDragWidgetId != widgetId) return false;
    SpherePoint(x, y, mode, pressPoint, currentPoint);
    const float d[3] = {pressPoint[0] - currentPoint[0], pressPoint[1] - currentPoint[1],
                        pressPoint[2] - currentPoint[2]};
    const float chord = Length(d);
    if (chord == 0 || !(currentPoint[2] > 0)) {
        std::memcpy(pressPoint, currentPoint, sizeof pressPoint);
        return false;
    }
    changed = 1;
    TurnByChord(mode, chord);
    RebuildGLMatrix(radiusX);
    return true;
}

bool TrackBall::Wheel(int x, int y, float delta)
{
    if (visible == 0 || !Hit(x, y)) return false;
    WheelTurn(x, y, delta);
    RebuildGLMatrix(radiusX);
    return true;
}

void TrackBall::Reset()
{
    for (int i = 0; i < 3; ++i) SharedStore(turned[i], reference[i]);
    SetIdentity(rotation);
    RebuildGLMatrix(100);
}

void TrackBall::UpdateGLMatrix() { RebuildGLMatrix(100); }

void TrackBall::SetRotation(const float* direction)
{
    changed = 0;
    const float len = Length(direction), refLen = Length(reference);
    if (!(len > 0) || !std::isfinite(len) || !(refLen > 0)) return;
    for (int i = 0; i < 3; ++i) currentPoint[i] = direction[i] / len, pressPoint[i] = reference[i] / refLen;
    float stepAxis[3];
    Cross(currentPoint, pressPoint, stepAxis);
    const float sine = Length(stepAxis);
    const float cosine = std::clamp(
        currentPoint[0] * pressPoint[0] + currentPoint[1] * pressPoint[1] + currentPoint[2] * pressPoint[2], -1.0f,
        1.0f);
    float angle = std::atan2(sine, cosine);
    if (sine > 1e-6f) {
        for (float& v : stepAxis) v /= sine;
    } else if (cosine > 0) {
        stepAxis[0] = 1, stepAxis[1] = stepAxis[2] = 0;  // already there
        angle = 0;
    } else {
        // Opposite: half a turn about any axis at right angles to the reference.
        const float other[3] = {std::fabs(pressPoint[0]) < 0.9f ? 1.0f : 0.0f,
                                std::fabs(pressPoint[0]) < 0.9f ? 0.0f : 1.0f, 0};
        Cross(pressPoint, other, stepAxis);
        const float l = Length(stepAxis);
        for (float& v : stepAxis) v /= l;
        angle = kPi;
    }
    SetIdentity(rotation);
    ApplyStep(stepAxis, angle);
    std::memcpy(pressPoint, currentPoint, sizeof pressPoint);
    RebuildGLMatrix(100);
    changed = 0;
}

void TrackBall::LightPoint(int xi, int yi, float out[3]) const
{
    const float dx = radiusX > 0 ? (static_cast<float>(xi) - x0 - radiusX) / radiusX : 0;
    const float dy = radiusY > 0 ? (static_cast<float>(yi) - y0 - radiusY) / radiusY : 0;
    const float len = std::sqrt(dx * dx + dy * dy + 1);
    out[0] = dx / len, out[1] = dy / len, out[2] = 1 / len;
}

void TrackBall::DrawLightDirection() const
{
    if (visible == 0) return;
    glCallList(frameList);
    DrawText(static_cast<int>(x0 + 12), static_cast<int>(y1 - 16), "Light Direction", 1);
    DrawText(static_cast<int>(x0 + 12), static_cast<int>(y0), "Alt.     Az.", 1);
    DrawIntText(static_cast<int>(x0 + 44), static_cast<int>(y0), static_cast<int>(altitude), 1);
    DrawIntText(static_cast<int>(x0 + 108), static_cast<int>(y0), static_cast<int>(azimuth), 1);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    const float d = 0.8f * turned[2] * radiusY;
    const auto marker = [&] {
        glPushMatrix();
        glTranslatef(centreX + 0.8f * turned[0] * radiusX, centreY + 0.8f * turned[1] * radiusY, z + std::fabs(d));
        glCallList(markerList);
        glPopMatrix();
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
    };
    if (d > 0) {
        glCallList(shadedBallList);
        marker();
    } else {
        marker();
        glCallList(shadedBallList);
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

bool TrackBall::ClickLight(const int& x, const int& y)
{
    if (visible == 0 || !Hit(x, y)) return false;
    gDragGroup = groupId;
    gDragWidgetId = widgetId;
    LightPoint(x, y, pressPoint);
    return true;
}

void TrackBall::DragLight(const int& x, const int& y)
{
    if (visible == 0) return;
    changed = 0;
    if (gDragWidgetId != widgetId) return;
    LightPoint(x, y, currentPoint);
    const float d[3] = {pressPoint[0] - currentPoint[0], pressPoint[1] - currentPoint[1],
                        pressPoint[2] - currentPoint[2]};
    const float chord = Length(d);
    if (!(chord > 0)) return;
    changed = 1;
    TurnByChord(3, chord);
}

void SimpleBall::Build(const int& x, const int& y, const int& zValue, const int& w, const int& h, const int&,
                       const int& group, const char* caption)
{
    groupId = group;
    widgetId = NewWidgetId();
    Place(x, y, zValue, w, h);
    SharedStore(turned[0], 0.0f);
    SharedStore(turned[1], 0.0f);
    SharedStore(turned[2], -1.0f);
    for (unsigned* list : {&panelList, &markerList, &ballList})
        if (*list != 0) glDeleteLists(*list, 1);

    panelList = glGenLists(1);
    glNewList(panelList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    RecordOctagonPanel(x0, y0, x1, y1, height * 0.0625f, z);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    DrawText(static_cast<int>(x0 + 12), static_cast<int>(y1 - 16), caption != nullptr ? caption : "", 1);
    DrawText(static_cast<int>(x0 + 12), static_cast<int>(y0), "Alt.     Az.", 1);
    glEndList();

    static const float kDeepRed[3] = {0.3f, 0, 0};
    ballList = glGenLists(1);
    glNewList(ballList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    RecordShadedSphere(centreX, centreY, radiusX, radiusY, z, kDeepRed, false);
    glPopMatrix();
    glEndList();

    markerList = RecordMarker(radiusX, radiusY, 0.0318198f, 0.075f);
    changed = 0;
}

void SimpleBall::Draw() const
{
    if (visible == 0) return;
    const float d[3] = {SharedLoad(turned[0]), SharedLoad(turned[1]), SharedLoad(turned[2])};
    const float ex = centreX + 0.8f * radiusX * d[0], ey = centreY + 0.8f * radiusY * d[1];
    // The end's depth only says front or back: drawn at it, a direction
    // pointing away would leave the screen's depth range and vanish.
    const float ez = z;
    glCallList(panelList);
    DrawIntText(static_cast<int>(x0 + 44), static_cast<int>(y0), static_cast<int>(altitude), 1);
    DrawIntText(static_cast<int>(x0 + 108), static_cast<int>(y0), static_cast<int>(azimuth), 1);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    const bool front = 0.8f * radiusY * d[2] > 0;
    const auto lineAndMarker = [&] {
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_LINES);
        glColor3f(0, 0, 0), glVertex3f(centreX, centreY, ez);
        if (front)
            glColor3f(1, 1, 0);
        else
            glColor3f(0.5f, 0.5f, 0);
        glVertex3f(ex, ey, ez);
        glEnd();
        glPushMatrix();
        glTranslatef(ex, ey, ez);
        glCallList(markerList);
        glPopMatrix();
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
    };
    if (front) {
        glCallList(ballList);
        lineAndMarker();
    } else {
        lineAndMarker();
        glCallList(ballList);
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

bool SimpleBall::Click(int px, int py, uint8_t mode)
{
    if (visible == 0 || !Hit(px, py)) return false;
    gDragGroup = groupId;
    gDragWidgetId = widgetId;
    SpherePoint(px, py, mode, pressPoint, pressPoint);
    return true;
}

bool SimpleBall::Drag(int px, int py, uint8_t mode)
{
    if (visible == 0 || gDragWidgetId != widgetId) return false;
    changed = 0;
    if (!Hit(px, py)) return false;
    SpherePoint(px, py, mode, pressPoint, currentPoint);
    const float d[3] = {pressPoint[0] - currentPoint[0], pressPoint[1] - currentPoint[1],
                        pressPoint[2] - currentPoint[2]};
    const float chord = Length(d);
    if (chord > 0 && currentPoint[2] > 0) {
        changed = 1;
        TurnByChord(mode, chord);
        return true;
    }
    std::memcpy(pressPoint, currentPoint, sizeof pressPoint);
    return false;
}

bool SimpleBall::Wheel(int px, int py, float delta)
{
    if (visible == 0 || !Hit(px, py)) return false;
    return WheelTurn(px, py, delta);
}

void SimpleBall::Reset()
{
    SetIdentity(rotation);
    for (int i = 0; i < 3; ++i) SharedStore(turned[i], reference[i]);
    UpdateAngles();
}
