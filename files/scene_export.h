// The scene file (".kvl") written for the outside scene renderer: the
// fractal type, every baseshape with its images, mesh and options, the
// transformations, the script program of type 22, the view and the
// generator groups of type 48. Binary, little-endian, no header magic;
// every field in its in-memory width without padding. 3 x 3 matrices go
// column by column. There is no reader here: the file only leaves. This is
// the format's half; the save dialog that asks for the path,
// ExportKavrolinScene, is app/scene_export_dialog.h.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"
#include "engine/byte_sink.h"
#include "files/binary_writer.h"

// What the scene takes from outside the fractal model: the baseshape
// editor's point records and animation values, its table of displacement-
// mapped shape types and the panel's "Separation" value.
struct SceneInputs {
    const BaseshapePoint* editPoints;         // kMaxBaseshapes entries
    const float (*spin)[4];                   // axis x, y, z, period
    const float (*moveDirection)[3];
    const float (*moveWave)[3];
    const uint8_t* waveType;
    bool (*usesDMap)(int shapeType);
    float separation;
};

// Writes the whole scene; false when a write failed (or a byte count does
// not fit), with the sink then holding a partial scene.
bool WriteKavrolinScene(const ByteSink& sink, const SceneInputs& inputs);

// Writes the scene beside path and renames it over path when every byte
// and the close went well; otherwise the older file stays as it was.
FileWriteResult WriteKavrolinSceneFile(const char* path, const SceneInputs& inputs);
