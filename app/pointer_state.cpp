#include "app/pointer_state.h"

#include "platform/desktop/gl_window.h"

float gMouseScaleX = 1.0f;
float gMouseScaleY = 1.0f;
int gMouseState = kMouseStateNone;
int gLastPointerX = 0;
int gLastPointerY = 0;
int gPointerY = 0;
int gHoverX = 0, gHoverY = 0;

int PointerToVirtualX(int x) { return static_cast<int>(static_cast<float>(x) * gMouseScaleX); }
int PointerToVirtualYDown(int y) { return static_cast<int>(static_cast<float>(y) * gMouseScaleY); }
int PointerToVirtualYUp(int y) { return kVirtualScreenHeight - PointerToVirtualYDown(y); }
