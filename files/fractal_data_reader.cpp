// Reading the fractal data file into a FractalDataDocument, block by block
// with the gates of the file's version. Nothing of the model is written;
// every count and size is checked before it is used.
// Sections: [blocks 1 to 4] [blocks 5 to 8] [blocks 9 to 11] [file].
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>

#include "engine/generator_blocks.h"
#include "engine/point_coloring.h"
#include "files/fractal_data_file.h"
#include "platform/picture_file.h"
#include "render/symmetry_modes.h"

namespace {

constexpr int kColumnOrder[9] = {0, 3, 6, 1, 4, 7, 2, 5, 8};
constexpr size_t kNameSize = 260;
constexpr uint32_t kMaxBlockParameters = 256;

class FractalParser : public FileParser {
public:
    FractalParser(BinaryReader& reader, FractalDataDocument& doc) : FileParser(reader), d(doc) {}
    FractalDataDocument& d;

    bool Count(int32_t n, int32_t limit, const char* what)
    {
        if (n >= 0 && n <= limit) return true;
        return Damaged(std::string(what) + " " + std::to_string(n) + " is outside 0 to " + std::to_string(limit));
    }
    bool Floats(float* out, size_t n) { return in.ReadArray(out, n) || Short(); }

    // ---- [blocks 1 to 4] ------------------------------------------------------------
    // A side of the render the head asks for, within the sizes of the
    // resolution window (doubled with 2X anti-aliasing); one outside them is
    // named with the limit it passes. Short, for the status line: there the
    // file's name gives way to it.
    bool SideWithinLimits(uint32_t side, const char* way)
    {
        const uint32_t factor = d.antiAlias2x ? 2 : 1;
        const std::string size = std::to_string(side) + " pixels " + way;
        const char* withAntiAliasing = factor == 2 ? " with 2X AA" : "";
        if (side % factor != 0) return Damaged(size + ", odd" + withAntiAliasing);
        if (side / factor > static_cast<uint32_t>(kMaxRenderSide))
            return Damaged(size + "; the most is " + std::to_string(kMaxRenderSide * factor) + withAntiAliasing);
        if (side / factor < static_cast<uint32_t>(kMinRenderSide))
            return Damaged(size + "; the least is " + std::to_string(kMinRenderSide * factor) + withAntiAliasing);
        return true;
    }

    bool Header(bool* newer)
    {
        uint32_t first = 0;
        if (!in.Read(first)) return Short();
        uint32_t width = 0, height = 0;
        d.versionWord = first < 128;
        if (d.versionWord) {
            if (first > kFractalDataVersion) {
                *newer = true;
                return false;
            }
            d.version = first == 0 ? 1 : first;
            if (!(in.Read(d.layoutFlag) && in.Read(width) && in.Read(height))) return Short();
        } else {
            d.version = 1;
            width = first;
            if (!in.Read(height)) return Short();
        }
        if (!in.Skip(8)) return Short();
        d.fastShadowUpdate = 1;
        if (d.versionWord && d.layoutFlag > 0 && !in.Read(d.fastShadowUpdate)) return Short();
        if (!in.Read(d.antiAlias2x)) return Short();
        d.antiAlias2x = d.antiAlias2x != 0;
        if (!SideWithinLimits(width, "wide") || !SideWithinLimits(height, "high")) return false;
        d.width = static_cast<int32_t>(width);
        d.height = static_cast<int32_t>(height);
        return true;
    }

    // The buffers of the render the header promises, at the least its
    // depth, colour index, depth of field and shadow map, must fit in what
    // is left of the file.
    bool RoomForBuffers()
    {
        const uint64_t w = static_cast<uint64_t>(d.width), pixels = w * static_cast<uint64_t>(d.height);
        const uint64_t least = pixels * 7 + (d.fastShadowUpdate == 1 ? w * w * 2 : 0);
        if (in.Holds(least, 1)) return true;
        return Damaged("a render of " + std::to_string(d.width) + " by " + std::to_string(d.height) +
                       " pixels in a file of " + std::to_string(in.Size()) + " bytes");
    }

