#include "engine/file_dialogs.h"

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <system_error>
#include <thread>

#include "platform/dialogs.h"
#include "engine/status_line.h"

std::atomic<uint8_t> gFileOperationBusy{0};

bool TryBeginFileOperation() { return gFileOperationBusy.exchange(1) == 0; }
void EndFileOperation() { gFileOperationBusy.store(0); }
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
uint8_t gKeepDialogFolders = 0;
uint8_t gGelDialogDefaultFolder = 1;
uint8_t gBitmapDialogDefaultFolder = 1;

void RestoreDefaultDialogFolders()
{
    std::memset(gDialogDefaultFolderFlags, 1, sizeof gDialogDefaultFolderFlags);
    gGelDialogDefaultFolder = 1;
    gBitmapDialogDefaultFolder = 1;
}

void ForgetDefaultFolder(int kind)
{
    if (kind < 0 || kind >= kFileKindCount) return;
    DialogFolderChosen(gDialogDefaultFolderFlags[kind]);
}

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

// The folder of the last file chosen in each dialog, by kind and start
// folder. Dialogs run on the window thread; the export thread's come
// through the dialog queue, but the lock keeps the map sound whoever asks.
std::mutex gLastFoldersMutex;
std::map<std::pair<int, int>, std::string> gLastFolders;

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

// A chooser left to itself opens in the working folder or in its "Recent"
// list, where a typed name searches instead of naming the file: it is always
// given a folder that exists.
std::string RequestFolder(int kind, int folderNumber, int setFolder)
{
    const std::string start = DialogStartFolder(folderNumber);
    if (setFolder == 0) {
        std::lock_guard<std::mutex> lock(gLastFoldersMutex);
        const auto last = gLastFolders.find({kind, folderNumber});
        if (last != gLastFolders.end() && IsFolder(last->second)) return last->second;
    }
    return start;
}

void RememberFolder(int kind, int folderNumber, const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) return;
    std::lock_guard<std::mutex> lock(gLastFoldersMutex);
    gLastFolders[{kind, folderNumber}] = folder;
}

FileDialogRequest MakeRequest(bool save, int kind, int folderNumber, int setFolder)
{
    FileDialogRequest request;
    request.save = save;
    request.kind = kind;
    request.folder = RequestFolder(kind, folderNumber, setFolder);
    request.setFolder = true;  // the chooser never picks its own start
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
    RememberFolder(kind, folderNumber, path);
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

bool ChooseFileOfKind(int kind, int folderNumber, bool save)
{
    std::memset(gFilePath, 0, sizeof gFilePath);
    const int setFolder = gDialogDefaultFolderFlags[kind];
    const int chosen = save ? ShowSaveFileDialog(kind, folderNumber, setFolder)
                            : ShowOpenFileDialog(kind, folderNumber, setFolder);
    if (!chosen || !gFilePath[0]) return false;
    ForgetDefaultFolder(kind);
    return true;
}

void ForgetLastDialogFolders()
{
    std::lock_guard<std::mutex> lock(gLastFoldersMutex);
    gLastFolders.clear();
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

