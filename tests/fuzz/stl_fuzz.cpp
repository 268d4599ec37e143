// The STL importer on arbitrary bytes: every mesh it accepts ends up
// finite and inside the unit ball.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "files/stl_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StlMesh mesh;
    if (ParseStl(data, size, &mesh, nullptr) != StlStatus::kTriangles) return 0;
    NormalizeStlMesh(mesh.vertices.get(), mesh.triangleCount);
    const float* v = mesh.vertices.get();
    for (size_t k = 0; k < size_t{mesh.triangleCount} * 9; k += 3) {
        if (!(v[k] * v[k] + v[k + 1] * v[k + 1] + v[k + 2] * v[k + 2] <= 1.0001f)) __builtin_trap();
    }
    return 0;
}