    bool View()
    {
        float v[2];
        if (!(in.Skip(16) && in.Read(d.panX) && in.Read(d.panY) && in.Read(d.perspectiveFocal) &&
              in.ReadArray(d.cameraRotation, 9) && in.ReadArray(d.viewCentre, 3) && in.ReadArray(v, 2))) {
            return Short();
        }
        d.shadowOffset[0] = v[0], d.shadowOffset[1] = v[1];
        if (!(in.Read(d.shadowOffset[2]) && in.ReadArray(d.cameraAngles, 3) && in.Skip(12) && in.Read(d.viewScale) &&
              in.Read(d.shadowScale) && in.Read(d.zoom) && in.Read(d.mirror) && in.Read(d.mirrorY) &&
              in.Read(d.perspectiveOn) && in.Read(d.perspectiveEye))) {
            return Short();
        }
        d.mirror = d.mirror != 0, d.mirrorY = d.mirrorY != 0, d.perspectiveOn = d.perspectiveOn != 0;
        return true;
    }

    bool PublishedArrays()
    {
        TransformCoefficients& c = d.coefficients;
        for (float* a : {c.m00, c.m01, c.m02, c.m10, c.m11, c.m12, c.m20, c.m21, c.m22, c.tx, c.ty, c.tz})
            if (!Floats(a, kMaxTransforms)) return false;
        // The weights are taken from the transformations themselves.
        if (!in.Skip(kMaxTransforms * sizeof(float))) return Short();
        for (Complex* a : {d.mobius.a, d.mobius.b, d.mobius.c, d.mobius.d}) {
            for (int t = 0; t < kMaxTransforms; ++t)
                if (!(in.Read(a[t].re) && in.Read(a[t].im))) return Short();
        }
        return in.ReadArray(d.panel.viewDoubles, 2) || Short();
    }

    bool Settings()
    {
        FractalPanelValues& p = d.panel;
        if (!(in.ReadArray(p.orientationA, 4) && in.ReadArray(p.orientationB, 4) && in.Skip(36) &&
              in.Read(p.generatorSwitch))) {
            return Short();
        }
        if (d.version >= 14 && !in.Read(d.fractalGeneratorRow)) return Short();
        if (d.version < 14 && !in.Skip(4)) return Short();
        d.fractalGeneratorRow = std::clamp(d.fractalGeneratorRow, 0, 32);
        if (!(in.Skip(4) && in.Read(p.voxelExportType) && in.Skip(13) && in.Read(d.fractalType) && in.Read(d.pickCount)))
            return Short();
        if (d.fractalType < 0 || d.fractalType > 49) return Damaged("fractal type " + std::to_string(d.fractalType) + " is unknown");
        if (!Count(d.pickCount, kMaxTransforms, "the pick count")) return false;
        if (!(in.Skip(4000 * sizeof(float)) && in.ReadArray(p.fractalTypeBoxState, 2) && in.Skip(8))) return Short();
        // The switches come again with the material settings, which decide them.
        if (!in.Skip(d.versionWord ? 8 : 7)) return Short();
        if (!(in.ReadArray(d.lightReference, 3) && in.ReadArray(p.lightTrackBall, 9) &&
              in.ReadArray(d.lightDirection, 3) && in.Skip(12) && in.Read(d.dofRadius) && in.Read(d.projection) &&
              in.Read(p.perspectiveAngle))) {
            return Short();
        }
        if (!Row(d.projection, 2, "Projection")) return false;
        int32_t s = kSymmetryModeNormal;
        if (d.version >= 4 && !(in.Read(s) && in.Read(d.separation))) return Short();
        if (d.version >= 24 && !in.Read(d.sides)) return Short();
        Symmetry(s);
        if (!in.Read(d.baseshapeCount)) return Short();
        if (!Count(d.baseshapeCount, kMaxBaseshapes, "the baseshape count")) return false;
        d.rgbColoring = 0;
        if (d.version >= 4 && !in.Read(d.rgbColoring)) return Short();
        d.rgbColoring = d.rgbColoring != 0;
        return true;
    }

    // Old files number the modes from the other end of the list, two places
    // off before version 11; a number no list ever held turns symmetry off.
    void Symmetry(int32_t s)
    {
        int32_t mode = kSymmetryModeNormal;
        if (d.version >= 24) {
            mode = s;
        } else if (d.version >= 4) {
            if (d.version < 11) s += 2;
            if (s >= 0 && s < 10) mode = 9 - s;
        }
        const bool known = mode >= 0 && mode < kSymmetryModeCount;
        d.symmetryMode = known ? mode : kSymmetryModeNormal;
        d.symmetryOn = known;
        // Before version 24 only the two modes that have copy weights set them.
        d.symmetryWeights = known && (d.version >= 24 || mode >= 8);
        if (d.version < 4) d.separation = 1.0f;
        if (d.version < 24) d.sides = 6.0f;
    }

