// Sections: [writer] [reader] [install].
#include "files/baseshape_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <new>

#include "engine/baseshape_images.h"
#include "engine/baseshape_record.h"
#include "engine/window_ranges.h"
#include "files/binary_reader.h"
#include "platform/picture_file.h"

namespace {

constexpr size_t kNameSize = 260;
// Matrices are stored column by column: element order of the row-major array.
constexpr int kColumnOrder[9] = {0, 3, 6, 1, 4, 7, 2, 5, 8};
constexpr int kOptionCount = 13;
constexpr int kFlagCount = 10;  // option bytes 0..9 are on/off; 10..12 are kept as they are
// An entry without optional blocks: fields 1 to 14 and the base colour.
constexpr size_t kSmallestEntry = 194;

bool IsMeshType(int32_t type) { return type == 58 || type == 60; }

void OptionBytes(const BaseshapeRecord& r, uint8_t* o)
{
    const uint8_t bytes[kOptionCount] = {r.showBaseshape, r.useTexture,  r.smoothTexture, r.randomRunLength,
                                         r.useGradient,   r.modifierOn,  r.arrayOn,       r.neonOn,
                                         r.animationStored, r.interior,  r.reserved[0],   r.reserved[1],
                                         r.reserved[2]};
    std::memcpy(o, bytes, sizeof bytes);
}

void SetOptionBytes(BaseshapeRecord& r, const uint8_t* o)
{
    r.showBaseshape = o[0];
    r.useTexture = o[1];
    r.smoothTexture = o[2];
    r.randomRunLength = o[3];
    r.useGradient = o[4];
    r.modifierOn = o[5];
    r.arrayOn = o[6];
    r.neonOn = o[7];
    r.animationStored = o[8];
    r.interior = o[9];
    std::memcpy(r.reserved, o + 10, 3);
}

// ---- [writer] -------------------------------------------------------------------------
void WriteName(BinaryWriter& out)
{
    out.Value(uint8_t{'#'});
    out.Zeros(kNameSize - 1);
}

bool HasPixels(const BaseshapeImage& image)
{
    return image.pixels && image.width > 0 && image.height > 0;
}

void WriteImage(BinaryWriter& out, const BaseshapeImage& image, uint32_t depth, uint8_t fallback)
{
    if (HasPixels(image)) {
        out.Value(image.width);
        out.Value(image.height);
        WriteName(out);
        out.Bytes(image.pixels, static_cast<size_t>(image.width) * image.height * depth);
        return;
    }
    uint8_t pixels[16 * 16 * 3];
    std::memset(pixels, fallback, sizeof pixels);
    BaseshapeImage standIn{"#", 16, 16, pixels};
    if (depth == 1) ApplyDMapBorderMode(standIn, 1);
    out.Value(uint32_t{16});
    out.Value(uint32_t{16});
    WriteName(out);
    out.Bytes(pixels, 16 * 16 * depth);
}

void WriteEntry(BinaryWriter& out, int i, bool withColor)
{
    const BaseshapeRecord& r = gBaseshapes[i];
    out.Value(r.shapeType);
    for (int k : kColumnOrder) out.Value(r.rotation[k]);
    for (int k : kColumnOrder) out.Value(r.scaleShear[k]);
    out.Values(r.position, 3);
    out.Value(r.pointsPerRun);
    out.Value(r.material);
    out.Value(r.probability);
    out.Value(r.pickerFirst);
    out.Value(r.pickerCell);
    out.Value(r.pickerX);
    out.Value(r.pickerY);
    const BaseshapePoint& point = gBaseshapeEditPoints[i];
    out.Value(point.size);
    out.Values(point.p, 13);
    uint8_t options[kOptionCount];
    OptionBytes(r, options);
    // The reader takes on/off bytes as 0 or 1, and so does every block condition.
    for (int k = 0; k < kFlagCount; ++k) options[k] = options[k] != 0;
    out.Bytes(options, sizeof options);

    if (ShapeTypeUsesDMap(r.shapeType)) WriteImage(out, gBaseshapeDMaps[i], 1, 255);
    if (IsMeshType(r.shapeType)) {
        const BaseshapeMesh& mesh = gBaseshapeMeshes[i];
        const bool has = mesh.vertices && mesh.triangleCount > 0;
        out.Value(has ? mesh.triangleCount : 1u);
        WriteName(out);
        out.Values(has ? mesh.vertices : kDefaultBaseshapeTriangle, (has ? mesh.triangleCount : 1u) * size_t{9});
    }
    if (options[1]) WriteImage(out, gBaseshapeTextures[i], 3, 128);
    if (options[4]) {
        const ColorRamp& ramp = gBaseshapeColorRamps[i];
        uint8_t table[256 * 3];
        for (int k = 0; k < 256; ++k) {
            table[3 * k] = ramp.r[k];
            table[3 * k + 1] = ramp.g[k];
            table[3 * k + 2] = ramp.b[k];
        }
        out.Bytes(table, sizeof table);
        if (options[1]) out.Value(r.blendMode);
    }
    if (options[5]) {
        out.Value(gBaseshapeModifierType[i]);
        out.Value(gBaseshapeModifierAmount[i]);
    }
    if (options[6]) {
        out.Value(gBaseshapeArrayType[i]);
        out.Value(gBaseshapeArrayCount[i]);
        out.Value(gBaseshapeArrayAngle[i]);
        out.Value(gBaseshapeArrayPivotX[i]);
        out.Value(gBaseshapeArrayPivotY[i]);
        out.Value(gBaseshapeArrayPivotZ[i]);
    }
    if (options[7]) {
        out.Value(gBaseshapeNeonColor.r[i]);
        out.Value(gBaseshapeNeonColor.g[i]);
        out.Value(gBaseshapeNeonColor.b[i]);
        out.Value(gBaseshapeNeonStrength[i]);
    }
    if (options[8]) {
        out.Values(gBaseshapeSpin[i], 4);
        out.Values(gBaseshapeMoveDirection[i], 3);
        out.Values(gBaseshapeMoveWave[i], 3);
        out.Value(gBaseshapeWaveType[i]);
    }
    if (!withColor) return;
    out.Value(static_cast<uint32_t>(std::clamp(gBaseshapeColors.r[i], 0, 255)));
    out.Value(static_cast<uint32_t>(std::clamp(gBaseshapeColors.g[i], 0, 255)));
    out.Value(static_cast<uint32_t>(std::clamp(gBaseshapeColors.b[i], 0, 255)));
}

bool WriteEntries(BinaryWriter& out, int first, int count)
{
    if (first < 0 || count < 0 || count > kMaxBaseshapes - first) return false;
    out.Value(static_cast<int32_t>(count));
    for (int i = first; i < first + count && out.Ok(); ++i) WriteEntry(out, i, true);
    return out.Ok();
}

struct EntryRange {
    int first, count;
};

}  // namespace

