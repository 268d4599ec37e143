// The export: "Save PNG" and "Save Bitmap" (and every animation frame) turn
// the render buffers into an image file. Up to 24 shading workers shade the
// picture two rows at a time, worker i taking the columns i, i + N, ...;
// the export thread writes the finished rows to the file in order and feeds
// each written pixel into the preview.
//
// The workers do not wait for each other: each runs through its columns of
// every row pair into a ring of row-pair buffers and counts itself done per
// pair; the export thread writes a pair once every worker counted itself in
// and then frees the pair's buffer, so a worker runs at most the ring's
// length ahead of the file.
//
// The export never touches the interface or GL itself: it reads a settings
// snapshot taken on the window thread, asks for its file and shows its boxes
// through ExportServices (the dialog seam in the program), and leaves the GL
// clears and restores to the window thread (TakeExportViewRestore).
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "shading/export_pixel.h"

inline constexpr int kMaxExportWorkers = 24;

// ---- Shared state ------------------------------------------------------------------
extern std::atomic<int32_t> gExportProgress;  // percent; 100 finished, -1 ended early, -2 idle
extern std::atomic<uint8_t> gExportCancel;    // the export view's "Cancel": stop before the following pair
extern std::atomic<uint8_t> gFileThreadBusy;  // 1 while an export runs
extern int32_t gExportThreadCount;            // "ExportThrd", 1..24
extern int32_t gExportThreadCountSaved;       // the count when the workers were started
extern std::atomic<uint8_t> gExportWorkerActive[kMaxExportWorkers];
// Worker i shades the column chunks start, start + N, ... below end (N the
// number of workers; end W, or 0 for a worker that does not run). A chunk of
// 16 columns keeps workers from writing into the same bytes' cache lines
// column by column, and still spreads 24 workers evenly over a 2048-wide row.
inline constexpr int kExportColumnChunk = 16;
extern int32_t gExportColumnStart[kMaxExportWorkers];
extern int32_t gExportColumnEnd[kMaxExportWorkers];
extern int32_t gExportRow;          // first row of the pair being written (export thread)
extern int32_t gExportWriteColumn;  // column of the pixel being written (export thread)
extern uint8_t gExportPng;          // 1 PNG, 0 BMP output of the running export

// What the export reads from the interface, taken on the window thread
// before the export starts.
struct ExportSettings {
    uint8_t png = 0;                   // PNG (1) or BMP (0) for a single export
    uint8_t excludeBackground = 0;     // "Exclude Background (PNG)"
    uint8_t fogToAlpha = 0;            // "Map Fog to Alpha (PNG)"
    int32_t workerCount = 1;           // gExportThreadCount
    int32_t previewTop = 0;            // first preview row the picture covers
    std::string texturesFolder;        // renders are never written inside it
    uint8_t animation = 0;             // gAnimationOn: the frame file, no dialog
    std::string animationBaseName;     // the animation page's base file name
    int32_t animationFrame = 0;        // the animation frame counter
    int32_t imageType = 1;             // "Image Type": 1 "BMP - Windows Bitmap", 0 "PNG - ..."
    ExportShadingSettings shading;     // the pixel shading's settings from the panels
    OcclusionSettings occlusion;       // "Ambient Occlusion" and its options and windows
    float glowThreshold = 0.5f;        // "Threshold" of the glow shader
    float glowSmoothing = 1.0f;        // "Smoothing Steps"
    float glowIntensity = 1.0f;        // "Intensity"
    bool glowBackground = false;       // "Include the background brighness in the shader"
};

// The program's side of the export. Every member has a quiet default:
// no file chosen, boxes on stderr, the pixel shading of the export.
struct ExportServices {
    ExportSettings (*readSettings)();
    // The shell's "a file operation runs" flag: false when one already runs
    // (the export then ends at once), else it is set until endFileOperation.
    bool (*beginFileOperation)();
    void (*endFileOperation)();
    // The save dialog for PNG or BMP; true with path set when a file was chosen.
    bool (*chooseFile)(bool png, std::string* path);
    // After a path was accepted: the dialog's start folder is no longer the default.
    void (*fileChosen)(bool png);
    void (*showMessage)(const char* text, const char* caption, bool error);
    // Buttons, slider box, "Cancel" and "Zoom": true as the export starts writing, false after.
    void (*setControls)(bool exporting);
    // Reshades the preview at double density before the glow map is taken from it.
    void (*reshadePreview)();
    // Shades one column of the row pair starting at exportRow into gExportRowPairs.
    void (*shadeColumn)(int column, int exportRow, int worker);
};
extern ExportServices gExportServices;
ExportServices DefaultExportServices();

// Workers the system lets the export create; tests lower it to act out a
// failing thread creation.
extern int32_t gExportWorkerLimit;
// Bytes the file may take before its writes fail (-1: no limit); tests use it.
extern int64_t gExportFileByteLimit;

// The settings the export uses, taken by the starter on the window thread.
extern ExportSettings gExportSettings;

// ---- Operations ----------------------------------------------------------------------
// Clears the worker flags and the gate; run once at start-up before any export.
void InitializeExportPipeline();

// The whole export, on the calling thread. Returns 0 when the file was
// written, 1 when nothing was (no path, refused path, cancel, a failed
// file or no worker); a partial file is removed.
int ExportImage();

// "Save PNG" / "Save Bitmap": stops the render, then, unless an export runs,
// takes the settings and starts ExportImage on its own thread. False when
// an export was running or the thread could not start.
bool StartExportThread(bool png);
// Joins a finished export thread; waits for a running one when wait is set,
// else leaves it running on its own (the process is ending).
void ReleaseExportThread(bool wait);

// Column range of each worker: worker i starts at column i and steps by N.
void AssignExportColumns(int workerCount, int width);

// Adds one written pixel (colours 0..255) at the column gExportWriteColumn
// to the preview.
void AccumulatePreviewSample(int row, float red, float green, float blue);

// True when path lies inside folder, comparing normalised path components.
bool PathInsideFolder(const std::string& path, const std::string& folder);

// True once after an export ended: the window thread clears the drawing
// surface and restores depth test, texturing and clear colour.
bool TakeExportViewRestore();
