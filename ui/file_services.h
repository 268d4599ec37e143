// What the interface kit needs of the application's file handling. The
// dialogs, the busy flag and the folders belong to the application, which
// installs these at start-up; until then the kit's file buttons do nothing
// and the gradient browser lists no folder.
#pragma once

#include "engine/color_map.h"

struct InterfaceFileServices {
    // Asks for a colour-map file and reads it into the map (and the working
    // colour map); true when read.
    bool (*loadColorMap)(ColorMap& map) = nullptr;
    // A new random colour map (it also becomes the working colour map).
    void (*randomColorMap)(ColorMap& map) = nullptr;
    // Asks for a file name and writes the map there; false when nothing was
    // written (cancelled, busy, or a failed write already reported).
    bool (*saveColorMap)(const ColorMap& map) = nullptr;
    // The textures folder, whose colour maps the gradient browser lists.
    const char* (*texturesFolder)() = nullptr;
};

extern InterfaceFileServices gInterfaceFileServices;
