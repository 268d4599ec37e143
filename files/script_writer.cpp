// Writing the current transformations as a fractal script, one template per
// fractal type. Numbers go out as printf's "%2.Nf" would write them in the
// C locale: a '.' whatever the user's locale.
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>

#include "engine/fractal_model.h"
#include "files/script_file.h"

namespace {

class ScriptText {
public:
    std::string out;

    ScriptText& operator<<(const char* text)
    {
        out += text;
        return *this;
    }
    // One number with the given decimals.
    ScriptText& Fixed(float v, int decimals)
    {
        char buffer[512];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v), std::chars_format::fixed,
                                     decimals);
        out.append(buffer, r.ec == std::errc() ? r.ptr : buffer);
        return *this;
    }
    // "keyword n n n\n", each number with the given decimals.
    void Line(const char* keyword, std::initializer_list<float> values, int decimals)
    {
        out += keyword;
        for (float v : values) {
            out += ' ';
            Fixed(v, decimals);
        }
        out += '\n';
    }
};

int PickCount() { return gPickTransformCount < 0 ? 0 : (gPickTransformCount > kMaxTransforms ? kMaxTransforms : gPickTransformCount); }

void Probability(ScriptText& s, float w) { s.Line("probability", {w}, 4); }

void Matrix3D(ScriptText& s, int i)
{
    const TransformCoefficients& c = gTransformCoefficients;
    s.Line("matrix_3d", {c.m00[i], c.m01[i], c.m02[i], c.m10[i], c.m11[i], c.m12[i], c.m20[i], c.m21[i], c.m22[i]}, 6);
    s.Line("translate", {c.tx[i], c.ty[i], c.tz[i]}, 8);
}

void Matrix2D(ScriptText& s, int i)
{
    const TransformCoefficients& c = gTransformCoefficients;
    s.Line("matrix_2d", {c.m00[i], c.m01[i], c.m10[i], c.m11[i]}, 6);
}

// "translate tx <middle> tz" as the planar templates write it.
void PlanarTranslate(ScriptText& s, int i, const char* middle)
{
    s << "translate ";
    s.Fixed(gTransformCoefficients.tx[i], 8) << " " << middle << " ";
    s.Fixed(gTransformCoefficients.tz[i], 8) << "\n";
}

// Variations 1 to 9 of the flame types, one line each.
void Variation(ScriptText& s, int v, float a, bool second)
{
    static const char* const kNames[10] = {"",          "sinusoidal", "spherical", "swirl3d", "sinusoidal",
                                           "hyper",     "fisheye",    "horns",     "radsin",  "qsqrt"};
    s << (second ? "flame2_" : "flame_") << kNames[v] << " ";
    s.Fixed(a, 8);
    if (v == 1) s << " 1.0 1.0 1.0";
    if (v == 4 || v == 8) s << " 4.0 4.0 4.0";
    s << "\n";
}

void FlameBlock(ScriptText& s, int i, bool second)
{
    const TransformRecord& r = gTransforms[i];
    Probability(s, gTransformWeights[i]);
    for (int v = 0; v < 10; ++v) {
        if (!r.variationOn[v]) continue;
        const float a = r.variationAmount[v];
        if (v == 0) {
            Matrix3D(s, i);
            s.Line("scale", {a, a, a}, 8);
        } else {
            Variation(s, v, a, second);
        }
    }
}

}  // namespace

bool ScriptTemplateExists(int type)
{
    for (int t : {0, 2, 3, 7, 8, 9, 10, 11, 12, 21, 23})
        if (t == type) return true;
    return false;
}

std::string WriteScriptText()
{
    const int type = gFractalType;
    if (!ScriptTemplateExists(type)) return "";
    ScriptText s;
    s << ";Talvoran Script 1.0\n";
    const TransformCoefficients& c = gTransformCoefficients;
    const int n = PickCount();
    switch (type) {
    case 0:
    case 11:
        for (int i = 0; i < n; ++i) {
            s << "tform\n";
            Probability(s, gTransformWeights[i]);
            Matrix3D(s, i);
            if (type == 11) s << "flame_qsqrt 1.0\n";
            s << "\n";
        }
        break;
    case 7:
    case 10:
        for (int i = 0; i < n; ++i) {
            s << "tform\n";
            Probability(s, type == 10 ? gTransformWeights[i] * 0.5f : gTransformWeights[i]);
            Matrix2D(s, i);
            PlanarTranslate(s, i, type == 10 ? "1.0" : "0.0");
            if (type == 10) s << "scale 1 0.5 1\n";
            s << "\n";
        }
        if (type == 10) s << "tform\nprobability 0.5\njulia_3 0.0 0.0\nscale 1 0.5 1\n";
        break;
    case 8:
        s << "tform\nprobability 0.25\n";
        s.Line("julia_2", {c.tx[0], c.tz[0]}, 6);
        s << "\n";
        break;
    case 9:
        s << "tform\nprobability 0.25\n";
        s.Line("julia_2m", {c.tx[0], c.tz[0], c.tx[1], c.tz[1]}, 6);
        s << "\n";
        break;
    case 12:
    case 21:
        for (int i = 0; i < n; ++i) {
            s << "tform\n";
            Probability(s, gTransformWeights[i]);
            s.Line("sphere_inv", {std::sqrt(c.m00[i]), c.tx[i], c.ty[i], c.tz[i]}, 6);
            s << "\n";
        }
        break;
    case 3:
        for (int j = 0; j < 4; ++j) {
            const MobiusCoefficients& m = gMobiusCoefficients;
            s << "tform\nprobability 0.25\n";
            s.Line("mobius", {m.a[j].re, m.a[j].im, m.b[j].re, m.b[j].im, m.c[j].re, m.c[j].im, m.d[j].re, m.d[j].im},
                   6);
            s << "\n";
        }
        break;
    case 2:
    case 23:
        for (int i = 0; i < n; ++i) {
            s << "tform\n";
            FlameBlock(s, i, type == 23);
            s << "\n";
        }
        break;
    default: break;
    }
    return s.out;
}