bool WriteBaseshapeFile(const ByteSink& sink, int first, int count)
{
    BinaryWriter out(sink);
    return WriteEntries(out, first, count);
}

FileWriteResult WriteBaseshapeFileTo(const std::string& path, int first, int count)
{
    const EntryRange range{first, count};
    return WriteReplacingFile(
        path,
        [](BinaryWriter& out, const void* context) {
            const auto* r = static_cast<const EntryRange*>(context);
            return WriteEntries(out, r->first, r->count);
        },
        &range);
}

// ---- [reader] -------------------------------------------------------------------------
namespace {

// Parses one file; the first failure is kept with its reason and entry.
class EntryParser {
public:
    explicit EntryParser(BinaryReader& in) : in_(in) {}

    BaseshapeFileStatus status = BaseshapeFileStatus::kRead;
    std::string why;

    bool Count(int room, int32_t* count)
    {
        if (!in_.Read(*count)) return Damaged("the file is too short to hold a count");
        if (*count < 0 || *count > kMaxBaseshapes) return Damaged("the count " + std::to_string(*count) + " is outside 0 to 65");
        if (*count > room) {
            status = BaseshapeFileStatus::kTooMany;
            why = std::to_string(*count) + " baseshapes do not fit";
            return false;
        }
        return true;
    }

