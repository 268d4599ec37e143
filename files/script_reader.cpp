// Reading a fractal script: a first pass counts the tbase blocks, a second
// carries out every keyword of every line. Sections: [lines and numbers]
// [tbase keywords] [tform keywords] [passes].
#include <locale.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/baseshape_hooks.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_record.h"
#include "engine/fractal_model.h"
#include "engine/script_program.h"
#include "engine/vector_math.h"
#include "files/script_file.h"

namespace {

constexpr float kDegrees = 0.017453292f;
// The baseshape editor's count stops one below the records' number.
constexpr int kMaxScriptBaseshapes = 64;

// Why a line is refused, as the status line says it.
constexpr const char* kNotFinite = "a number that is not finite (nan, inf or beyond 3.4e38)";
constexpr const char* kOperandNotFinite = "it gives an operand that is not finite";
constexpr const char* kDivisionByZero = "a division by zero";

// ---- [lines and numbers] ------------------------------------------------------------
// The C locale for number conversions, whatever the user's locale says.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// A line read as "a word, then numbers": how many items convert, the word
// counted as one, as the C library's scan of "%s %f %f .." counts them.
// wantWord reads one more word after all the numbers.
struct Scan {
    int count = 0;
    float n[13] = {};
    std::string_view word;
};

// The line's first word skipped; null when the line has none.
const char* AfterFirstWord(const char* p)
{
    while (IsBlank(*p)) ++p;
    if (!*p) return nullptr;
    while (*p && !IsBlank(*p)) ++p;
    return p;
}

Scan ScanLine(const char* line, int numbers, bool wantWord = false)
{
    Scan s;
    const char* p = AfterFirstWord(line);
    if (!p) return s;
    s.count = 1;
    for (int k = 0; k < numbers; ++k) {
        char* end = nullptr;
        const float v = strtof_l(p, &end, CLocale());
        if (end == p) return s;
        s.n[k] = v;
        ++s.count;
        p = end;
    }
    if (wantWord) {
        while (IsBlank(*p)) ++p;
        const char* start = p;
        while (*p && !IsBlank(*p)) ++p;
        if (p == start) return s;
        s.word = std::string_view(start, static_cast<size_t>(p - start));
        ++s.count;
    }
    return s;
}

// The line's first number in double precision (a count past a float's
// 24 bits, such as 4294967295, keeps its value).
double FirstNumberWide(const char* line)
{
    const char* p = AfterFirstWord(line);
    return p ? strtod_l(p, nullptr, CLocale()) : 0.0;
}

bool AllFinite(const float* v, int n)
{
    for (int k = 0; k < n; ++k)
        if (!std::isfinite(v[k])) return false;
    return true;
}

bool Has(std::string_view line, const char* keyword) { return line.find(keyword) != std::string_view::npos; }

class ScriptReader {
public:
    ScriptReader(const ScriptBaseshapeSetup& setup, int tbaseLines) : setup_(setup), tbaseLines_(tbaseLines) {}

    void Line(const char* text, int number)
    {
        number_ = number;
        line_ = text;
        const std::string_view line(text);
        if (tbaseLines_ > 0) TbaseKeywords(line);
        if (Has(line, "tform")) NewTform();
        if (prog_.tformCount > 0) TformKeywords(line);
    }

    ScriptReadReport report;

private:
    ScriptProgram& prog_ = gScriptProgram;
    const ScriptBaseshapeSetup& setup_;
    const int tbaseLines_;
    int number_ = 0;
    const char* line_ = "";      // the line read now, ended by a zero byte
    int baseshape_ = -1;         // the most recent tbase block
    bool tbaseRefused_ = false;  // the most recent tbase did not fit
    bool tformRefused_ = false;  // the most recent tform did not fit

    // A line is counted once, however many of its keywords are refused.
    void Refuse(const char* why)
    {
        if (report.refusedLines > 0 && lastRefused_ == number_) return;
        lastRefused_ = number_;
        if (report.refusedLines++ == 0) {
            report.firstRefusedLine = number_;
            report.firstReason = why;
        }
    }
    int lastRefused_ = 0;

    // The line's numbers for a keyword of n of them: true when they are all
    // there (the word counted as the first item) and finite; a line whose
    // numbers are there but not finite is refused.
    bool Numbers(Scan& s, int n, bool wantWord = false)
    {
        s = ScanLine(line_, n, wantWord);
        if (s.count != n + 1 + (wantWord ? 1 : 0)) return false;
        if (AllFinite(s.n, n)) return true;
        Refuse(kNotFinite);
        return false;
    }

