// The baseshape editor's file commands: "Save" and "Save Baseshape",
// "Open" and "Append". Each returns at once while another file operation
// runs, holds gFileOperationBusy for its whole run and lets go of it on
// every way out; paths come from the file dialog of the ".bsf" kind, which
// starts in the "Buffers" folder until a file was chosen.
#pragma once

// All baseshapes in use, or only the current one. A file that cannot be
// written shows the "Warning" box and leaves an older file of that name as
// it was. True when the file was written.
bool SaveBaseshapeFile(bool currentOnly);

// Replaces every baseshape by the file's; the current baseshape becomes 0.
// A file that cannot be read, is damaged or holds more than 65 baseshapes
// is refused with a status text, and nothing changes. The colouring
// functions are refreshed on every way out. True when the file was read.
bool LoadBaseshapeFile();

// Adds the file's baseshapes after those in use, when at most 64 result;
// the first one added becomes current and every weight 1 / count. Refused
// files change nothing, as for LoadBaseshapeFile.
bool AppendBaseshapeFile();