    bool Entry(int index, BaseshapeFileEntry& e, bool withColor)
    {
        entry_ = index;
        BaseshapeRecord& r = e.record;
        float rotation[9], scaleShear[9];
        uint8_t options[kOptionCount];
        const bool fixed = in_.Read(r.shapeType) && in_.ReadArray(rotation, 9) && in_.ReadArray(scaleShear, 9) &&
                           in_.ReadArray(r.position, 3) && in_.Read(r.pointsPerRun) && in_.Read(r.material) &&
                           in_.Read(r.probability) && in_.Read(r.pickerFirst) && in_.Read(r.pickerCell) &&
                           in_.Read(r.pickerX) && in_.Read(r.pickerY) && in_.Read(e.size) && in_.ReadArray(e.p, 13) &&
                           in_.Bytes(options, sizeof options);
        if (!fixed) return Short();
        for (int k = 0; k < 9; ++k) {
            r.rotation[kColumnOrder[k]] = rotation[k];
            r.scaleShear[kColumnOrder[k]] = scaleShear[k];
        }
        if (r.shapeType < 0 || r.shapeType >= kBaseshapeKinds) return Damaged("shape type " + std::to_string(r.shapeType) + " is unknown");
        if (r.material > 9) return Damaged("material " + std::to_string(r.material) + " is outside 0 to 9");
        for (int k = 0; k < kFlagCount; ++k) {
            if (options[k] > 1) return Damaged("option byte " + std::to_string(k) + " is neither 0 nor 1");
        }
        SetOptionBytes(r, options);

        if (ShapeTypeUsesDMap(r.shapeType) && !Image(e.dmap, 1, "displacement map")) return false;
        e.hasDMap = ShapeTypeUsesDMap(r.shapeType);
        if (IsMeshType(r.shapeType) && !Mesh(e)) return false;
        e.hasMesh = IsMeshType(r.shapeType);
        if (r.useTexture && !Image(e.texture, 3, "texture")) return false;
        e.hasTexture = r.useTexture;
        if (r.useGradient) {
            const uint8_t* table = in_.Take(256 * 3);
            if (!table) return Short();
            for (int k = 0; k < 256; ++k) {
                e.ramp.r[k] = table[3 * k];
                e.ramp.g[k] = table[3 * k + 1];
                e.ramp.b[k] = table[3 * k + 2];
            }
            e.hasRamp = true;
            if (r.useTexture && !in_.Read(r.blendMode)) return Short();
            e.hasBlendMode = r.useTexture;
        }
        if (r.modifierOn && !(in_.Read(e.modifierType) && in_.Read(e.modifierAmount))) return Short();
        if (r.arrayOn && !(in_.Read(e.arrayType) && in_.Read(e.arrayCount) && in_.Read(e.arrayAngle) &&
                           in_.ReadArray(e.arrayPivot, 3))) {
            return Short();
        }
        if (r.neonOn && !(in_.Bytes(e.neon, 3) && in_.Read(e.neonStrength))) return Short();
        if (r.animationStored) {
            if (!(in_.ReadArray(e.spin, 4) && in_.ReadArray(e.moveDirection, 3) && in_.ReadArray(e.moveWave, 3) &&
                  in_.Read(e.waveType))) {
                return Short();
            }
        } else {
            r.animationStored = 1;  // the defaults stand in, and are stored from now on
        }
        if (withColor && !in_.ReadArray(e.color, 3)) return Short();
        return Values(e);
    }

    // What a window or a list of the editor sets is taken as a typed value
    // or a chosen row would be; every other number must be a number.
    bool Values(BaseshapeFileEntry& e)
    {
        const BaseshapeRecord& r = e.record;
        const float single[] = {r.probability, r.pickerX, r.pickerY, e.size, e.arrayAngle, e.modifierAmount};
        const struct {
            const float* values;
            size_t count;
        } runs[] = {{r.rotation, 9}, {r.scaleShear, 9}, {r.position, 3}, {single, std::size(single)}, {e.p, 13},
                    {e.arrayPivot, 3}, {e.spin, 4}, {e.moveDirection, 3}, {e.moveWave, 3}, {&e.neonStrength, 1}};
        for (const auto& run : runs) {
            for (size_t k = 0; k < run.count; ++k)
                if (!std::isfinite(run.values[k])) return Damaged("a value that is not a number");
        }
        if (e.triangles) {
            const float* t = e.triangles.get();
            for (size_t k = 0; k < size_t{e.triangleCount} * 9; ++k)
                if (!std::isfinite(t[k])) return Damaged("a mesh vertex that is not a number");
        }
        if (!(Row(e.modifierType, kModifierListRows, "Modifier Type") && Row(e.arrayType, kArrayListRows, "Array Type") &&
              Row(e.waveType, kWaveListRows, "Wave Type") &&
              (!e.hasBlendMode || Row(r.blendMode, kBaseshapeBlendListRows, "Color Blend Mode")))) {
            return false;
        }
        // "Sides" clamps at its minimum only, and holds whole numbers already.
        e.arrayCount = std::max(e.arrayCount, static_cast<uint32_t>(kArraySidesRows[0]));
        TakeWindowValue(kModifierStrengthRows, 0, e.modifierAmount);
        TakeWindowValue(kNeonRows, 0, e.neonStrength);
        TakeWindowValue(kSpinRows, 0, e.spin[3]);
        for (int k = 0; k < 3; ++k) TakeWindowValue(kMovementRows, k, e.moveWave[k]);
        return true;
    }

