// "Kavrolin": the scene file written through the save dialog. This is the
// dialog's half; the format's half, WriteKavrolinScene, is files/scene_export.h.
#pragma once

#include "engine/file_dialogs.h"  // gFileOperationBusy

// Asks for a ".kvl" path and writes the scene there. A cancelled dialog
// writes nothing; a path that cannot be written, or a write that fails
// part way, shows the "Warning" box and leaves no file behind.
void ExportKavrolinScene();
