// The about box of the "About" page and the two buttons that open the local
// help page ("Help" and "TALVORAN News").
#pragma once

#include <string>

class Opengl;

// The about box's own lines, written into the four text buffers of gOpengl.
void FillAboutTexts(Opengl& lists);
// Records the about box (picture, version, feature and acknowledgement
// lines) into the list being compiled.
void RecordAboutBox(const Opengl& lists);

// The help page that ships with the program, under the install folder.
std::string HelpPagePath();

// Opens a local document with the desktop's default program; returns false
// when it cannot. Tests replace it to see what would be opened.
using OpenDocumentFn = bool (*)(const std::string& path);
extern OpenDocumentFn gOpenDocument;

// "TALVORAN News" and "Help": both open the local help page, never a network
// address. False when the page is missing or cannot be opened.
bool OpenWithShell();
bool OpenWithShell2();
