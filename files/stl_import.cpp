// Sections: [binary] [ascii] [normalise] [file].
#include "files/stl_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "engine/baseshape_images.h"
#include "engine/status_line.h"
#include "files/file_status.h"
#include "render/render_threads.h"

namespace {

constexpr size_t kHeaderSize = 80;
constexpr size_t kBinaryHeaderSize = 84;
constexpr size_t kFacetSize = 50;
// Lines are taken in pieces of at most this many characters, as a line
// reader with a 1024-byte buffer would.
constexpr size_t kLinePiece = 1023;

StlStatus Refuse(std::string* why, const std::string& reason)
{
    if (why) *why = reason;
    return StlStatus::kDamaged;
}

// Not cleared: binary meshes fill every float, text meshes keep only the
// triangles they filled.
bool Allocate(StlMesh* mesh, uint32_t triangles)
{
    mesh->vertices.reset(static_cast<float*>(std::malloc(size_t{triangles} * 9 * sizeof(float))));
    mesh->triangleCount = mesh->vertices ? triangles : 0;
    return mesh->vertices != nullptr;
}

bool AllFinite(const float* v, size_t n)
{
    for (size_t k = 0; k < n; ++k) {
        if (!std::isfinite(v[k])) return false;
    }
    return true;
}

// ---- [binary] --------------------------------------------------------------------------
// The reader stands after the facet count.
StlStatus ParseBinary(BinaryReader& in, uint32_t count, StlMesh* mesh, std::string* why)
{
    // Bytes after the counted facets are never read (some writers leave
    // padding or trailing data there), but a count of 0 over room for facets
    // does not describe the file: nothing in it could be taken.
    if (count == 0 && in.Holds(1, kFacetSize)) {
        return Refuse(why, "the file holds " + std::to_string(in.Remaining()) + " bytes for its 0 facets");
    }
    if (count == 0) return StlStatus::kNoFacets;
    if (count > kMaxBaseshapeTriangles) return Refuse(why, std::to_string(count) + " facets are more than a mesh takes");
    if (!in.Holds(count, kFacetSize)) {
        return Refuse(why, "the file holds fewer than its " + std::to_string(count) + " facets");
    }
    if (!Allocate(mesh, count)) return StlStatus::kNoMemory;
    float* out = mesh->vertices.get();
    for (uint32_t f = 0; f < count; ++f, out += 9) {
        in.Skip(12);  // the normal
        in.ReadArray(out, 9);
        in.Skip(2);   // the attribute word
    }
    if (in.Failed()) return Refuse(why, "the file ends early");
    if (!AllFinite(mesh->vertices.get(), size_t{count} * 9)) return Refuse(why, "a vertex is not a finite number");
    mesh->binary = true;
    return StlStatus::kTriangles;
}

// ---- [ascii] ---------------------------------------------------------------------------
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Calls take(piece) for every line piece of the text.
template <typename Take>
void ForEachLine(std::string_view text, Take&& take)
{
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        for (size_t piece = at; piece < end; piece += kLinePiece) take(text.substr(piece, std::min(kLinePiece, end - piece)));
        at = end + 1;
    }
}

enum class VertexLine : uint8_t { kVertex, kOther, kBad };

// One number as a float. A number past the float range is kBad (it would
// otherwise be skipped and the next facet's vertices slide into this
// triangle); one too small for it is 0, as the C library reads it.
VertexLine ParseCoordinate(const char*& at, const char* end, float* value)
{
    if (at < end && *at == '+') ++at;
    const auto [stop, error] = std::from_chars(at, end, *value);
    if (error == std::errc::invalid_argument) return VertexLine::kOther;
    if (error == std::errc::result_out_of_range) {
        double wide = 0.0;
        const auto [wideStop, wideError] = std::from_chars(at, end, wide);
        if (wideError == std::errc() && std::fabs(wide) <= std::numeric_limits<float>::max()) {
            *value = static_cast<float>(wide);  // a float subnormal or 0
        } else {
            // A double out of range too: below its range only when the exponent is negative.
            const std::string_view digits(at, static_cast<size_t>(stop - at));
            const size_t e = digits.find_first_of("eE");
            if (e == std::string_view::npos || e + 1 >= digits.size() || digits[e + 1] != '-') return VertexLine::kBad;
            *value = 0.0f;
        }
    }
    at = stop;
    return std::isfinite(*value) ? VertexLine::kVertex : VertexLine::kBad;
}

