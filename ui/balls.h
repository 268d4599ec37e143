// Rotation balls: TrackBall, the textured ball with three rings that sets an
// orientation (and, as the light ball, the light direction), and SimpleBall,
// the direction ball with its "Alt.     Az." read-out. Both keep a 3 x 3
// rotation, row-major, and the direction it turns their reference into.
// Drags turn by the pointer's chord on the unit sphere (a chord of 2, one
// ball width, turns 120 degrees at sensitivity 1), wheel steps by degrees.
#pragma once

#include <cstdint>

using Matrix3 = float[3][3];

// Step rotation of the balls for a unit axis and an angle (radians): the
// transpose of the usual axis-angle matrix, applied as step x rotation.
void BallStepRotation(const float axis[3], float angle, Matrix3 out);
// Whole-degree angles of a direction: azimuth = floor of atan2(z, x) in
// 0..359, altitude = atan(y / |(x, z)|) rounded to nearest; both 0 for a
// zero or non-finite direction.
void DirectionAngles(const float d[3], float* altitude, float* azimuth);

// What both balls share: the square, the rotation and the step arithmetic.
class RotationBall {
public:
    RotationBall() = default;
    virtual ~RotationBall() = default;

    // Inside the square, all four edges included.
    bool Hit(int x, int y) const;
    // The pointer on the unit sphere; mode 0 and 1 take x only, 2 y only,
    // 3 both, anything else keeps 'keep'. Outside the disc: on the rim.
    void SpherePoint(int x, int y, int mode, const float keep[3], float out[3]) const;
    // rotation = step x rotation, turned = rotation x reference, angles.
    void ApplyStep(const float stepAxis[3], float angle);
    // One turn by the pointer chord from pressPoint to currentPoint (in that
    // order), as the drags of both balls turn.
    void TurnByChord(int mode, float chord);
    // The wheel: about -x, +y with Shift, -z with Control (Control wins).
    bool WheelTurn(int x, int y, float degrees);
    void UpdateAngles() { DirectionAngles(turned, &altitude, &azimuth); }

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0, width = 0, height = 0;
    float radiusX = 0, radiusY = 0, centreX = 0, centreY = 0;
    float z = 0;
    float altitude = 0, azimuth = 0;
    uint8_t changed = 0;
    float axis[3] = {};
    float pressPoint[3] = {};
    float currentPoint[3] = {};
    float reference[3] = {0, 0, 1};
    float turned[3] = {};
    float stepAngle = 0;
    float rotation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    float step[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    float product[3][3] = {};
    uint8_t visible = 0;
    int groupId = 0;
    int widgetId = 0;

protected:
    void Place(int x, int y, int zValue, int w, int h);
};

class TrackBall : public RotationBall {
public:
    // direction: the first direction the ball shows.
    void Build(const int& x, const int& y, const int& zValue, const int& w, const int& h, const float* direction,
               const int& group);
    void Draw() const;
    bool Click(const int& x, const int& y, const uint8_t& mode);
    bool Drag(const int& x, const int& y, const uint8_t& mode);
    bool Wheel(int x, int y, float delta);
    void Reset();
    void UpdateGLMatrix();
    // Turns the ball so that turned equals the direction (normalised): about
    // reference x direction by the angle between them; an opposite direction
    // turns 180 degrees about an axis at right angles to the reference; a
    // zero or non-finite direction leaves the ball as it is.
    void SetRotation(const float* direction);
    void DrawLightDirection() const;
    bool ClickLight(const int& x, const int& y);
    void DragLight(const int& x, const int& y);
    void UpdateLightAngles() { UpdateAngles(); }

    unsigned frameList = 0, markerList = 0, shadedBallList = 0;
    unsigned brightRingsList = 0, backdropList = 0, darkRingsList = 0;
    float angleFactor = 1;
    float glMatrix[16] = {};

private:
    void RebuildGLMatrix(float depth);
    void LightPoint(int x, int y, float out[3]) const;
};

class SimpleBall : public RotationBall {
public:
    void Build(const int& x, const int& y, const int& zValue, const int& w, const int& h, const int& spare,
               const int& group, const char* caption);
    void Draw() const;
    bool Click(int px, int py, uint8_t mode);
    bool Drag(int px, int py, uint8_t mode);
    bool Wheel(int px, int py, float delta);
    void Reset();
    const float* Direction() const { return turned; }

    unsigned panelList = 0, markerList = 0, ballList = 0;
};
