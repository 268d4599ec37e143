// Loading and saving colour maps through the file dialogs.
#pragma once

#include "materials/color_maps.h"

// Asks for a colour-map file (starting in the textures folder while the
// colour-map dialog's start byte is set) and reads it into gColorMap. False
// when a file operation is running, when the dialog is cancelled (gColorMap
// unchanged) or when the chosen file cannot be read (callers copy nothing).
// The busy flags are cleared on every way out.
bool LoadColorMapWithDialog();

// Asks for a file name (save dialog of the colour-map kind, in the textures
// folder) and writes the map's 256 lines. Every write and the close are
// checked: a failure shows the "Warning" of an unwritable destination and
// removes the partial file. False when nothing was written; the busy flag is
// cleared on every way out.
bool SaveColorMapWithDialog(const ColorMap& map);

// Hands the interface kit its file actions and the textures folder.
void InstallInterfaceFileServices();
