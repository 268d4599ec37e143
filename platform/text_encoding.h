// Text encoding for the bitmap font, whose cells follow Windows-1252.
#pragma once

// UTF-8 text (a path, say) as Windows-1252 bytes for the bitmap font; a
// character the code page lacks becomes '?'. Always terminates out.
void Utf8ToWindows1252(const char* text, char* out, int size);
