#include "app/pending_services.h"

#include "app/frame.h"
#include "engine/status_line.h"
#include "render/render_buffers.h"

unsigned gPreviewOverlayList = 0;

int SelectedPreviewLight() { return -1; }

namespace {

// A button whose work is not built yet says so instead of doing nothing.
bool NotBuiltYet(const char* what)
{
    SetStatusText("%s is not available in this version yet.", what);
    return false;
}

}  // namespace

bool SaveFractalData(const char*, int mode) { return NotBuiltYet(mode == 0 ? "Save Buffers" : "Save Fractal"); }
bool LoadFractalData(const char*, int mode) { return NotBuiltYet(mode == 0 ? "Load Buffers" : "Load Fractal"); }
bool WriteScriptFile() { return NotBuiltYet("Save Script"); }
bool ReadScriptFile() { return NotBuiltYet("Load Script"); }
bool CreateRandomFractal() { return false; }