    // ---- [tbase keywords] -----------------------------------------------------------
    // After each accepted line but "base_show_first" the matrix is composed.
    // The editor shows baseshape 0 once, after the read (ReadScriptText): a
    // refresh a line uploads the editor's previews, minutes for a large script.
    void Accepted() { ComputeBaseshapeMatrix(baseshape_); }

    void TbaseKeywords(std::string_view line)
    {
        if (Has(line, "tbase")) {
            if (baseshape_ + 1 >= kMaxScriptBaseshapes) {
                tbaseRefused_ = true;
                Refuse("more than 64 baseshapes");
            } else {
                tbaseRefused_ = false;
                InitNewBaseshape(setup_.defaults, ++baseshape_);
                ++report.tbaseBlocks;
                Accepted();
            }
        }
        if (baseshape_ < 0) return;
        // Lines of a block that did not fit would land in the block before it.
        if (tbaseRefused_) {
            if (Has(line, "base_")) Refuse("its baseshape block is past the 64th");
            return;
        }
        BaseshapeRecord& r = gBaseshapes[baseshape_];
        Scan s;
        if (Has(line, "base_position ") && Numbers(s, 3)) {
            std::copy_n(s.n, 3, r.position);
            Accepted();
        }
        if (Has(line, "base_material ") && Numbers(s, 1)) {
            if (s.n[0] >= 0.0f && s.n[0] < 10.0f) r.material = static_cast<uint8_t>(s.n[0]);
            Accepted();
        }
        if (Has(line, "base_scale ") && Numbers(s, 3)) {
            r.scaleShear[0] = s.n[0], r.scaleShear[4] = s.n[1], r.scaleShear[8] = s.n[2];
            Accepted();
        }
        if (Has(line, "base_show_first")) r.showBaseshape = 1;
        if (Has(line, "base_shear ") && Numbers(s, 6)) {
            r.scaleShear[3] = s.n[0], r.scaleShear[6] = s.n[1], r.scaleShear[1] = s.n[2];
            r.scaleShear[7] = s.n[3], r.scaleShear[2] = s.n[4], r.scaleShear[5] = s.n[5];
            Accepted();
        }
        if (Has(line, "base_parameters ") && (s = ScanLine(line_, 13)).count >= 2) {
            if (!AllFinite(s.n, s.count - 1)) {
                Refuse(kNotFinite);
            } else {
                for (int k = 0; k < s.count - 1; ++k)
                    gBaseshapePointTemplates[baseshape_].p[k] = gBaseshapeEditPoints[baseshape_].p[k] = s.n[k];
                Accepted();
            }
        }
        if (Has(line, "base_type ") && Numbers(s, 1)) BaseType(r, s.n[0]);
        if (Has(line, "base_depth ") && Numbers(s, 1)) {
            const double depth = FirstNumberWide(line_);
            if (depth >= 0.0 && depth < 4294967296.0) {
                r.pointsPerRun = static_cast<uint32_t>(depth);
                Accepted();
            } else {
                Refuse("a depth outside 0 to 4294967295");
            }
        }
        float rotation[9];
        if (Has(line, "base_mrot ") && Numbers(s, 9)) Rotation(r, s.n);
        if (Has(line, "base_rotation ") && Numbers(s, 4)) {
            AxisAngleMatrix(s.n + 1, s.n[0] * kDegrees, rotation);
            Rotation(r, rotation);
        }
        if (Has(line, "base_xyzrot ") && Numbers(s, 3)) {
            RotationMatrixFromEuler(s.n[0], s.n[1], s.n[2], rotation);
            Rotation(r, rotation);
        }
        if (Has(line, "base_radius ") && Numbers(s, 1)) {
            gBaseshapePointTemplates[baseshape_].size = gBaseshapeEditPoints[baseshape_].size = s.n[0];
            Accepted();
        }
    }

    // A matrix made of finite numbers can still overflow (an axis of 1e30).
    void Rotation(BaseshapeRecord& r, const float* m)
    {
        if (!AllFinite(m, 9)) {
            Refuse(kOperandNotFinite);
            return;
        }
        std::copy_n(m, 9, r.rotation);
        Accepted();
    }

