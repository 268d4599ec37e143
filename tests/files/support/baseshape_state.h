// What the baseshape file, picture and mesh tests share: files on disk and
// a copy of every baseshape value a reader could change, to show that a
// refused file changed nothing.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/baseshape_record.h"

inline std::string TempPath(const std::string& name)
{
    // One folder for the process, removed at its end: the cases of one test
    // program run side by side.
    static const struct Folder {
        std::string path = ::testing::TempDir() + "talvoran_files_" + std::to_string(::getpid()) + "/";
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
    } folder;
    return folder.path + name;
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

// Records, counts, points, images and meshes (by pointer), tables and modes.
inline std::vector<uint8_t> BaseshapeState()
{
    std::vector<uint8_t> s;
    auto add = [&s](const auto& value) {
        const auto* b = reinterpret_cast<const uint8_t*>(&value);
        s.insert(s.end(), b, b + sizeof value);
    };
    add(gBaseshapes), add(gBaseshapeCount), add(gCurrentBaseshape), add(gUseBaseshapes), add(gBaseshapeEditPoints);
    add(gBaseshapePointTemplates), add(gBaseshapeTextures), add(gBaseshapeDMaps), add(gBaseshapeMeshes);
    add(gBaseshapeColorRamps), add(gBaseshapeColors), add(gBaseshapeModifierType), add(gBaseshapeArrayCount);
    add(gBaseshapeNeonColor), add(gBaseshapeSpin), add(gBaseshapeWaveType);
    return s;
}
