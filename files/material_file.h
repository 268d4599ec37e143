// The material file (".bmat"): u32 version (31), u32 1, then the material
// settings (files/material_settings.h) with the surface materials,
// reflections, curve modes, preview colours, point colouring and the final
// switches. Older versions read with the defaults of the fields they lack;
// a newer one is refused. A file that does not parse whole changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/byte_sink.h"
#include "files/binary_writer.h"
#include "files/material_settings.h"

inline constexpr size_t kMaxMaterialFileBytes = size_t{1} << 31;

// The model's materials, as the current version.
bool WriteMaterialFile(const ByteSink& sink);
FileWriteResult WriteMaterialFileTo(const std::string& path);

// Parses a whole file into s (started from the model's values); on anything
// but kRead, s is of no use and *why says what was wrong. The reader is
// read no further than the fields the file's version holds.
FileParseStatus ParseMaterialFile(BinaryReader& in, MaterialSettings* s, std::string* why);
FileParseStatus ParseMaterialFile(const uint8_t* data, size_t size, MaterialSettings* s, std::string* why);

// The dialog actions of "Save Material" and "Load Material". Each returns
// at once (false) while another file operation runs; true when a file was
// written or loaded. A load installs into the model, refreshes the
// thumbnails and the shading ball and installs the colouring mode.
bool SaveMaterial();
bool LoadMaterial();