    // ---- [blocks 5 to 8] ------------------------------------------------------------
    bool Baseshapes()
    {
        try {
            d.baseshapes.resize(static_cast<size_t>(d.baseshapeCount));
        } catch (const std::bad_alloc&) {
            return NoMemory();
        }
        for (int i = 0; i < d.baseshapeCount; ++i) {
            std::string reason;
            bool noMemory = false;
            if (!ReadBaseshapeEntry(in, i, d.baseshapes[static_cast<size_t>(i)], false, &reason, &noMemory)) {
                return noMemory ? NoMemory() : Damaged("baseshape " + reason);
            }
        }
        return true;
    }

    bool Transformations()
    {
        uint32_t n = 0;
        if (!in.Read(n)) return Short();
        if (n > kMaxTransforms) return Damaged(std::to_string(n) + " transformations; 0 to 65 are possible");
        d.transformCount = static_cast<int32_t>(n);
        for (uint32_t t = 0; t < n; ++t) {
            TransformationFileRecord& r = d.transforms[t];
            float rotation[9], scaleShear[9];
            if (!(in.ReadArray(rotation, 9) && in.ReadArray(scaleShear, 9) && in.ReadArray(r.position, 3) &&
                  in.Read(r.weight) && in.Bytes(r.variationOn, 10) && in.ReadArray(r.variationAmount, 10))) {
                return Short();
            }
            for (int k = 0; k < 9; ++k) {
                r.rotation[kColumnOrder[k]] = rotation[k];
                r.scaleShear[kColumnOrder[k]] = scaleShear[k];
            }
            for (uint8_t& on : r.variationOn) on = on != 0;
        }
        return true;
    }

    bool Animation()
    {
        FractalPanelValues& p = d.panel;
        if (d.version < 10) {
            p.imageType = 0;  // PNG
            return true;
        }
        if (!(in.Read(p.previewAnimations) && in.ReadArray(p.animationFrames, 3) && in.Read(p.imageType) &&
              in.Skip(kNameSize) && in.ReadArray(p.rotationAxis, 3) && in.Read(p.animationCounter))) {
            return Short();
        }
        p.previewAnimations = p.previewAnimations != 0;
        if (!Row(p.imageType, 2, "Image Type")) return false;
        p.imageType = ListItemOfRow(p.imageType, 2);  // stored 0 BMP, 1 PNG
        return true;
    }

    bool Script()
    {
        ScriptProgram& s = d.script;
        uint32_t t = 0, o = 0, p = 0;
        if (!(in.Read(t) && in.Read(o) && in.Read(p))) return Short();
        if (t > kScriptMaxTforms || o > kScriptMaxOperations || p > kScriptParameterPoolSize) {
            return Damaged("a script of " + std::to_string(t) + " tforms, " + std::to_string(o) + " operations and " +
                           std::to_string(p) + " parameters");
        }
        s.tformCount = static_cast<int32_t>(t);
        s.operationCount = static_cast<int32_t>(o), s.parameterCount = static_cast<int32_t>(p);
        // Each list holds ten entries past its count; those past the arrays are dropped.
        auto list = [this](auto* values, uint32_t count, uint32_t size) {
            const uint32_t n = std::min(count + 10, size);
            return in.ReadArray(values, n) && in.Skip((count + 10 - n) * sizeof(values[0]));
        };
        if (!(list(s.tformOperationCount, t, kScriptMaxTforms) && list(s.parameters, p, kScriptParameterPoolSize) &&
              list(s.operationCode, o, kScriptMaxOperations) && list(s.operationFirstParameter, o, kScriptMaxOperations) &&
              list(s.tformWeight, t, kScriptMaxTforms) && list(s.tformFirstOperation, t, kScriptMaxTforms))) {
            return Short();
        }
        return true;
    }

