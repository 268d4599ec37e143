// The file actions of the "Fractals" page: the fractal data file (".zdat"
// with "Save Fractal" and "Load Fractal", ".zb3f" with the render buffers
// through "Save Buffers" and "Load Buffers") and the fractal script
// (".prg" through "Save Script" and "Load Script"). The formats are in
// files/ (fractal_data_file.h, script_file.h); these put the dialogs, the
// render, the panels and the editors around them. Each returns at once
// while another file operation runs.
#pragma once

// parametersOnly: ".zdat"; else ".zb3f" with the render buffers. True when
// a file was written.
bool SaveFractalData(bool parametersOnly);
// True when a file was loaded; the model, the panels and the editors then
// show it, and after a buffer load "Continue" goes on with the loaded
// render. Any failure (a cancelled dialog, a file refused, no memory for
// its size) leaves scene, buffers and render as they were and says why.
bool LoadFractalData(bool parametersOnly);

// A script into gScriptProgram and the baseshapes of its tbase blocks, then
// the current type's "New Fractal" set-up.
void ReadScriptFile();
// The current fractal as a script, for the types that have a template.
void WriteScriptFile();
