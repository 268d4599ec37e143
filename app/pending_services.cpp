#include "app/pending_services.h"

#include "app/frame.h"
#include "render/render_buffers.h"

unsigned gPreviewOverlayList = 0;
bool BaseshapeAnimationOn() { return false; }

uint8_t gBaseShapeEditorOpen = 0;
int SelectedPreviewBaseshape() { return -1; }
int SelectedPreviewLight() { return -1; }

bool SaveFractalData(const char*, int) { return false; }
bool LoadFractalData(const char*, int) { return false; }
bool WriteScriptFile() { return false; }
bool ReadScriptFile() { return false; }
bool CreateRandomFractal() { return false; }