// "word x y z": a first word, then three numbers. Locale-free, so a desktop
// with a decimal comma reads the same files. A "vertex" line whose numbers
// are not three finite floats is kBad.
VertexLine ParseVertexLine(std::string_view line, float* xyz)
{
    size_t at = 0;
    auto skipSpace = [&] {
        while (at < line.size() && IsSpace(line[at])) ++at;
    };
    skipSpace();
    const size_t word = at;
    while (at < line.size() && !IsSpace(line[at])) ++at;
    if (at == word) return VertexLine::kOther;
    const bool vertexWord = line.substr(word, at - word) == "vertex";
    for (int k = 0; k < 3; ++k) {
        skipSpace();
        const char* cursor = line.data() + at;
        const VertexLine got = ParseCoordinate(cursor, line.data() + line.size(), &xyz[k]);
        if (got == VertexLine::kBad) return got;
        if (got == VertexLine::kOther) return vertexWord ? VertexLine::kBad : VertexLine::kOther;
        at = static_cast<size_t>(cursor - line.data());
    }
    return VertexLine::kVertex;
}

StlStatus ParseAscii(const uint8_t* data, size_t size, StlMesh* mesh, std::string* why)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    uint64_t facets = 0;
    ForEachLine(text, [&](std::string_view line) { facets += line.find("facet normal") != std::string_view::npos; });
    if (facets == 0) return StlStatus::kNoFacets;
    if (facets > kMaxBaseshapeTriangles) return Refuse(why, std::to_string(facets) + " facets are more than a mesh takes");
    const uint32_t count = static_cast<uint32_t>(facets);
    if (!Allocate(mesh, count)) return StlStatus::kNoMemory;

    const size_t capacity = size_t{count} * 3;
    size_t vertices = 0;
    bool bad = false;
    ForEachLine(text, [&](std::string_view line) {
        float xyz[3];
        if (bad || vertices >= capacity || line.find("vertex") == std::string_view::npos) return;
        const VertexLine kind = ParseVertexLine(line, xyz);
        bad = kind == VertexLine::kBad;
        if (kind != VertexLine::kVertex) return;
        std::memcpy(mesh->vertices.get() + 3 * vertices, xyz, sizeof xyz);
        ++vertices;
    });
    if (bad) return Refuse(why, "a vertex is not a finite number");
    // Facets without their three vertices would pull the mesh towards 0.
    mesh->triangleCount = static_cast<uint32_t>(vertices / 3);
    if (mesh->triangleCount == 0) {
        mesh->vertices.reset();
        return StlStatus::kNoFacets;
    }
    return StlStatus::kTriangles;
}

}  // namespace

