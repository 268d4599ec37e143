// Sections: [writer] [reader] [dialogs].
#include "files/material_file.h"

#include <cstring>
#include <memory>

#include "engine/file_dialogs.h"
#include "engine/point_coloring.h"
#include "engine/status_line.h"
#include "files/file_status.h"

// ---- [writer] -----------------------------------------------------------------------
namespace {

bool FillMaterialFile(BinaryWriter& out)
{
    const MaterialValues v = CaptureMaterialValues();
    out.Value(kMaterialFileVersion);
    out.Value(uint32_t{1});
    WriteMaterialRun1(out, v, BmatLayout());
    WriteMaterialRun2(out, v);
    WriteCurveModesAndPreviews(out, v);
    out.Value(v.rayCasting);
    out.Value(v.coloringMode);
    out.Value(v.colorKeep);  // "Color Interpolation Weight" edits the keep factor
    out.Value(v.colorKeep);
    out.Value(v.colorMix);
    out.Value(v.colorBlendMode);
    out.Value(v.colorBlendMode);
    out.Values(v.shadowSampling, 2);
    WriteFinalSwitches(out, v);
    return out.Ok();
}

}  // namespace

bool WriteMaterialFile(const ByteSink& sink)
{
    BinaryWriter out(sink);
    return FillMaterialFile(out);
}

FileWriteResult WriteMaterialFileTo(const std::string& path)
{
    return WriteReplacingFile(path, [](BinaryWriter& out, const void*) { return FillMaterialFile(out); }, nullptr);
}

// ---- [reader] -----------------------------------------------------------------------
FileParseStatus ParseMaterialFile(const uint8_t* data, size_t size, MaterialSettings* s, std::string* why)
{
    BinaryReader in(data, size);
    return ParseMaterialFile(in, s, why);
}

FileParseStatus ParseMaterialFile(BinaryReader& in, MaterialSettings* s, std::string* why)
{
    FileParser p(in);
    *s = MaterialSettings{};
    MaterialValues& v = s->v;
    v = CaptureMaterialValues();
    uint32_t version = 0, one = 0;
    bool ok = p.in.Read(version) && p.in.Read(one);
    if (ok && version > kMaterialFileVersion) {
        if (why) *why = "version " + std::to_string(version);
        return FileParseStatus::kNewerVersion;
    }
    if (version == 0) version = 1;
    ok = ok || p.Short();
    ok = ok && ReadMaterialRun1(p, version, BmatLayout(), *s);
    if (ok) {
        uint32_t types[kMaterials];
        ok = (p.in.Bytes(v.surfaceOn, kMaterials) && p.in.ReadArray(types, kMaterials)) || p.Short();
        for (int m = 0; ok && m < kMaterials; ++m) {
            v.surfaceOn[m] = v.surfaceOn[m] != 0;
            ok = p.Row(types[m], kMaterialTypeCount, "Material Type");
            v.materialType[m] = types[m];
        }
    }
    v.reflectionsOn = 0;
    v.reflectivity = 0.5f;
    if (ok && version >= 15) ok = (p.in.Read(v.reflectionsOn) && p.in.Read(v.reflectivity)) || p.Short();
    v.reflectionsOn = v.reflectionsOn != 0;
    SetColoringDefaults(v, 7);
    if (ok && version >= 20) {
        float weight = 0;
        int32_t blending = 0;
        ok = ReadCurveModesAndPreviews(p, v) &&
             ((p.in.Read(v.rayCasting) && p.in.Read(v.coloringMode) && p.in.Read(weight) && p.in.Read(v.colorKeep) &&
               p.in.Read(v.colorMix) && p.in.Read(blending) && p.in.Read(v.colorBlendMode) &&
               p.in.ReadArray(v.shadowSampling, 2)) ||
              p.Short());
        v.rayCasting = v.rayCasting != 0;
        ok = ok && p.Row(v.coloringMode, kColoringModeCount, "Color Function (Baseshapes and Trasformations)") &&
             p.Row(v.colorBlendMode, kBlendModeCount, "Blending Function");
    }
    if (ok && version >= 21) {
        ok = ReadFinalSwitches(p, v);
    } else {
        std::memset(v.finalSwitches, 0, sizeof v.finalSwitches);
    }
    ok = ok && TakeMaterialWindowValues(p, v);
    if (!ok) {
        *s = MaterialSettings{};
        if (why) *why = p.why;
        return p.noMemory ? FileParseStatus::kNoMemory : FileParseStatus::kDamaged;
    }
    return FileParseStatus::kRead;
}

// ---- [dialogs] ----------------------------------------------------------------------
bool SaveMaterial()
{
    if (!TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    if (!ChooseFileOfKind(kFileKindMaterial, kFolderBuffers, true)) return false;
    if (WriteMaterialFileTo(gFilePath) != FileWriteResult::kWritten) {
        CheckWritable(nullptr);  // the "Warning" box
        return false;
    }
    SetStatusText("Materials Saved!");
    return true;
}

namespace {

// The chosen file parsed into settings; false, with the status line saying
// why, when it is refused.
bool ReadChosenMaterialFile(MaterialSettings* settings)
{
    OpenedFile file;
    if (!OpenChosenFile(gFilePath, kMaxMaterialFileBytes, &file)) return false;
    BinaryReader in(file.fd, file.size);
    std::string why;
    switch (ParseMaterialFile(in, settings, &why)) {
    case FileParseStatus::kRead: return true;
    case FileParseStatus::kNewerVersion: ShowNewerVersionNotice(); return false;
    case FileParseStatus::kNoMemory: SayNoMemory(); return false;
    case FileParseStatus::kDamaged:
        if (ReportFileGaveOut(in, gFilePath)) return false;
        SetStatusText("Talvoran :   %s is not a material file we can open: %s.", FileNameOf(gFilePath), why.c_str());
        return false;
    }
    return false;
}

}  // namespace

bool LoadMaterial()
{
    if (!TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    if (!ChooseFileOfKind(kFileKindMaterial, kFolderBuffers, false)) return false;
    SetStatusText("Loading Materials..");
    return WithinMemory([] {
        auto settings = std::make_unique<MaterialSettings>();
        if (!ReadChosenMaterialFile(settings.get())) return false;
        InstallMaterialSettings(*settings);
        SetStatusText("Material Loaded");
        return true;
    });
}
