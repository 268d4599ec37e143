// The colour maps a new user's textures folder starts with, written as
// ".map" text (the program's own colour-map format) into the "maps" folder
// beside the interface pictures; start-up copies them from there.
#pragma once

#include <filesystem>

namespace assetgen {

// One file per row of kStarterColorMaps; false, naming the file on stderr,
// when one cannot be written.
bool WriteStarterColorMaps(const std::filesystem::path& folder);

}  // namespace assetgen
