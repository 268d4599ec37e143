// Loading the working colour map through the open dialog.
#pragma once

// Asks for a colour-map file (starting in the textures folder while the
// colour-map dialog's start byte is set) and reads it into gColorMap. False
// when a file operation is running, when the dialog is cancelled (gColorMap
// unchanged) or when the chosen file cannot be read (callers copy nothing).
// The busy flags are cleared on every way out.
bool LoadColorMapWithDialog();
