// The program's persistent settings: eight folders and the two thread
// counts, kept in the settings file under the old registry value names.
#pragma once

// Value names, as stored.
inline constexpr const char* kSettingRenderThreads = "PNumber";
inline constexpr const char* kSettingExportThreads = "ExportThrd";
inline constexpr int kMaxThreadCount = 24;

// Start-up step 1: reads the file (a missing file keeps every default),
// clamps the counts, fills empty folders with their defaults, and writes the
// processor count back as "ExportThrd" when that value is missing or below 1.
void ReadSettings();

// A thread count asked for (a slider's value or a list's row): when its
// whole value (kept to 1 to 24) differs from the count, write it and take it
// as the new count. A failed write changes nothing (the sliders show the
// count in force, and the next change tries again).
void SaveRenderThreads(float wanted);
void SaveExportThreads(float wanted);

// The common step of both. True when the value was written.
bool SaveThreadCount(const char* name, int* count, float wanted);
