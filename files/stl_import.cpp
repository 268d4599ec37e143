// Sections: [binary] [text] [normalise] [file].
#include "files/stl_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "engine/baseshape_images.h"
#include "engine/status_line.h"
#include "files/file_status.h"
#include "render/render_threads.h"

namespace {

constexpr size_t kHeaderSize = 80;
constexpr size_t kBinaryHeaderSize = 84;
constexpr size_t kFacetSize = 50;
// Far beyond any line of a text STL (a name, or numbers indented deep):
// a longer line is not read at all.
constexpr size_t kMaxTextLine = 65536;

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

// ---- [text] ----------------------------------------------------------------------------
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

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

// The three numbers after a line's first word. Locale-free, so a desktop
// with a decimal comma reads the same files. kBad unless they are three
// finite floats.
VertexLine ParseVertexLine(std::string_view line, float* xyz)
{
    size_t at = 0;
    auto skipSpace = [&] {
        while (at < line.size() && IsSpace(line[at])) ++at;
    };
    skipSpace();
    while (at < line.size() && !IsSpace(line[at])) ++at;
    for (int k = 0; k < 3; ++k) {
        skipSpace();
        const char* cursor = line.data() + at;
        if (ParseCoordinate(cursor, line.data() + line.size(), &xyz[k]) != VertexLine::kVertex) return VertexLine::kBad;
        at = static_cast<size_t>(cursor - line.data());
    }
    return VertexLine::kVertex;
}

// Keywords are read in either case: some writers put them in capitals.
bool SameWord(std::string_view word, std::string_view keyword)
{
    if (word.size() != keyword.size()) return false;
    for (size_t k = 0; k < word.size(); ++k) {
        const char c = word[k];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != keyword[k]) return false;
    }
    return true;
}

// The first two words of a line.
void FirstWords(std::string_view line, std::string_view* first, std::string_view* second)
{
    std::string_view* words[2] = {first, second};
    size_t at = 0;
    for (std::string_view* word : words) {
        while (at < line.size() && IsSpace(line[at])) ++at;
        const size_t from = at;
        while (at < line.size() && !IsSpace(line[at])) ++at;
        *word = line.substr(from, at - from);
    }
}

// Text holds no control bytes but the blanks; binary data almost always does.
bool IsTextLine(std::string_view line)
{
    for (const char c : line) {
        if (static_cast<unsigned char>(c) < 0x20 && !IsSpace(c)) return false;
    }
    return true;
}

// Where the NULs begin of a line that ends in NULs and blanks only, or npos.
size_t NulPadding(std::string_view line)
{
    const size_t nul = line.find('\0');
    if (nul == std::string_view::npos) return nul;
    for (size_t k = nul; k < line.size(); ++k) {
        if (line[k] != '\0' && !IsSpace(line[k])) return std::string_view::npos;
    }
    return nul;
}

// The triangles read so far, in a buffer that doubles as they come.
class TriangleBuffer {
public:
    bool Add(const float* corners)
    {
        if (count_ == capacity_) {
            const size_t capacity = std::min<size_t>(std::max<size_t>(capacity_ * 2, 1024), kMaxBaseshapeTriangles);
            void* grown = std::realloc(vertices_.get(), capacity * 9 * sizeof(float));
            if (!grown) return false;
            (void)vertices_.release();
            vertices_.reset(static_cast<float*>(grown));
            capacity_ = capacity;
        }
        std::memcpy(vertices_.get() + 9 * count_, corners, 9 * sizeof(float));
        ++count_;
        return true;
    }
    size_t Count() const { return count_; }
    // The triangles into the mesh, the buffer cut to their size.
    void MoveTo(StlMesh* mesh)
    {
        if (void* exact = std::realloc(vertices_.get(), count_ * 9 * sizeof(float))) {
            (void)vertices_.release();
            vertices_.reset(static_cast<float*>(exact));
        }
        mesh->vertices = std::move(vertices_);
        mesh->triangleCount = static_cast<uint32_t>(count_);
    }

private:
    std::unique_ptr<float[], FreeDeleter> vertices_;
    size_t count_ = 0, capacity_ = 0;
};

// A text STL read line by line from the start of the file: "solid", then
// facets of "facet normal", "outer loop", three "vertex" lines, "endloop"
// and "endfacet", closed by "endsolid" (several solids may follow one
// another); blank lines anywhere; keywords in either case. Any other line
// refuses the file with its number, so binary data or prose is never taken
// for a mesh, and a vertex belongs to the facet it stands in. Some writers
// fill the file up to a block with NULs: after the last "endsolid" NULs and
// blanks end the file.
class TextStl {
public:
    TextStl(BinaryReader& in, std::string* why) : in_(in), why_(why) {}