    bool GeneratorGroups()
    {
        const int32_t n = d.pickCount;
        try {
            d.groups.groups = NewGeneratorGroupArray(n);
            d.groups.count = d.groups.groups ? n : 0;
            for (int32_t t = 0; t < n; ++t) {
                float weight = 0;
                int32_t blocks = 0;
                if (!(in.Read(weight) && in.Read(blocks))) return Short();
                if (blocks < 0 || blocks > kMaxGeneratorBlocks) {
                    return Damaged("a chain of " + std::to_string(blocks) + " blocks (at most " +
                                   std::to_string(kMaxGeneratorBlocks) + ")");
                }
                GeneratorGroup& g = d.groups.groups[t];
                std::vector<uint8_t> types(static_cast<size_t>(blocks));
                std::vector<std::vector<float>> parameters(static_cast<size_t>(blocks));
                for (int32_t b = 0; b < blocks; ++b) {
                    uint8_t type = 0;
                    uint32_t k = 0;
                    if (!(in.Read(type) && in.Read(k))) return Short();
                    if (type >= kGeneratorBlockTypes) return Damaged("block type " + std::to_string(type) + " is unknown");
                    const uint32_t needed = static_cast<uint32_t>(gGeneratorParameterCounts[type]);
                    if (k < needed || k > kMaxBlockParameters) {
                        return Damaged("a block of type " + std::to_string(type) + " with " + std::to_string(k) +
                                       " parameters (it takes " + std::to_string(needed) + ")");
                    }
                    types[static_cast<size_t>(b)] = type;
                    parameters[static_cast<size_t>(b)].resize(k);
                    if (!in.ReadArray(parameters[static_cast<size_t>(b)].data(), k)) return Short();
                }
                BuildGeneratorGroup(g, weight, blocks, types.data());
                for (int32_t b = 0; b < blocks; ++b) {
                    const size_t count = static_cast<size_t>(gGeneratorParameterCounts[types[static_cast<size_t>(b)]]);
                    std::copy_n(parameters[static_cast<size_t>(b)].data(), count, g.parameters[b]);
                }
            }
        } catch (const std::bad_alloc&) {
            return NoMemory();
        }
        return true;
    }

    bool Lights()
    {
        if (d.version < 13) return true;
        d.lightsStored = true;
        uint8_t enabled[kLightCount];
        if (!in.Bytes(enabled, sizeof enabled)) return Short();
        for (int i = 0; i < kLightCount; ++i) {
            StagedLight& s = d.lights[i];
            s.enabled = enabled[i] != 0;
            if (!s.enabled) continue;
            LightSource& l = s.light;
            int32_t bytes[3];
            uint32_t size[2];
            if (!(in.ReadArray(l.position, 3) && in.ReadArray(l.color, 3) && in.ReadArray(bytes, 3) &&
                  in.ReadArray(l.orientation, 9) && in.Read(l.radius) && in.Read(l.cutOff) && in.Read(l.textured))) {
                return Short();
            }
            for (int c = 0; c < 3; ++c) l.colorBytes[c] = static_cast<uint32_t>(std::clamp(bytes[c], 0, 255));
            l.enabled = 1;
            l.textured = l.textured != 0;
            if (l.textured && !(in.ReadArray(size, 2) && Image(size[0], size[1], "a light gel", &s.gel))) {
                return why.empty() ? Short() : false;
            }
        }
        return true;
    }

