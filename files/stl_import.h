// STL meshes as baseshape meshes: text or binary, centred on their
// bounding box, scaled to radius 1 and mirrored in y.
//
// The kind is read from the header: one that begins with "solid" in either
// case, or whose first 80 bytes hold "solid" anywhere, is text, others
// binary. Many exporters write "solid" into the header of
// binary files too, so a file whose length is exactly 84 + 50 x the facet
// count at byte 80 is read as binary whatever its header says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "files/binary_reader.h"

inline constexpr size_t kMaxStlFileBytes = size_t{1} << 31;

enum class StlStatus : uint8_t {
    kTriangles,
    kNoFacets,  // a well-formed file without a facet: the mesh becomes the default triangle
    kDamaged,   // see the reason
    kNoMemory,
};

struct StlMesh {
    std::unique_ptr<float[], FreeDeleter> vertices;  // triangleCount x 9, as stored
    uint32_t triangleCount = 0;
    bool binary = false;
};

// Binary: the facet count must fit in the file (84 + 50 bytes a facet); the
// bytes after the counted facets are left unread (writers leave padding
// there), but a count of 0 over room for a facet is refused. A binary file
// is refused from its header and size without its facets being read.
// Text: read a line at a time (ended by LF, CR LF or CR), lines of any
// length up to 64 KiB (a longer one refuses the file unread); only the
// keywords' lines ("solid", "facet normal", "outer loop", "vertex",
// "endloop", "endfacet", "endsolid", in either case) in their nesting,
// closed by "endsolid"; after the last one, NUL padding and blanks. Each facet is one
// triangle of its first three vertices; a facet of fewer refuses the file.
// Coordinates must be finite floats (not 1e39, "nan" or a word). A refusal
// of a text file names the line.
StlStatus ParseStl(BinaryReader& in, StlMesh* mesh, std::string* why);
StlStatus ParseStl(const uint8_t* data, size_t size, StlMesh* mesh, std::string* why);

// Centres the vertices on their bounding box, scales the farthest to 1 (all
// to 0 when they coincide) and mirrors y.
void NormalizeStlMesh(float* vertices, uint32_t triangleCount);

// The file into mesh i, with the render stopped; true when the mesh changed.
// A file that cannot be read or is refused leaves the mesh as it was and
// says why on the status line; one without a facet gives the default
// triangle, and the status line says that too.
bool ImportStlFile(const char* path, int i);