    StlStatus Parse(StlMesh* mesh)
    {
        std::string_view line;
        for (;;) {
            const LineRead got = in_.NextLine(&line, kMaxTextLine);
            if (got == LineRead::kEnd) break;
            ++number_;
            if (got == LineRead::kTooLong) {
                return Refuse(why_, Line() + " is longer than " + std::to_string(kMaxTextLine / 1024) + " KiB");
            }
            if (got == LineRead::kFailed) return Refuse(why_, "the file ends early");
            if (number_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // a UTF-8 mark
            const size_t padding = NulPadding(line);
            if (paddingLine_ != 0) {
                // Past the padding only more of it may come.
                if (IsBlank(padding == std::string_view::npos ? line : line.substr(0, padding))) continue;
                return Refuse(why_, "line " + std::to_string(paddingLine_) + " is not text");
            }
            if (padding != std::string_view::npos) {
                line = line.substr(0, padding);
                paddingLine_ = number_;
            }
            if (!IsTextLine(line)) return Refuse(why_, Line() + " is not text");
            const StlStatus status = Keyword(line);
            if (status != StlStatus::kTriangles) return status;
            // NULs inside a solid are no padding.
            if (paddingLine_ != 0 && (place_ != Place::kOutside || solids_ == 0)) {
                return Refuse(why_, Line() + " is not text");
            }
        }
        if (place_ != Place::kOutside || solids_ == 0) return Refuse(why_, "the file ends before its \"endsolid\"");
        if (triangles_.Count() == 0) return StlStatus::kNoFacets;
        triangles_.MoveTo(mesh);
        return StlStatus::kTriangles;
    }

private:
    enum class Place : uint8_t { kOutside, kSolid, kFacet };

    std::string Line() const { return "line " + std::to_string(number_); }

    static bool IsBlank(std::string_view line)
    {
        return std::all_of(line.begin(), line.end(), [](char c) { return IsSpace(c); });
    }

    StlStatus Misplaced(std::string_view keyword)
    {
        const char* where = place_ == Place::kOutside ? "outside a solid"
                          : place_ == Place::kSolid  ? "outside a facet"
                                                     : "inside a facet";
        return Refuse(why_, Line() + ": \"" + std::string(keyword) + "\" " + where);
    }

    // kTriangles: the line is taken, and the file goes on.
    StlStatus Keyword(std::string_view line)
    {
        std::string_view word, next;
        FirstWords(line, &word, &next);
        if (word.empty()) return StlStatus::kTriangles;
        if (SameWord(word, "solid")) {
            if (place_ != Place::kOutside) return Misplaced(word);
            place_ = Place::kSolid;
            ++solids_;
        } else if (SameWord(word, "endsolid")) {
            if (place_ != Place::kSolid) return Misplaced(word);
            place_ = Place::kOutside;
        } else if (SameWord(word, "facet")) {
            if (place_ != Place::kSolid) return Misplaced(word);
            if (!SameWord(next, "normal")) return Refuse(why_, Line() + ": \"facet\" without \"normal\"");
            place_ = Place::kFacet;
            corners_ = 0;
        } else if (SameWord(word, "outer") || SameWord(word, "endloop")) {
            if (place_ != Place::kFacet) return Misplaced(word);
            if (SameWord(word, "outer") && !SameWord(next, "loop")) return Refuse(why_, Line() + ": \"outer\" without \"loop\"");
        } else if (SameWord(word, "vertex")) {
            if (place_ != Place::kFacet) return Misplaced(word);
            float xyz[3];
            if (ParseVertexLine(line, xyz) != VertexLine::kVertex) {
                return Refuse(why_, Line() + ": a vertex is not 3 finite numbers");
            }
            // Corners past the third are left out: a facet is a triangle.
            if (corners_ < 3) std::memcpy(corner_ + 3 * corners_, xyz, sizeof xyz);
            corners_ = std::min(corners_ + 1, 4);
        } else if (SameWord(word, "endfacet")) {
            if (place_ != Place::kFacet) return Misplaced(word);
            if (corners_ < 3) return Refuse(why_, Line() + ": a facet of " + std::to_string(corners_) + " corners");
            if (triangles_.Count() >= kMaxBaseshapeTriangles) {
                return Refuse(why_, "more than " + std::to_string(kMaxBaseshapeTriangles) + " facets, more than a mesh takes");
            }
            if (!triangles_.Add(corner_)) return StlStatus::kNoMemory;
            place_ = Place::kSolid;
        } else {
            return Refuse(why_, Line() + " is no line of an STL file");
        }
        return StlStatus::kTriangles;
    }

    BinaryReader& in_;
    std::string* why_;
    uint64_t number_ = 0;
    Place place_ = Place::kOutside;
    int solids_ = 0;
    uint64_t paddingLine_ = 0;  // the line the NUL padding began on, or 0
    int corners_ = 0;
    float corner_[9] = {};
    TriangleBuffer triangles_;
};

// A text STL begins with "solid", in either case; a header that holds
// "solid" in small letters anywhere is taken for text as well. A binary
// header with the word in capitals further on (a writer naming itself)
// stays binary, as it always was.
bool SaysText(std::string_view header)
{
    if (header.find("solid") != std::string_view::npos) return true;
    if (header.substr(0, 3) == "\xEF\xBB\xBF") header.remove_prefix(3);
    std::string_view first, second;
    FirstWords(header.substr(0, header.find_first_of("\r\n")), &first, &second);
    return SameWord(first, "solid");
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
    if (SaysText(header) && !binaryLength) {
        // Text is read from its first line on, a line at a time.
        status = in.SeekTo(0) ? TextStl(in, why).Parse(mesh) : Refuse(why, "the file ends early");
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
        SetStatusText("Talvoran :   %s holds no facet: the mesh is the default triangle.", FileNameOf(path));
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
