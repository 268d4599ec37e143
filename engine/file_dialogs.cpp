#include "engine/file_dialogs.h"

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "engine/dialogs.h"
#include "engine/status_line.h"

char gFilePath[kPathBufferSize];
char gBuffersPath[kPathBufferSize];
char gDMapsPath[kPathBufferSize];
char gMeshesPath[kPathBufferSize];
char gTexturesPath[kPathBufferSize];
char gSTexturesPath[kPathBufferSize];
char gParametersPath[kPathBufferSize];
char gImagesPath[kPathBufferSize];
char gInstallDir[kPathBufferSize];

uint8_t gDialogDefaultFolderFlags[kFileKindCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// Texts as users know them from earlier versions, typos and trailing blank included.
const FileKindFilter kFileKindFilters[kFileKindCount] = {
    {"PNG Files", "*.png", true, true, true},
    {"Bitmap Files", "*.bmp", true, true, true},
    {"Color Map Files", "*.map", true, true, true},
    {"Talvoran Fractal Data", "*.zdat", true, true, true},
    {"Talvoran Buffer Data", "*.zb3f", true, true, true},
    {"Kavrolin Files", "*.kvl", true, true, true},
    {"Graphics Files", "*.bmp;*.png;*.jpg", false, true, false},
    {"Talvoran Fractal Material", "*.bmat", true, true, true},
    {"Talvoran Script Files", "*.prg", true, true, true},
    {"STL Files ", "*.stl", true, true, true},
    {"OBJ Files", "*.obj", true, true, true},
    {"RAW Files", "*.raw", true, true, true},
    {"Talvoran Baseshapes", "*.bsf", true, true, true},
    {"Talvoran Tranformation Files", "*.tmf", true, true, true},
    {"PNG Files", "*.png", false, false, true},
    {"Bitmap Files", "*.bmp", false, false, true},
};

namespace {

FileDialogRequest MakeRequest(bool save, int kind, int folderNumber, int setFolder)
{
    FileDialogRequest request;
    request.save = save;
    request.kind = kind;
    request.folder = DialogStartFolder(folderNumber);
    request.setFolder = setFolder != 0;
    if (kind >= 0 && kind < kFileKindCount) {
        const FileKindFilter& filter = kFileKindFilters[kind];
        if (save ? filter.inSaveDialog : filter.inOpenDialog) {
            request.filters.push_back({filter.name, filter.pattern});
            request.filters.push_back({"All Files", "*.*"});
            if (filter.defaultExtension) request.defaultExtension = filter.pattern + 2;
        }
    }
    return request;
}

bool HasExtension(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot != std::string::npos && dot > 0 && dot + 1 < name.size();
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

int RunFileDialog(bool save, int kind, int folderNumber, int setFolder)
{
    const FileDialogRequest request = MakeRequest(save, kind, folderNumber, setFolder);
    std::string path;
    if (!ChooseFile(request, &path) || path.empty()) return 0;
    if (save && !request.defaultExtension.empty() && !HasExtension(path)) {
        // The chooser confirmed overwriting the name as typed; the name with
        // the extension added is another file and is asked about here.
        path += "." + request.defaultExtension;
        if (FileExists(path)) {
            const std::string question = path + " already exists.\nDo you want to replace it?";
            if (ShowMessageBox(question.c_str(), "Confirm Save As", MessageButtons::YesNo,
                               MessageIcon::Warning) != MessageAnswer::Yes) {
                return 0;
            }
        }
    }
    if (path.size() >= sizeof gFilePath) {
        SetStatusText("The chosen path is too long");
        return 0;
    }
    std::memset(gFilePath, 0, sizeof gFilePath);
    std::memcpy(gFilePath, path.data(), path.size());
    return 1;
}

void EnsureFolder(const char* folder)
{
    if (!folder[0]) return;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
}

}  // namespace

const char* DialogStartFolder(int folderNumber)
{
    const char* folder = gImagesPath;
    switch (folderNumber) {
    case 1: folder = gBuffersPath; break;
    case 2: folder = gDMapsPath; break;
    case 3: folder = gMeshesPath; break;
    case 4:
    case 8: folder = gTexturesPath; break;
    case 5: folder = gSTexturesPath; break;
    case 7: folder = gParametersPath; break;
    default: break;
    }
    EnsureFolder(folder);
    return folder;
}

int ShowOpenFileDialog(int kind, int folderNumber, int setFolder)
{
    return RunFileDialog(false, kind, folderNumber, setFolder);
}

int ShowSaveFileDialog(int kind, int folderNumber, int setFolder)
{
    return RunFileDialog(true, kind, folderNumber, setFolder);
}

bool CheckWritable(FILE* file)
{
    if (file) return true;
    ShowMessageBox("Talvoran cannot write in the selected directory path, please choose another destination.",
                   "Warning", MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

int GetProcessorCount()
{
    const unsigned count = std::thread::hardware_concurrency();
    return count == 0 ? 1 : static_cast<int>(count);
}

void ClearToHash(char* buffer8)
{
    std::memset(buffer8, 0, 8);
    buffer8[0] = '#';
}

namespace {
// Code points 0x80..0x9F of Windows-1252; 0 where the code page has none.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

char ToWindows1252(uint32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] != 0 && kWindows1252High[i] == code) return static_cast<char>(0x80 + i);
    }
    return '?';
}
}  // namespace

void Utf8ToWindows1252(const char* text, char* out, int size)
{
    if (size <= 0) return;
    int n = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text ? text : "");
    while (*p && n < size - 1) {
        uint32_t code = *p;
        int extra = 0;
        if (code >= 0xF0 && code < 0xF8) { code &= 0x07; extra = 3; }
        else if (code >= 0xE0) { code &= 0x0F; extra = 2; }
        else if (code >= 0xC0) { code &= 0x1F; extra = 1; }
        else if (code >= 0x80) { extra = -1; }  // a stray continuation byte
        ++p;
        bool valid = extra >= 0;
        for (int i = 0; i < extra; ++i) {
            if ((*p & 0xC0) != 0x80) { valid = false; break; }
            code = (code << 6) | (*p & 0x3F);
            ++p;
        }
        out[n++] = valid ? ToWindows1252(code) : '?';
    }
    out[n] = '\0';
}