    void BaseType(BaseshapeRecord& r, float t)
    {
        if (!(t > -1.0f && t < static_cast<float>(kBaseshapeKinds))) {
            Refuse("a baseshape kind outside 0 to 194");
            return;
        }
        const int type = static_cast<int>(t);
        r.shapeType = type;
        // The editor's picker shows the kind's page with the kind's cell marked.
        r.pickerFirst = KindPickerPageFirst(type);
        r.pickerCell = type - r.pickerFirst;
        r.pickerX = setup_.pickerLeft + 64.0f * static_cast<float>(r.pickerCell % 5);
        r.pickerY = setup_.pickerBottom + 64.0f * static_cast<float>(2 - r.pickerCell / 5);
        ApplyShapeTypeDefaults(baseshape_);
        Accepted();
    }

    // ---- [tform keywords] -----------------------------------------------------------
    void NewTform()
    {
        if (prog_.tformCount >= kScriptMaxTforms) {
            tformRefused_ = true;
            Refuse("more than 65 tforms");
            return;
        }
        tformRefused_ = false;
        const int t = prog_.tformCount++;
        prog_.tformFirstOperation[t] = static_cast<uint8_t>(std::min(prog_.operationCount, kScriptMaxOperations - 1));
        prog_.tformOperationCount[t] = 0;
    }

    void Append(ScriptOpCode code, const float* values, int n)
    {
        if (tformRefused_) {
            Refuse("its tform is past the 65th");
            return;
        }
        if (!AllFinite(values, n)) {
            Refuse(kOperandNotFinite);
            return;
        }
        const int t = prog_.tformCount - 1;
        if (prog_.operationCount >= kScriptMaxOperations) {
            Refuse("more than 256 operations");
            return;
        }
        if (prog_.tformOperationCount[t] >= 255) {
            Refuse("more than 255 operations in one tform");
            return;
        }
        if (prog_.parameterCount >= 256) {
            Refuse("operands past the 256th");
            return;
        }
        const int o = prog_.operationCount++;
        prog_.operationCode[o] = code;
        prog_.operationFirstParameter[o] = static_cast<uint8_t>(prog_.parameterCount);
        std::copy_n(values, n, prog_.parameters + prog_.parameterCount);
        prog_.parameterCount += n;
        ++prog_.tformOperationCount[t];
    }

    // A keyword whose operands are its numbers as they stand.
    void Plain(std::string_view line, const char* keyword, ScriptOpCode code, int n)
    {
        Scan s;
        if (Has(line, keyword) && Numbers(s, n)) Append(code, s.n, n);
    }

    // A derived keyword's divisor: 0 refuses the line.
    bool Divides(float divisor)
    {
        if (divisor != 0.0f) return true;
        Refuse(kDivisionByZero);
        return false;
    }

