// The Mandelbrot picker of the escape-time fractal types 46 and 49: a
// 256 x 256 picture of the set around the view those kernels sample, zoomed
// and recentred under the pointer, coloured by the editor's gradient.
#include <cmath>
#include <cstring>
#include <string>

#include "editors/xforms_editor.h"
#include "editors/xforms_editor_services.h"
#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/transform_set.h"
#include "platform/desktop/gl_api.h"
#include "ui/file_services.h"

int PickerColorIndex(int n) { return n < 256 ? n : n % 255; }

int PickerEscapeCount(double re, double im, int limit)
{
    if ((re + 1.0) * (re + 1.0) + im * im < 0.0625) return -1;  // the period-2 bulb
    const double q = (re - 0.25) * (re - 0.25) + im * im;
    if (q * (q + re - 0.25) < im * im / 4.0) return -1;  // the main cardioid
    double x = 0.0, y = 0.0;
    for (int n = 0; n < limit; ++n) {
        const double xx = x * x, yy = y * y;
        if (xx + yy >= 1000.0) return n;
        y = 2.0 * x * y + im;
        x = xx - yy + re;
    }
    return x * x + y * y >= 1000.0 ? limit : -1;
}

void XFormsEditor::RenderMandelbrotPicker(int x, int y, bool keepScale)
{
    if (pickerBusy) return;
    pickerBusy = 1;
    if (!keepScale) {
        const double z = pickerZoomSpeed;
        // "+" (row 1, the upper one) shrinks the picker's span, that is zooms
        // in; "-" (row 0) widens it.
        const double f = zoomTypeRow == 1 ? 1.0 - 0.1 * z : 1.0 + 0.1 * z;
        gMandelbrotScale *= f;
        gTransforms[0].variationAmount[0] = static_cast<float>(2.0 / gMandelbrotScale);
    }
    const double scale = gMandelbrotScale;
    gMandelbrotCentre[0] += (x / 640.0 - 0.2) * scale;
    gMandelbrotCentre[1] += (y / 640.0 - 0.2) * scale;
    const int limit = gEscapeIterationLimit;
    pickerImage.resize(static_cast<size_t>(kPickerSize) * kPickerSize * 3);
    for (int j = 0; j < kPickerSize; ++j) {
        const double im = 2.0 * (j / 128.0 - 1.0) * scale + gMandelbrotCentre[1];
        for (int i = 0; i < kPickerSize; ++i) {
            const double re = 2.0 * (i / 128.0 - 1.0) * scale + gMandelbrotCentre[0];
            const int n = PickerEscapeCount(re, im, limit);
            uint8_t* p = pickerImage.data() + 3 * i + 3 * kPickerSize * j;
            if (n < 0) {
                p[0] = p[1] = p[2] = 0;
                continue;
            }
            const int c = PickerColorIndex(n);
            p[0] = gEscapeGradient.r[c];
            p[1] = gEscapeGradient.g[c];
            p[2] = gEscapeGradient.b[c];
        }
    }
    if (pickerTexture != 0) {
        glBindTexture(GL_TEXTURE_2D, pickerTexture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kPickerSize, kPickerSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     pickerImage.data());
    }
    pickerBusy = 0;
}

// The escape-time preset's set and view: its one zoom step stays, so the
// picker shows the view that amount 0 of transformation 0 was worked from.
void XFormsEditor::PickerReset()
{
    if (gTransformSetHooks.applyPreset) gTransformSetHooks.applyPreset(45);
    RenderMandelbrotPicker(128, 128, true);
    pointPreviewDirty = 1;
}

void XFormsEditor::StartPicker()
{
    pickerImage.assign(static_cast<size_t>(kPickerSize) * kPickerSize * 3, 0);
    if (pickerTexture == 0) glGenTextures(1, &pickerTexture);
    glBindTexture(GL_TEXTURE_2D, pickerTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const float amounts[8] = {2.0f, 1.0f, 0, 0, 0, 0, 0.95f, 1.05f};
    std::memcpy(gTransforms[0].variationAmount, amounts, sizeof amounts);
    ResetPickerView();
}

// The view of the escape-time preset: the whole set, centred on its body.
void XFormsEditor::ResetPickerView()
{
    gMandelbrotCentre[0] = -0.75;
    gMandelbrotCentre[1] = 0.0;
    gMandelbrotScale = 1.0;
    if (built) RenderMandelbrotPicker(128, 128, true);
}

namespace {

void TakeGradient(const ColorMap& map)
{
    std::memcpy(gEscapeGradient.r, map.red, sizeof map.red);
    std::memcpy(gEscapeGradient.g, map.green, sizeof map.green);
    std::memcpy(gEscapeGradient.b, map.blue, sizeof map.blue);
}

}  // namespace

bool XFormsEditor::PickColorMap()
{
    ColorMap map;
    if (!gInterfaceFileServices.loadColorMap || !gInterfaceFileServices.loadColorMap(map)) return false;
    TakeGradient(map);
    RenderMandelbrotPicker(128, 128, true);
    pointPreviewDirty = 1;
    return true;
}

void XFormsEditor::RandomPickerColorMap()
{
    if (!gInterfaceFileServices.randomColorMap) return;
    ColorMap map;
    gInterfaceFileServices.randomColorMap(map);
    TakeGradient(map);
    RenderMandelbrotPicker(128, 128, true);
    pointPreviewDirty = 1;
}

bool XFormsEditor::SavePickerColorMap()
{
    ColorMap map;
    std::memcpy(map.red, gEscapeGradient.r, sizeof map.red);
    std::memcpy(map.green, gEscapeGradient.g, sizeof map.green);
    std::memcpy(map.blue, gEscapeGradient.b, sizeof map.blue);
    return gInterfaceFileServices.saveColorMap && gInterfaceFileServices.saveColorMap(map);
}

bool MandelbrotPickerShown() { return gXFormsEditor.pickerHover != 0 && gXFormsEditorOpen != 0; }

void RenderMandelbrotPicker(int x, int y) { gXFormsEditor.RenderMandelbrotPicker(x, y, false); }
