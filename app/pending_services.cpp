#include "app/pending_services.h"

#include "app/frame.h"

int gExportProgress = -2;
std::atomic<uint8_t> gExportCancel{0};
std::atomic<uint8_t> gFileThreadBusy{0};
int gExportThreadCount = 1;
int gExportThreadCountSaved = 1;
void AdvanceAnimationFrame() {}
void FadeSplashImage() {}

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