    void TformKeywords(std::string_view line)
    {
        Scan s;
        // A number that does not convert leaves the weight as it was; a
        // weight below 0 or not a number gives nothing a weight could mean.
        if (Has(line, "probability ") && Numbers(s, 1)) {
            if (s.n[0] < 0.0f) {
                Refuse("a negative probability");
            } else if (!tformRefused_) {
                prog_.tformWeight[prog_.tformCount - 1] = s.n[0];
            }
        }
        Plain(line, "scale ", kScriptScale, 3);
        Plain(line, "translate ", kScriptTranslate, 3);
        if (Has(line, "sphere_inv ") && Numbers(s, 4)) {
            const double r = s.n[0];
            const float v[4] = {static_cast<float>(r * r), s.n[1], s.n[2], s.n[3]};
            // A sphere of radius 0 inverts every point into its centre.
            if (v[0] == 0.0f) {
                Refuse("an inversion sphere of radius 0");
            } else {
                Append(kScriptSphereInversion, v, 4);
            }
        }
        Plain(line, "julia_2 ", kScriptJulia2, 2);
        Plain(line, "julia_2z ", kScriptJulia2Z, 2);
        Plain(line, "fn_sphere ", kScriptFnSphere, 1);
        Plain(line, "fn_stereo ", kScriptFnStereo, 3);
        Plain(line, "hyper_sphere ", kScriptHyperSphere, 1);
        if (Has(line, "baseshape ") && Numbers(s, 1)) {
            const float v = std::trunc(s.n[0]);
            Append(kScriptBaseshape, &v, 1);
        }
        if (Has(line, "rotate ") && Numbers(s, 4)) {
            float m[9];
            AxisAngleMatrix(s.n + 1, s.n[0] * kDegrees, m);
            Append(kScriptRotate, m, 9);
        }
        if (Has(line, "rotate_xyz ") && Numbers(s, 3)) {
            float m[9];
            RotationMatrixFromEuler(s.n[0], s.n[1], s.n[2], m);
            Append(kScriptRotate, m, 9);
        }
        if (Has(line, "rotate_rnd ") && Numbers(s, 4) && Divides(s.n[0])) {
            const float v[5] = {s.n[0] * kDegrees, s.n[1], s.n[2], s.n[3], 360.0f / s.n[0]};
            Append(kScriptRotateRandom, v, 5);
        }
        Plain(line, "mobius ", kScriptMobius, 8);
        if (Has(line, "mobius_circle ") && Numbers(s, 5) && Divides(s.n[0])) MobiusCircle(s.n);
        static constexpr struct {
            const char* keyword;
            ScriptOpCode code;
            int n;
        } kFlames[] = {
            {"flame_sinusoidal ", kScriptFlameSinusoidal, 4}, {"flame_spherical ", kScriptFlameSpherical, 1},
            {"flame_swirl3d ", kScriptFlameSwirl3D, 1},       {"flame_hyper ", kScriptFlameHyper, 1},
            {"flame_fisheye ", kScriptFlameFisheye, 1},       {"flame_horns ", kScriptFlameHorns, 1},
            {"flame_radsin ", kScriptFlameRadSin, 4},         {"flame_qsqrt ", kScriptFlameQSqrt, 1},
            {"flame_gnarl ", kScriptFlameGnarl, 3},           {"matrix_3d ", kScriptMatrix3D, 9},
            {"matrix_2d ", kScriptMatrix2D, 4},               {"flame2_sinusoidal ", kScriptFlame2Sinusoidal, 4},
            {"flame2_spherical ", kScriptFlame2Spherical, 1}, {"flame2_swirl3d ", kScriptFlame2Swirl3D, 1},
            {"flame2_hyper ", kScriptFlame2Hyper, 1},         {"flame2_fisheye ", kScriptFlame2Fisheye, 1},
            {"flame2_horns ", kScriptFlame2Horns, 1},         {"flame2_radsin ", kScriptFlame2RadSin, 4},
            {"flame2_qsqrt ", kScriptFlame2QSqrt, 1},         {"flame2_gnarl ", kScriptFlame2Gnarl, 3},
            {"julia_2m ", kScriptJulia2M, 4},                 {"julia_3 ", kScriptJulia3, 2},
        };
        for (const auto& f : kFlames) Plain(line, f.keyword, f.code, f.n);
        BoolCut(line, "bool_sphere ", kScriptBoolSphere, 4, "inside");
        BoolCut(line, "bool_cube ", kScriptBoolCube, 4, "inside");
        BoolCut(line, "bool_gyroid ", kScriptBoolGyroid, 3, "positive");
        if (Has(line, "mandel ") && Numbers(s, 7) && Divides(s.n[2])) Mandel(s.n);
        if (Has(line, "spheris ") && (s = ScanLine(line_, 5)).count >= 3) {
            if (!AllFinite(s.n, s.count - 1)) {
                Refuse(kNotFinite);
            } else if (Divides(s.n[0]) && Divides(s.n[1])) {
                Spheris(s);
            }
        }
    }

    // The escape value goes through two logarithms: one of 1 or less has none.
    void Mandel(const float* n)
    {
        if (!(n[4] > 1.0f)) {
            Refuse("a \"mandel\" escape value of 1 or less");
            return;
        }
        const float v[8] = {n[0], n[1], 1.0f / n[2], n[3], n[4], n[5],
                            static_cast<float>(std::log(std::log(static_cast<double>(n[4]))) * 1.442695),
                            static_cast<float>(static_cast<double>(n[6]) * 0.05)};
        Append(kScriptMandel, v, 8);
    }

    void BoolCut(std::string_view line, const char* keyword, ScriptOpCode code, int n, const char* side)
    {
        Scan s;
        if (!Has(line, keyword) || !Numbers(s, n, true)) return;
        s.n[n] = s.word.find(side) != std::string_view::npos ? 1.0f : 0.0f;
        Append(code, s.n, n + 1);
    }

