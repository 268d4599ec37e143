// "Load Script" on a 4 MB script of one "tbase" block of many "base_"
// lines, all acting on baseshape 0, which the baseshape editor shows:
//
//   BM_LoadScript: the action in the running program (offscreen,
//     SDL_VIDEODRIVER=offscreen), the file chosen through the dialog seam:
//     read from disk, render stopped, script read, editor refreshed, the
//     new fractal made.
//   BM_ReadScriptText: the reader alone on the text in memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/fractal_data_actions.h"
#include "engine/status_line.h"
#include "files/script_file.h"
#include "platform/scripted_dialogs.h"
#include "support/offscreen_program.h"

namespace {

constexpr size_t kScriptBytes = size_t{4} << 20;

const std::string& ScriptText()
{
    static const std::string text = [] {
        std::string t = ";Talvoran Script 1.0\ntbase\nbase_type 12\n";
        const char* lines[] = {"base_position 0.125 0.5 -1.25\n", "base_scale 1.5 0.75 1\n",
                               "base_rotation 30 0 1 0\n", "base_parameters 0.5 0.25 0.125 2\n",
                               "base_xyzrot 10 20 30\n", "base_radius 0.8\n", "base_depth 4000\n"};
        for (size_t k = 0; t.size() < kScriptBytes; ++k) t += lines[k % std::size(lines)];
        return t;
    }();
    return text;
}

const std::filesystem::path& Folder()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path f = std::filesystem::temp_directory_path() / "talvoran_script_load_bench";
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

bool StartOnce(std::string* error)
{
    // The user's settings and folders are left alone.
    setenv("TALVORAN_SETTINGS_FILE", (Folder() / "settings.ini").c_str(), 1);
    setenv("XDG_DATA_HOME", Folder().c_str(), 1);
    return StartOffscreenProgramOnce(error);
}

void BM_LoadScript(benchmark::State& state)
{
    std::string error;
    if (!StartOnce(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::string path = (Folder() / "one_block.prg").string();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(ScriptText().data(), 1, ScriptText().size(), f);
        std::fclose(f);
    }
    ScriptedDialogs dialogs;
    ScopedDialogBackend use(&dialogs);
    for (auto _ : state) {
        dialogs.QueueFile(path);
        ReadScriptFile();
        if (std::string(gStatusText) != "Script Loaded") state.SkipWithError(gStatusText);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ScriptText().size()));
}
BENCHMARK(BM_LoadScript)->Unit(benchmark::kMillisecond);

void BM_ReadScriptText(benchmark::State& state)
{
    const ScriptLines lines(ScriptText());
    for (auto _ : state) {
        const ScriptReadReport report = ReadScriptText(lines, ScriptBaseshapeSetup{});
        benchmark::DoNotOptimize(report.tbaseBlocks);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ScriptText().size()));
}
BENCHMARK(BM_ReadScriptText)->Unit(benchmark::kMillisecond);

}  // namespace
