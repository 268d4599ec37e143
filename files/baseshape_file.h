// The baseshape file (".bsf"): an i32 count, then one entry per baseshape:
// its record fields, point size and parameters, the 13 option bytes, the
// blocks the entry's own values call for (displacement map, mesh, texture,
// colour table, modifier, array, neon, animation) and the base colour.
// Little-endian, no magic, no version word; 3 x 3 matrices column by column.
//
// Reading is transactional: the whole file is parsed into entries that own
// their pixels and triangles, every count and size checked against what is
// left of the file and against the program's limits; only a file that
// parsed whole is installed, so a refused file changes nothing. A file
// holding more after its last entry than an entry's fixed fields is not
// what its count says, and is refused without the rest being read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/baseshape_model.h"
#include "engine/byte_sink.h"
#include "files/binary_reader.h"
#include "files/binary_writer.h"

inline constexpr size_t kMaxBaseshapeFileBytes = size_t{1} << 31;
// An append leaves at most this many baseshapes (one fewer than the slots).
inline constexpr int kBaseshapeAppendLimit = 64;

// ---- Writing ----------------------------------------------------------------------
// Baseshapes first .. first + count - 1. A slot without pixels or triangles
// goes out with the default image or triangle, so every file written reads back.
bool WriteBaseshapeFile(const ByteSink& sink, int first, int count);
FileWriteResult WriteBaseshapeFileTo(const std::string& path, int first, int count);

// ---- Reading ----------------------------------------------------------------------
struct StagedImage {
    std::unique_ptr<uint8_t[], FreeDeleter> pixels;
    uint32_t width = 0;
    uint32_t height = 0;
};

// One entry as read; blocks the file did not hold carry their defaults.
struct BaseshapeFileEntry {
    BaseshapeRecord record{};  // the stored fields and option bytes; blendMode only with hasBlendMode
    float size = 0.0f;
    float p[13] = {};
    bool hasDMap = false, hasMesh = false, hasTexture = false, hasRamp = false, hasBlendMode = false;
    StagedImage dmap, texture;
    std::unique_ptr<float[], FreeDeleter> triangles;
    uint32_t triangleCount = 0;
    ColorRamp ramp{};
    int32_t modifierType = 0;
    float modifierAmount = 0.0f;
    int32_t arrayType = 0;
    uint32_t arrayCount = 8;
    float arrayAngle = 0.7853982f;
    float arrayPivot[3] = {0, 0, 0};
    uint8_t neon[3] = {255, 0, 0};
    float neonStrength = 2.0f;
    float spin[4] = {0, 1, 0, 0};
    float moveDirection[3] = {0, 1, 0};
    float moveWave[3] = {0, 0, 0};
    uint8_t waveType = 3;
    uint32_t color[3] = {0, 0, 0};
};

enum class BaseshapeFileStatus : uint8_t {
    kRead,
    kTooMany,   // more entries than the caller has room for
    kDamaged,   // short, inconsistent or out-of-range: see the reason
    kNoMemory,
};

// Parses a whole file; room is how many entries the caller can take (65 to
// open, 64 minus the count in use to append). On anything but kRead the
// entries are empty and *why says what was wrong.
BaseshapeFileStatus ParseBaseshapeFile(BinaryReader& in, int room, std::vector<BaseshapeFileEntry>* entries,
                                       std::string* why);
BaseshapeFileStatus ParseBaseshapeFile(const uint8_t* data, size_t size, int room,
                                       std::vector<BaseshapeFileEntry>* entries, std::string* why);

// One entry on its own, as the fractal data file holds its baseshapes:
// withColor false leaves out the three colour words (that file keeps the
// colours elsewhere). index only numbers the entry in *why.
void WriteBaseshapeEntry(BinaryWriter& out, int i, bool withColor);
bool ReadBaseshapeEntry(BinaryReader& in, int index, BaseshapeFileEntry& e, bool withColor, std::string* why,
                        bool* noMemory);

// Entry k goes into slot first + k: records, edit points and templates,
// images, meshes and the per-baseshape arrays; pickerY is 415; the matrix
// is composed. The entries give up their pixels and triangles.
void InstallBaseshapeEntries(std::vector<BaseshapeFileEntry>& entries, int first);
