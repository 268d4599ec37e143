#include "assets/color_map_files.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "engine/color_map.h"
#include "materials/color_maps.h"

namespace assetgen {

bool WriteStarterColorMaps(const std::filesystem::path& folder)
{
    bool ok = true;
    for (const StarterColorMap& starter : kStarterColorMaps) {
        ColorMap map;
        starter.make(map);
        const std::filesystem::path path = folder / starter.fileName;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << ColorMapText(map);
        out.close();
        if (!out) {
            std::fprintf(stderr, "generate_assets: cannot write %s\n", path.string().c_str());
            ok = false;
        }
    }
    return ok;
}

}  // namespace assetgen