StlStatus ParseStl(BinaryReader& in, StlMesh* mesh, std::string* why)
{
    *mesh = StlMesh{};
    // The kind is told by the header, the facet count at byte 80 and the
    // file's size, before the rest is read.
    uint8_t head[kBinaryHeaderSize] = {};
    const size_t headSize = std::min(in.Size(), kBinaryHeaderSize);
    if (!in.Bytes(head, headSize)) return Refuse(why, "the file ends early");
    const std::string_view header(reinterpret_cast<const char*>(head), std::min(headSize, kHeaderSize));
    uint32_t count = 0;
    BinaryReader countField(head + kHeaderSize, headSize == kBinaryHeaderSize ? 4 : 0);
    const bool hasCount = countField.Read(count);
    const bool binaryLength = hasCount && in.Size() == kBinaryHeaderSize + uint64_t{count} * kFacetSize;
    StlStatus status = StlStatus::kDamaged;
    if (header.find("solid") != std::string_view::npos && !binaryLength) {
        // Text is read whole: the facets are counted before the vertices are taken.
        std::vector<uint8_t> text(in.Size());
        std::memcpy(text.data(), head, headSize);
        if (!in.Bytes(text.data() + headSize, text.size() - headSize)) return Refuse(why, "the file ends early");
        status = ParseAscii(text.data(), text.size(), mesh, why);
    } else if (!hasCount) {
        status = Refuse(why, "shorter than the 84 bytes of a binary header");
    } else {
        status = ParseBinary(in, count, mesh, why);
    }
    if (status != StlStatus::kTriangles) *mesh = StlMesh{};
    return status;
}

StlStatus ParseStl(const uint8_t* data, size_t size, StlMesh* mesh, std::string* why)
{
    BinaryReader in(data, size);
    return ParseStl(in, mesh, why);
}

// ---- [normalise] -----------------------------------------------------------------------
void NormalizeStlMesh(float* v, uint32_t triangleCount)
{
    const size_t n = size_t{triangleCount} * 3;
    if (n == 0) return;
    double lo[3], hi[3];
    for (int k = 0; k < 3; ++k) lo[k] = hi[k] = v[k];
    for (size_t i = 1; i < n; ++i) {
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], static_cast<double>(v[3 * i + k]));
            hi[k] = std::max(hi[k], static_cast<double>(v[3 * i + k]));
        }
    }
    double centre[3], radius2 = 0.0;
    for (int k = 0; k < 3; ++k) centre[k] = (lo[k] + hi[k]) / 2.0;
    for (size_t i = 0; i < n; ++i) {
        double d2 = 0.0;
        for (int k = 0; k < 3; ++k) d2 += (v[3 * i + k] - centre[k]) * (v[3 * i + k] - centre[k]);
        radius2 = std::max(radius2, d2);
    }
    const double r = std::sqrt(radius2);
    const double s = r > 0.0 ? 1.0 / r : 0.0;
    for (size_t i = 0; i < n; ++i) {
        float* p = v + 3 * i;
        p[0] = static_cast<float>((p[0] - centre[0]) * s);
        p[1] = static_cast<float>((centre[1] - p[1]) * s);
        p[2] = static_cast<float>((p[2] - centre[2]) * s);
    }
}

// ---- [file] ----------------------------------------------------------------------------
namespace {

bool ImportStl(const char* path, int i)
{
    OpenedFile file;
    if (!OpenChosenFile(path, kMaxStlFileBytes, &file)) return false;
    BinaryReader in(file.fd, file.size);
    StlMesh mesh;
    std::string why;
    const StlStatus status = ParseStl(in, &mesh, &why);
    if (status != StlStatus::kTriangles && status != StlStatus::kNoFacets && ReportFileGaveOut(in, path)) return false;
    switch (status) {
    case StlStatus::kDamaged:
        SetStatusText("Talvoran :   %s is not an STL file we can open: %s.", FileNameOf(path), why.c_str());
        return false;
    case StlStatus::kNoMemory: SayNoMemory(); return false;
    case StlStatus::kNoFacets:
    case StlStatus::kTriangles: break;
    }
    // The samplers read the mesh without a lock.
    StopRender();
    if (status == StlStatus::kNoFacets) {
        ClearBaseshapeMesh(i);
        return true;
    }
    NormalizeStlMesh(mesh.vertices.get(), mesh.triangleCount);
    InstallBaseshapeMesh(gBaseshapeMeshes[i], mesh.vertices.release(), mesh.triangleCount);
    return true;
}

}  // namespace

bool ImportStlFile(const char* path, int i)
{
    if (i < 0 || i >= kMaxBaseshapes) return false;
    return WithinMemory([path, i] { return ImportStl(path, i); });
}