    // ---- [values] ------------------------------------------------------------------
    // After the whole file: what a window edits is taken as the window takes
    // a typed value; every other number the model is given must be a number.
    bool Values()
    {
        FractalPanelValues& p = d.panel;
        if (!(Window(kSidesRows, 0, d.sides, "Sides") && Window(kSeparationRows, 0, d.separation, "Separation") &&
              Window(kPerspectiveRows, 0, p.perspectiveAngle, "Perspective"))) {
            return false;
        }
        for (int k = 0; k < 3; ++k)
            if (!Window(kRenderParameterRows, k, p.animationFrames[k], "Render Parameters")) return false;
        struct Run {
            const float* values;
            size_t count;
            const char* what;
        };
        const float single[] = {d.panX, d.panY, d.perspectiveFocal, d.viewScale, d.shadowScale, d.zoom,
                                d.perspectiveEye, d.dofRadius, p.voxelExportType, p.escapeValue};
        const Run runs[] = {
            {single, std::size(single), "the view"},
            {d.cameraRotation, 9, "the camera"}, {d.viewCentre, 3, "the view centre"},
            {d.shadowOffset, 3, "the shadow offset"}, {d.cameraAngles, 3, "the camera"},
            {d.lightReference, 3, "the light"}, {d.lightDirection, 3, "the light"},
            {p.orientationA, 4, "the view"}, {p.orientationB, 4, "the view"}, {p.lightTrackBall, 9, "the light ball"},
            {p.rotationAxis, 3, "Rotation Axis"},
        };
        for (const Run& r : runs)
            if (!Finite(r.values, r.count, r.what)) return false;
        if (!std::isfinite(p.viewDoubles[0]) || !std::isfinite(p.viewDoubles[1])) return Damaged("a view value that is not a number");
        for (int t = 0; t < d.transformCount; ++t) {
            const TransformationFileRecord& r = d.transforms[t];
            if (!(Finite(r.rotation, 9, "a transformation") && Finite(r.scaleShear, 9, "a transformation") &&
                  Finite(r.position, 3, "a transformation") && Finite(&r.weight, 1, "a transformation weight") &&
                  Finite(r.variationAmount, 10, "a transformation"))) {
                return false;
            }
        }
        for (const StagedLight& l : d.lights) {
            if (!l.enabled) continue;
            const float light[] = {l.light.radius, l.light.cutOff};
            if (!(Finite(l.light.position, 3, "a light") && Finite(l.light.color, 3, "a light") &&
                  Finite(l.light.orientation, 9, "a light") && Finite(light, 2, "a light"))) {
                return false;
            }
        }
        if (d.fractalType == 22 && !(Finite(d.script.parameters, static_cast<size_t>(d.script.parameterCount), "the script") &&
                                     Finite(d.script.tformWeight, static_cast<size_t>(d.script.tformCount), "the script"))) {
            return false;
        }
        for (int32_t t = 0; d.fractalType == 48 && t < d.groups.count; ++t) {
            const GeneratorGroup& g = d.groups.groups[t];
            if (!Finite(&g.weight, 1, "a generator chain")) return false;
            for (int32_t b = 0; b < g.blockCount; ++b) {
                const size_t n = static_cast<size_t>(gGeneratorParameterCounts[g.blockTypes[b]]);
                if (!Finite(g.parameters[b], n, "a generator block")) return false;
            }
        }
        return TakeMaterialWindowValues(*this, d.material.v);
    }

    // ---- [blocks 9 to 11] -----------------------------------------------------------
    bool Coloring()
    {
        MaterialValues& v = d.material.v;
        std::memset(v.surfaceOn, 0, sizeof v.surfaceOn);
        std::memset(v.materialType, 0, sizeof v.materialType);
        if (d.version >= 13) {
            uint32_t types[kMaterials];
            if (!(in.Bytes(v.surfaceOn, kMaterials) && in.ReadArray(types, kMaterials))) return Short();
            for (int m = 0; m < kMaterials; ++m) {
                v.surfaceOn[m] = v.surfaceOn[m] != 0;
                if (!Row(types[m], kMaterialTypeCount, "Material Type")) return false;
                v.materialType[m] = types[m];
            }
        }
        v.reflectionsOn = 0, v.reflectivity = 0.5f;
        if (d.version >= 15 && !(in.Read(v.reflectionsOn) && in.Read(v.reflectivity))) return Short();
        v.reflectionsOn = v.reflectionsOn != 0;
        SetColoringDefaults(v, 8);
        d.escapeFunction = 5;
        d.colorsStored = d.version >= 20;
        if (d.colorsStored && !ColoringBlock(v)) return false;
        if (d.version >= 21) return ReadFinalSwitches(*this, v);
        std::memset(v.finalSwitches, 0, sizeof v.finalSwitches);
        return true;
    }

