#include "files/transformation_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "platform/regular_file.h"
#include "render/projection_passes.h"
#include "render/symmetry_modes.h"

// ---- writing ----------------------------------------------------------------------

namespace {

// "%f" of the float widened to double: six decimals, '.' in every locale.
void AppendFixed(std::string& out, float v)
{
    char buffer[512];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v), std::chars_format::fixed, 6);
    out.append(buffer, r.ec == std::errc() ? r.ptr : buffer);
}

void AppendLine3(std::string& out, float a, float b, float c)
{
    AppendFixed(out, a);
    out += ' ';
    AppendFixed(out, b);
    out += ' ';
    AppendFixed(out, c);
    out += '\n';
}

void AppendInt(std::string& out, int v)
{
    out += std::to_string(v);
    out += '\n';
}

}  // namespace

std::string TransformationFileText()
{
    std::string out;
    const int n = gTransformCount < 0 ? 0 : (gTransformCount > kMaxTransforms ? kMaxTransforms : gTransformCount);
    AppendInt(out, n);
    for (int t = 0; t < n; ++t) {
        const TransformRecord& r = gTransforms[t];
        for (const float* m : {r.rotation, r.scaleShear})
            for (int col = 0; col < 3; ++col) AppendLine3(out, m[col], m[3 + col], m[6 + col]);
        AppendLine3(out, r.position[0], r.position[1], r.position[2]);
        AppendFixed(out, r.weight);
        out += '\n';
        for (int k = 0; k < 10; ++k) out += r.variationOn[k] ? "1\n" : "0\n";
        for (int k = 0; k < 10; ++k) {
            AppendFixed(out, r.variationAmount[k]);
            out += '\n';
        }
    }
    AppendInt(out, gFractalType);
    AppendInt(out, gMirrorCopy ? 1 : 0);
    AppendInt(out, gMirrorY ? 1 : 0);
    return out;
}

bool WriteTransformationFile(const ByteSink& sink)
{
    const std::string text = TransformationFileText();
    return sink.Write(text.data(), text.size());
}

// ---- reading ----------------------------------------------------------------------

namespace {

class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    // The next run of characters between blanks, tabs and line ends.
    bool Next(std::string_view* token)
    {
        while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
        const size_t start = at_;
        while (at_ < text_.size() && !IsSpace(text_[at_])) ++at_;
        *token = text_.substr(start, at_ - start);
        return !token->empty();
    }

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
    std::string_view text_;
    size_t at_ = 0;
};

std::string_view WithoutPlus(std::string_view t)
{
    return t.size() > 1 && t[0] == '+' && t[1] != '-' ? t.substr(1) : t;
}

bool ReadInt(Tokens& in, int* v)
{
    std::string_view t;
    if (!in.Next(&t)) return false;
    t = WithoutPlus(t);
    const auto r = std::from_chars(t.data(), t.data() + t.size(), *v);
    return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

bool ReadFloat(Tokens& in, float* v)
{
    std::string_view t;
    if (!in.Next(&t)) return false;
    t = WithoutPlus(t);
    const auto r = std::from_chars(t.data(), t.data() + t.size(), *v, std::chars_format::general);
    return r.ec == std::errc() && r.ptr == t.data() + t.size() && std::isfinite(*v);
}

bool Fail(std::string* error, const std::string& why)
{
    if (error) *error = why;
    return false;
}

// Three numbers of a column into rows 0..2 of column col.
bool ReadColumn(Tokens& in, float* m, int col)
{
    return ReadFloat(in, &m[col]) && ReadFloat(in, &m[3 + col]) && ReadFloat(in, &m[6 + col]);
}

bool ReadRecord(Tokens& in, TransformationFileRecord& r)
{
    for (float* m : {r.rotation, r.scaleShear})
        for (int col = 0; col < 3; ++col)
            if (!ReadColumn(in, m, col)) return false;
    for (float& p : r.position)
        if (!ReadFloat(in, &p)) return false;
    if (!ReadFloat(in, &r.weight)) return false;
    for (uint8_t& flag : r.variationOn) {
        int v = 0;
        if (!ReadInt(in, &v)) return false;
        flag = v == 1 ? 1 : 0;
    }
    for (float& a : r.variationAmount)
        if (!ReadFloat(in, &a)) return false;
    return true;
}

}  // namespace

