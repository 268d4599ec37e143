#include "app/pending_services.h"

#include "app/frame.h"

void ShadeProgressive(int) {}

uint8_t ExportPngOption(int) { return 0; }
int ImageTypeSelection() { return 1; }
bool DialogsAlwaysAtDefaultFolder() { return false; }
void SetExportControls(bool) {}

float gVoxelExportProgress = 0.5f;

unsigned gGridOverlayList = 0;

void DrawInterface() { DrawStatusLine(); }
bool TextInputActive() { return false; }
void DrawTextInputLine() {}
void DrawPreview3D() {}
void DrawPointPreviewPbuffer() {}
void DrawExportProgressBox() {}
void OnExportFinished() {}
int gCurrentTab = 0;
void OnTimer() {}
void OnMouseMove(int, int, bool, bool, bool) {}
void OnLeftButtonDown(int, int) {}
void OnLeftButtonUp() {}
void OnRightButtonDown(int, int) {}
void OnRightButtonUp() {}
void OnMouseWheel(int, int, int) {}
bool TextInputKeyDown(int) { return false; }
bool TextInputCharacter(uint8_t) { return false; }

float* RenderThreadsSliderValue()
{
    static float value = 1.0f;
    return &value;
}
float* ExportThreadsSliderValue()
{
    static float value = 1.0f;
    return &value;
}