    bool ColoringBlock(MaterialValues& v)
    {
        if (!ReadCurveModesAndPreviews(*this, v)) return false;
        if (!(in.Read(v.rayCasting) && in.Read(v.coloringMode))) return Short();
        v.rayCasting = v.rayCasting != 0;
        if (!Row(v.coloringMode, kColoringModeCount, "Color Function (Baseshapes and Trasformations)")) return false;
        if (!in.ReadArray(&d.transformColors[0][0], 3 * static_cast<size_t>(d.transformCount))) return Short();
        uint8_t gradient[256 * 3];
        if (!(in.ReadArray(d.picker, 3) && in.Read(d.panel.escapeValue) && in.Bytes(gradient, sizeof gradient) &&
              in.ReadArray(&d.baseshapeColors[0][0], 3 * static_cast<size_t>(d.baseshapeCount)))) {
            return Short();
        }
        for (int k = 0; k < 256; ++k) {
            d.escapeGradient.r[k] = gradient[3 * k];
            d.escapeGradient.g[k] = gradient[3 * k + 1];
            d.escapeGradient.b[k] = gradient[3 * k + 2];
        }
        float weight = 0;
        int32_t blending = 0;
        if (!(in.Read(weight) && in.Read(v.colorKeep) && in.Read(v.colorMix) && in.Read(blending) &&
              in.Read(v.colorBlendMode) && in.Read(d.escapeFunction) && in.ReadArray(v.shadowSampling, 2))) {
            return Short();
        }
        if (!Row(v.colorBlendMode, kBlendModeCount, "Blending Function") || !Row(d.escapeFunction, 6, "Function"))
            return false;
        for (auto* colors : {&d.transformColors[0][0], &d.baseshapeColors[0][0]}) {
            for (int k = 0; k < 3 * kMaxTransforms; ++k) colors[k] = std::clamp(colors[k], 0, 255);
        }
        // A view that is not one leaves the picker where it is.
        d.pickerStored = std::isfinite(d.picker[0]) && std::isfinite(d.picker[1]) && d.picker[2] > 0.0 &&
                         std::isfinite(d.picker[2]);
        return true;
    }

    bool Buffers()
    {
        const uint64_t w = static_cast<uint64_t>(d.width), pixels = w * static_cast<uint64_t>(d.height);
        StoredBuffers& b = d.buffers;
        b.shadowMap = d.fastShadowUpdate == 1;
        b.colorPlanes = d.rgbColoring && d.version >= 4;
        b.subPixel = d.version >= 20;
        const uint64_t bytes = pixels * 7 + (b.shadowMap ? w * w * 2 : 0) + (b.colorPlanes ? pixels * 3 : 0) +
                               (b.subPixel ? pixels * 2 : 0);
        if (!in.Holds(bytes, 1)) return Short();
        b.size = static_cast<size_t>(bytes);
        b.bytes.reset(static_cast<uint8_t*>(std::malloc(b.size)));
        if (!b.bytes) return NoMemory();
        return in.Bytes(b.bytes.get(), b.size) || Short();
    }

    bool ForbiddenPairs()
    {
        for (auto& pair : d.forbidden) pair[0] = pair[1] = -1;
        if (d.version < 26) return true;
        if (!in.ReadArray(&d.forbidden[0][0], 2 * static_cast<size_t>(d.pickCount))) return Short();
        // A successor that names no transformation forbids nothing.
        for (auto& pair : d.forbidden) {
            for (int32_t& t : pair)
                if (t < -1 || t >= kMaxTransforms) t = -1;
        }
        return true;
    }
};

}  // namespace

// ---- [file] -------------------------------------------------------------------------
FileParseStatus ParseFractalDataFile(const uint8_t* data, size_t size, bool withBuffers, FractalDataDocument* doc,
                                     std::string* why)
{
    BinaryReader in(data, size);
    return ParseFractalDataFile(in, withBuffers, doc, why);
}

FileParseStatus ParseFractalDataFile(BinaryReader& in, bool withBuffers, FractalDataDocument* doc, std::string* why)
{
    FractalParser p(in, *doc);
    bool newer = false;
    doc->material.v = CaptureMaterialValues();
    bool ok = p.Header(&newer) && (!withBuffers || p.RoomForBuffers()) && p.View() && p.PublishedArrays() &&
              p.Settings() && p.Baseshapes() &&
              p.Transformations() &&
              ReadMaterialRun1(p, doc->version, FractalFileLayout(doc->versionWord, doc->layoutFlag), doc->material) &&
              p.Animation();
    if (ok && doc->fractalType == 22) ok = p.Script();
    if (ok && doc->fractalType == 48) ok = p.GeneratorGroups();
    ok = ok && p.Lights() && p.Coloring();
    if (ok && withBuffers) ok = p.Buffers();
    ok = ok && p.ForbiddenPairs() && p.Values();
    if (newer) {
        if (why) *why = "a newer version";
        return FileParseStatus::kNewerVersion;
    }
    if (!ok) {
        if (why) *why = p.why;
        return p.noMemory ? FileParseStatus::kNoMemory : FileParseStatus::kDamaged;
    }
    return FileParseStatus::kRead;
}