    void MobiusCircle(const float* n)
    {
        const float r = n[0], x = n[1], y = n[2], u = n[3], w = n[4];
        const float k = 1.0f / r;
        const float v[8] = {k * x, k * y, r - (x * x + y * y) * k, 0.0f, k * u, k * w, -x / r, k * y};
        const int before = prog_.operationCount;
        Append(kScriptMobius, v, 8);
        if (prog_.operationCount == before) return;
        MobiusCoefficients& m = gMobiusCoefficients;
        m.a[0] = {v[0], v[1]}, m.b[0] = {v[2], v[3]}, m.c[0] = {v[4], v[5]}, m.d[0] = {v[6], v[7]};
    }

    void Spheris(const Scan& s)
    {
        const float r1 = s.n[0], r2 = s.n[1];
        const float v[6] = {1.0f / r1, r1, 3.1415927f / r1, 1.0f / r2, r2, 6.2831855f / r2};
        const int before = prog_.operationCount;
        Append(kScriptSpheris, v, 6);
        if (prog_.operationCount == before || s.count < 6) return;
        std::copy_n(s.n + 2, 3, gTransforms[0].position);
        gTransformCoefficients.tx[0] = s.n[2];
        gTransformCoefficients.ty[0] = s.n[3];
        gTransformCoefficients.tz[0] = s.n[4];
    }
};

}  // namespace

// ---- [passes] -----------------------------------------------------------------------
ScriptLines::ScriptLines(std::string_view text) : text_(text), copy_(text)
{
    for (char& c : copy_)
        if (c == '\n' || c == '\r') c = '\0';
}

bool ScriptLines::HasBlocks() const
{
    bool blocks = false;
    ForEachLine([&blocks](const char* line, int) { blocks = blocks || Has(line, "tform") || Has(line, "tbase"); });
    return blocks;
}

ScriptReadReport ReadScriptText(std::string_view text, const ScriptBaseshapeSetup& setup)
{
    return ReadScriptText(ScriptLines(text), setup);
}

ScriptReadReport ReadScriptText(const ScriptLines& lines, const ScriptBaseshapeSetup& setup)
{
    int tbaseLines = 0, tformLines = 0;
    lines.ForEachLine([&tbaseLines, &tformLines](const char* line, int) {
        tbaseLines += Has(line, "tbase") ? 1 : 0;
        tformLines += Has(line, "tform") ? 1 : 0;
    });
    ScriptReadReport report;
    if (tbaseLines == 0 && tformLines == 0) {
        report.notAScript = true;
        return report;
    }

    ScriptProgram& prog = gScriptProgram;
    std::fill(std::begin(prog.tformWeight), std::end(prog.tformWeight), 1.0f);
    prog.tformCount = prog.operationCount = prog.parameterCount = 0;
    if (tbaseLines > 0) {
        gUseBaseshapes = 1;
        gCurrentBaseshape = 0;
        gBaseshapeCount = std::min(tbaseLines, kMaxScriptBaseshapes);
    }
    ScriptReader reader(setup, tbaseLines);
    lines.ForEachLine([&reader](const char* line, int number) { reader.Line(line, number); });
    // Baseshape 0 as its block left it: the later blocks' lines act on theirs.
    if (reader.report.tbaseBlocks > 0) CallBaseshapeHook(gBaseshapeHooks.showInEditor, 0);

    // Each weight times 1 / sum; weights that give nothing to pick from
    // (every probability 0) become equal ones. A sum past the float range,
    // or too small for its reciprocal, is taken in double precision.
    float sum = 0.0f;
    double wide = 0.0;
    for (int t = 0; t < prog.tformCount; ++t) sum += prog.tformWeight[t], wide += prog.tformWeight[t];
    const float scale = sum > 0.0f ? 1.0f / sum : 0.0f;
    const bool plain = sum > 0.0f && std::isfinite(sum) && std::isfinite(scale);
    for (int t = 0; t < prog.tformCount; ++t) {
        float& w = prog.tformWeight[t];
        if (plain) {
            w *= scale;
        } else if (wide > 0.0) {
            w = static_cast<float>(w / wide);
        } else {
            w = 1.0f / static_cast<float>(prog.tformCount);
        }
    }
    ResetBaseshapeWeights();
    return reader.report;
}

std::string ScriptRefusalText(const ScriptReadReport& report)
{
    if (report.refusedLines == 0) return "";
    std::string text = "Talvoran :   script line " + std::to_string(report.firstRefusedLine) + " refused: " +
                       report.firstReason + ".";
    if (report.refusedLines > 1) text += " " + std::to_string(report.refusedLines) + " lines refused in all.";
    return text;
}