    bool Trailing(int32_t count)
    {
        if (in_.Remaining() < kSmallestEntry) return true;
        entry_ = -1;
        return Damaged(std::to_string(in_.Remaining()) + " bytes follow the last of its " + std::to_string(count) +
                       " baseshapes");
    }

private:
    bool Damaged(const std::string& reason)
    {
        status = BaseshapeFileStatus::kDamaged;
        why = entry_ >= 0 ? "entry " + std::to_string(entry_ + 1) + ": " + reason : reason;
        return false;
    }
    bool Short() { return Damaged("the file ends early"); }
    bool Row(int64_t row, int count, const char* list)
    {
        if (row >= 0 && row < count) return true;
        return Damaged("row " + std::to_string(row) + " of \"" + list + "\", which has " + std::to_string(count));
    }
    bool NoMemory()
    {
        status = BaseshapeFileStatus::kNoMemory;
        why = "Insufficient System Memory!";
        return false;
    }

    bool Image(StagedImage& image, uint32_t depth, const char* what)
    {
        if (!(in_.Read(image.width) && in_.Read(image.height) && in_.Skip(kNameSize))) return Short();
        const uint64_t pixels = uint64_t{image.width} * image.height;
        if (image.width == 0 || image.height == 0 || image.width > kMaxImageSide || image.height > kMaxImageSide ||
            pixels > kMaxImagePixels) {
            return Damaged(std::string(what) + " of " + std::to_string(image.width) + " by " +
                           std::to_string(image.height) + " pixels");
        }
        if (!in_.Holds(pixels, depth)) return Short();
        image.pixels.reset(static_cast<uint8_t*>(std::malloc(pixels * depth)));
        if (!image.pixels) return NoMemory();
        // The size was there when the file was opened: a read that gives out
        // now is a file that shrank or a device that failed.
        return in_.Bytes(image.pixels.get(), pixels * depth) || Short();
    }

    bool Mesh(BaseshapeFileEntry& e)
    {
        if (!(in_.Read(e.triangleCount) && in_.Skip(kNameSize))) return Short();
        if (e.triangleCount == 0 || e.triangleCount > kMaxBaseshapeTriangles) {
            return Damaged("a mesh of " + std::to_string(e.triangleCount) + " triangles");
        }
        if (!in_.Holds(e.triangleCount, 9 * sizeof(float))) return Short();
        const size_t floats = size_t{e.triangleCount} * 9;
        e.triangles.reset(static_cast<float*>(std::malloc(floats * sizeof(float))));
        if (!e.triangles) return NoMemory();
        return in_.ReadArray(e.triangles.get(), floats) || Short();
    }

    BinaryReader& in_;
    int entry_ = -1;
};

}  // namespace

BaseshapeFileStatus ParseBaseshapeFile(const uint8_t* data, size_t size, int room,
                                       std::vector<BaseshapeFileEntry>* entries, std::string* why)
{
    BinaryReader in(data, size);
    return ParseBaseshapeFile(in, room, entries, why);
}

BaseshapeFileStatus ParseBaseshapeFile(BinaryReader& in, int room, std::vector<BaseshapeFileEntry>* entries,
                                       std::string* why)
{
    entries->clear();
    EntryParser parser(in);
    int32_t count = 0;
    bool ok = parser.Count(room, &count);
    if (ok) {
        // At most 65 entries: the vector itself is small.
        entries->resize(static_cast<size_t>(count));
        for (int32_t k = 0; k < count && ok; ++k) ok = parser.Entry(k, (*entries)[static_cast<size_t>(k)], true);
    }
    // A few bytes after the last entry are left alone (padding); room for
    // another entry means the count does not describe the file.
    ok = ok && parser.Trailing(count);
    // A failure that gave no reason must still refuse: taken as read, the
    // file would install no baseshapes at all.
    if (!ok && parser.status == BaseshapeFileStatus::kRead) {
        parser.status = BaseshapeFileStatus::kDamaged;
        parser.why = "the file ends early";
    }
    if (!ok) {
        entries->clear();
        if (why) *why = parser.why;
        return parser.status;
    }
    return BaseshapeFileStatus::kRead;
}

