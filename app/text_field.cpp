#include "app/text_field.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/frame.h"
#include "engine/generator_chain_editing.h"
#include "engine/transform_set.h"
#include "engine/status_line.h"
#include "engine/fractal_model.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/platform_events.h"
#include "ui/font.h"

TextInputState gTextInput;

void OpenTextInput(float* target, int x, int y, int transform)
{
    char value[64];
    std::snprintf(value, sizeof value, "%3.5f", static_cast<double>(*target));
    gTextInput.text = value;
    gTextInput.caret = static_cast<int>(gTextInput.text.size());
    gTextInput.target = target;
    gTextInput.transform = transform;
    gTextInput.x = x;
    gTextInput.y = y;
    gTextInput.cancel = 0;
    gTextInput.active = 1;
}

bool TextInputActive() { return gTextInput.active != 0; }

void EndTextInput() { gTextInput.active = 0; }

void ForgetTextInputTarget(const void* begin, size_t bytes)
{
    const auto* from = static_cast<const unsigned char*>(begin);
    const auto* at = reinterpret_cast<const unsigned char*>(gTextInput.target);
    if (gTextInput.target == nullptr || at < from || at >= from + bytes) return;
    gTextInput.active = 0;
    gTextInput.target = nullptr;
}

namespace {

// atof's reading, but only a finite value that fits a float is stored:
// narrowing anything else to float is undefined.
void StoreTypedValue()
{
    const double value = std::atof(gTextInput.text.c_str());
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(FLT_MAX)) {
        SetStatusText("Not a number within the float range: the value is kept.");
        return;
    }
    if (gTextInput.target == nullptr) return;
    *gTextInput.target = static_cast<float>(value);
    if (gTextInput.transform >= 0 && gTextInput.transform < kMaxTransforms) {
        ComposeTransformation(gTextInput.transform);
        RefreshMobiusMaps();
    }
}

}  // namespace

bool TextInputKeyDown(int key)
{
    gTextInput.cancel = 0;
    if (!gTextInput.active) return false;
    const int length = static_cast<int>(gTextInput.text.size());
    switch (key) {
    case kKeyReturn:
        StoreTypedValue();
        if (gFractalType == 48 && gTextInput.active) {
            // Reselect the block: the selected record takes the typed value.
            gTransformEdit.pending = 1;
            gTransformEdit.code = 7;
            EditTransformSet(1);
        }
        gTextInput.active = 0;
        gPointPreviewValid = 0;
        return false;
    case kKeyEscape:
        gTextInput.cancel = 1;
        gTextInput.active = 0;
        return false;
    case kKeyLeft:
        if (gTextInput.caret > 0) --gTextInput.caret;
        break;
    case kKeyRight:
        if (gTextInput.caret < length) ++gTextInput.caret;
        break;
    case kKeyDelete:
        if (gTextInput.caret < length) gTextInput.text.erase(static_cast<size_t>(gTextInput.caret), 1);
        break;
    default: break;
    }
    return true;
}

bool TextInputCharacter(uint8_t character)
{
    if (!gTextInput.active) return false;
    if (gTextInput.cancel) {
        gTextInput.cancel = 0;
        return true;
    }
    if (character == kKeyBackspace) {
        if (gTextInput.caret > 0) gTextInput.text.erase(static_cast<size_t>(--gTextInput.caret), 1);
        return true;
    }
    // A carriage return that came without the Enter key (Ctrl+M) empties it.
    if (character == kKeyReturn) {
        gTextInput.text.clear();
        gTextInput.caret = 0;
        return true;
    }
    gTextInput.text.insert(static_cast<size_t>(gTextInput.caret), 1, static_cast<char>(character));
    ++gTextInput.caret;
    return true;
}

void DrawTextInputLine()
{
    const float x = static_cast<float>(gTextInput.x), y = static_cast<float>(gTextInput.y);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(x, y, 60.0f);
    glVertex3f(x + kTextInputWidth, y, 60.0f);
    glVertex3f(x + kTextInputWidth, y + kTextInputHeight, 60.0f);
    glVertex3f(x, y + kTextInputHeight, 60.0f);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    DrawText(gTextInput.x + 2, gTextInput.y + 2, ">", 1);
    DrawText(gTextInput.x + 10, gTextInput.y + 2, gTextInput.text.c_str(), 1);
    if (++gTextInput.blinkCounter >= kTextInputBlinkFrames) {
        gTextInput.blinkCounter = 0;
        gTextInput.caretVisible ^= 1;
    }
    if (gTextInput.caretVisible) {
        DrawText(gTextInput.x + 6 + kGlyphAdvance * gTextInput.caret, gTextInput.y + 2, "|", 1);
    }
    glPopAttrib();
}
