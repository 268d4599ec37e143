// The file dialogs by file kind and start folder, the chosen path that every
// file action opens, the folders from the settings, and the warning for a
// file that cannot be written. Paths are UTF-8 with '/' separators.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>

inline constexpr int kPathBufferSize = 4096;  // bytes, terminator included
inline constexpr int kFileKindCount = 16;
inline constexpr int kFileKindColorMap = 2;
inline constexpr int kFileKindFractalData = 3;
inline constexpr int kFileKindBufferData = 4;
inline constexpr int kFileKindGraphics = 6;
inline constexpr int kFileKindMaterial = 7;
inline constexpr int kFileKindScript = 8;
inline constexpr int kFileKindStl = 9;
inline constexpr int kFileKindBaseshapes = 12;
inline constexpr int kFolderBuffers = 1;
inline constexpr int kFolderDMaps = 2;
inline constexpr int kFolderMeshes = 3;
inline constexpr int kFolderTextures = 4;
inline constexpr int kFolderSurfaceTextures = 5;
inline constexpr int kFolderParameters = 7;

// Set while a file dialog or a file operation runs (the image export's
// thread takes it too); every dialog operation returns at once while it is
// set.
extern std::atomic<uint8_t> gFileOperationBusy;
// Sets the flag when it was clear; false when another operation holds it.
bool TryBeginFileOperation();
void EndFileOperation();
// Ends the operation an action took, on every way out of the action.
struct FileOperationEnd {
    FileOperationEnd() = default;
    FileOperationEnd(const FileOperationEnd&) = delete;
    FileOperationEnd& operator=(const FileOperationEnd&) = delete;
    ~FileOperationEnd() { EndFileOperation(); }
};

// The path chosen by the last successful dialog; unchanged by a cancel.
extern char gFilePath[kPathBufferSize];

// Folders from the settings (empty until they are read).
extern char gBuffersPath[kPathBufferSize];
extern char gDMapsPath[kPathBufferSize];
extern char gMeshesPath[kPathBufferSize];
extern char gTexturesPath[kPathBufferSize];
extern char gSTexturesPath[kPathBufferSize];
extern char gParametersPath[kPathBufferSize];
extern char gImagesPath[kPathBufferSize];
extern char gInstallDir[kPathBufferSize];

// One byte per file kind: 1 while that kind's dialog starts in its default
// folder; while it is 0 the dialog opens in the folder of the last file
// chosen in it. "Reset Paths" sets them all to 1.
extern uint8_t gDialogDefaultFolderFlags[kFileKindCount];
// The same for the picture dialogs that are not one kind's: the light gels
// and the procedural texture saved as a bitmap (the material textures keep
// theirs in the Shader).
extern uint8_t gGelDialogDefaultFolder;
extern uint8_t gBitmapDialogDefaultFolder;
// "Reset Paths": every dialog above opens in its default folder again.
void RestoreDefaultDialogFolders();
// "Keep Default Paths": while set, a successful choice leaves the dialog's
// start-folder byte as it was.
extern uint8_t gKeepDialogFolders;
// The start-folder byte after a successful choice.
inline void DialogFolderChosen(uint8_t& startFolderByte)
{
    if (!gKeepDialogFolders) startFolderByte = 0;
}

// Filter of one file kind; the pair "All Files", "*.*" always follows it.
struct FileKindFilter {
    const char* name;
    const char* pattern;
    bool defaultExtension;  // the pattern (without "*.") is appended on save
    bool inOpenDialog;      // false: the open dialog shows no file types
    bool inSaveDialog;      // false: the save dialog shows no file types
};
extern const FileKindFilter kFileKindFilters[kFileKindCount];

// Start folder by number: 1 buffers, 2 displacement maps, 3 meshes, 4 and 8
// textures, 5 surface textures, 7 parameters, anything else images.
const char* DialogStartFolder(int folderNumber);

// After a file of this kind was chosen, its dialog no longer starts in the
// kind's default folder, unless the default folders are kept.
void ForgetDefaultFolder(int kind);

// Return 1 when the user chose a file (its path is then in gFilePath), else 0.
// The chooser always opens in a folder of ours: the start folder while
// setFolder is set, else the folder of the last file chosen in this dialog
// (the kind with that start folder), the start folder when there is none.
int ShowOpenFileDialog(int kind, int folderNumber, int setFolder);
int ShowSaveFileDialog(int kind, int folderNumber, int setFolder);
// The save or open dialog of a kind, from its start folder while the kind's
// default-folder flag is set: true when a path was chosen (in gFilePath),
// and the kind's default folder is then forgotten.
bool ChooseFileOfKind(int kind, int folderNumber, bool save);
// Forgets every dialog's last folder (tests start from a clean program).
void ForgetLastDialogFolders();

// True for an open file; for a null one warns ("Talvoran cannot write in the
// selected directory path, please choose another destination.") and is false.
bool CheckWritable(FILE* file);

int GetProcessorCount();

// Sets the 8-byte name buffer to "#" (the name of every generated image).
void ClearToHash(char* buffer8);

