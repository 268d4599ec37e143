// The shell's side of the image export: the save dialog and the boxes
// through the dialog seam, the settings the export reads from the
// interface, and the GL steps the window thread runs after an export.
#pragma once

// Installs the export's and the animation step's services; start-up runs it.
void InstallExportServices();

// Window thread, export view: applies the button and widget states the
// export asked for and, after an export ended, clears the drawing surface
// and puts back depth test, texturing and the clear colour.
void RestoreViewAfterExport();