void WriteBaseshapeEntry(BinaryWriter& out, int i, bool withColor)
{
    if (i >= 0 && i < kMaxBaseshapes) WriteEntry(out, i, withColor);
}

bool ReadBaseshapeEntry(BinaryReader& in, int index, BaseshapeFileEntry& e, bool withColor, std::string* why,
                        bool* noMemory)
{
    EntryParser parser(in);
    if (parser.Entry(index, e, withColor)) return true;
    if (why) *why = parser.why;
    if (noMemory) *noMemory = parser.status == BaseshapeFileStatus::kNoMemory;
    return false;
}

// ---- [install] ------------------------------------------------------------------------
namespace {

void InstallEntry(BaseshapeFileEntry& e, int i)
{
    BaseshapeRecord& r = gBaseshapes[i];
    const BaseshapeRecord& f = e.record;
    r.shapeType = f.shapeType;
    std::memcpy(r.rotation, f.rotation, sizeof r.rotation);
    std::memcpy(r.scaleShear, f.scaleShear, sizeof r.scaleShear);
    std::memcpy(r.position, f.position, sizeof r.position);
    r.pointsPerRun = f.pointsPerRun;
    r.material = f.material;
    r.probability = f.probability;
    r.pickerFirst = f.pickerFirst;
    r.pickerCell = f.pickerCell;
    r.pickerX = f.pickerX;
    // The picker's row is the editor's own; whatever a file holds, it sits at 415.
    r.pickerY = 415.0f;
    uint8_t options[kOptionCount];
    OptionBytes(f, options);
    SetOptionBytes(r, options);

    for (BaseshapePoint* point : {&gBaseshapeEditPoints[i], &gBaseshapePointTemplates[i]}) {
        point->size = e.size;
        std::memcpy(point->p, e.p, sizeof point->p);
    }
    if (e.hasDMap) InstallBaseshapeImage(gBaseshapeDMaps[i], e.dmap.pixels.release(), e.dmap.width, e.dmap.height);
    if (e.hasMesh) InstallBaseshapeMesh(gBaseshapeMeshes[i], e.triangles.release(), e.triangleCount);
    if (e.hasTexture) {
        InstallBaseshapeImage(gBaseshapeTextures[i], e.texture.pixels.release(), e.texture.width, e.texture.height);
    }
    if (e.hasRamp) gBaseshapeColorRamps[i] = e.ramp;
    if (e.hasBlendMode) r.blendMode = f.blendMode;

    gBaseshapeModifierType[i] = e.modifierType;
    gBaseshapeModifierAmount[i] = e.modifierAmount;
    gBaseshapeArrayType[i] = e.arrayType;
    gBaseshapeArrayCount[i] = e.arrayCount;
    gBaseshapeArrayAngle[i] = e.arrayAngle;
    gBaseshapeArrayPivotX[i] = e.arrayPivot[0];
    gBaseshapeArrayPivotY[i] = e.arrayPivot[1];
    gBaseshapeArrayPivotZ[i] = e.arrayPivot[2];
    gBaseshapeNeonColor.r[i] = e.neon[0];
    gBaseshapeNeonColor.g[i] = e.neon[1];
    gBaseshapeNeonColor.b[i] = e.neon[2];
    gBaseshapeNeonStrength[i] = e.neonStrength;
    std::memcpy(gBaseshapeSpin[i], e.spin, sizeof e.spin);
    std::memcpy(gBaseshapeMoveDirection[i], e.moveDirection, sizeof e.moveDirection);
    std::memcpy(gBaseshapeMoveWave[i], e.moveWave, sizeof e.moveWave);
    gBaseshapeWaveType[i] = e.waveType;
    // Colours are bytes wherever they are used; a larger stored word is taken as full.
    gBaseshapeColors.r[i] = static_cast<int32_t>(std::min<uint32_t>(e.color[0], 255));
    gBaseshapeColors.g[i] = static_cast<int32_t>(std::min<uint32_t>(e.color[1], 255));
    gBaseshapeColors.b[i] = static_cast<int32_t>(std::min<uint32_t>(e.color[2], 255));
    ComputeBaseshapeMatrix(i);
}

}  // namespace

void InstallBaseshapeEntries(std::vector<BaseshapeFileEntry>& entries, int first)
{
    for (size_t k = 0; k < entries.size(); ++k) {
        const int i = first + static_cast<int>(k);
        if (i >= 0 && i < kMaxBaseshapes) InstallEntry(entries[k], i);
    }
}