bool ParseTransformationFile(std::string_view text, TransformationFileContents& out, std::string* error)
{
    Tokens in(text);
    int count = 0;
    if (!ReadInt(in, &count)) return Fail(error, "Not a transformation file: no count of transformations.");
    if (count < 0 || count > kMaxTransforms)
        return Fail(error, "The file names " + std::to_string(count) + " transformations; 0 to 65 are possible.");
    out.count = count;
    for (int t = 0; t < count; ++t) {
        if (!ReadRecord(in, out.records[t]))
            return Fail(error, "Transformation " + std::to_string(t + 1) + " of the file is cut short or not a number.");
    }
    int type = 0, mirror = 0, mirrorY = 0;
    if (!ReadInt(in, &type) || !ReadInt(in, &mirror) || !ReadInt(in, &mirrorY))
        return Fail(error, "The file ends before its fractal type and mirror flags.");
    if (type < 0 || type > 49)
        return Fail(error, "The file names fractal type " + std::to_string(type) + "; 0 to 49 are possible.");
    out.fractalType = type;
    out.mirror = mirror == 1 ? 1 : 0;
    out.mirrorY = mirrorY == 1 ? 1 : 0;
    return true;
}

void ApplyTransformationFile(const TransformationFileContents& in)
{
    const int n = in.count;
    gTransformCount = gPickTransformCount = n;
    for (int t = 0; t < n; ++t) {
        const TransformationFileRecord& f = in.records[t];
        TransformRecord& r = gTransforms[t];
        std::copy(f.rotation, f.rotation + 9, r.rotation);
        std::copy(f.scaleShear, f.scaleShear + 9, r.scaleShear);
        std::copy(f.position, f.position + 3, r.position);
        r.weight = f.weight;
        std::copy(f.variationOn, f.variationOn + 10, r.variationOn);
        std::copy(f.variationAmount, f.variationAmount + 10, r.variationAmount);
        ComposeTransformation(t);
    }
    SetFractalType(in.fractalType);
    gMirrorCopy = in.mirror;
    gMirrorY = in.mirrorY;
    const int type = in.fractalType;
    RefreshMobiusMaps();
    if (type == 12 || type == 21) {
        for (int t = 0; t < n; ++t) {
            float* s = gTransforms[t].scaleShear;
            s[4] = s[8] = s[0];
            ComposeTransformation(t);
        }
    }
    BuildTransformPickTable();
}

bool TransformationFileResetsView(int type)
{
    switch (type) {
    case 3: case 5: case 6: case 7: case 8: case 9: case 12: case 14: case 17:
    case 18: case 19: case 20: case 21: case 25: case 45: return true;
    default: return false;
    }
}

bool ReadTransformationFile(const std::string& path, TransformationFileContents& out, std::string* error)
{
    std::vector<uint8_t> bytes;
    switch (ReadRegularFile(path, kTransformationFileMaxBytes, bytes)) {
    case RegularFileStatus::Read: break;
    case RegularFileStatus::Missing: return Fail(error, "The transformation file cannot be opened.");
    case RegularFileStatus::NotRegular: return Fail(error, "The transformation file is not a file.");
    case RegularFileStatus::TooLarge: return Fail(error, "The transformation file is too large.");
    case RegularFileStatus::Unreadable: return Fail(error, "The transformation file cannot be read.");
    case RegularFileStatus::NoMemory: return Fail(error, "Insufficient System Memory!");
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ParseTransformationFile(text, out, error);
}
