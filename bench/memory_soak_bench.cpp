// The program's resident memory over long use: the whole program started
// offscreen (SDL_VIDEODRIVER=offscreen) and driven as a user drives it,
// through the window's event path (tests/app/support), at the program's own
// render size and thread counts, each frame finished as a display's swap
// finishes it (the offscreen driver's does not, and the software GL driver
// would then keep memory no user's window holds).
//
//   BM_UserCycleSoak: 50 times the cycle a user runs: a type picked in the
//     "Fractal Type" list, "New Fractal", "Render" for a fixed number of
//     cycles, "Stop", "Save PNG" (the dialog scripted). The resident memory
//     (VmRSS) after cycles 10 and 50, in MB, and the growth between them in
//     per cent (goal: under 10).
//   BM_MixedUseSoak: the same cycles with what a long session adds: "Save
//     Bitmap", both editors opened and closed, and every fifth cycle a voxel
//     round (the engine started, STL and OBJ written, the engine stopped).
//
// Each line printed is one cycle: resident memory, the C library heap's
// bytes in use and held free, and its arena count. Run it alone (minutes):
//
//   SDL_VIDEODRIVER=offscreen ./build/bench/memory_soak_bench
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/control_tables.h"
#include "app/mesh_export_thread.h"
#include "app/support/program_controls.h"
#include "engine/kernel_framework.h"
#include "platform/heap_memory.h"
#include "ui/panel_pages.h"

namespace fs = std::filesystem;

namespace {

// Points of each render, per worker: about what a user lets run before
// looking, the same amount on any machine.
constexpr uint64_t kRenderCycles = 2000;  // of kSlotBatchSize points
constexpr int kCycles = 50;
constexpr int kFirstFigure = 10;

// The program of the tests' fixture, started once for the whole run.
class SoakProgram : public ProgramTest {
public:
    static bool Start(std::string* why)
    {
        static bool tried = false;
        if (!tried) {
            tried = true;
            // The support's failures are printed as a test's would be.
            ::testing::InitGoogleTest();
            UseOwnFolder("talvoran_memory_soak_");
            gProgram.FinishFramesAsADisplay(true);
            StartOnce();
            // The program's threads stopped before the process ends.
            std::atexit(TearDownTestSuite);
        }
        *why = started_ ? "" : "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " + why_;
        return started_;
    }

private:
    void TestBody() override {}
};

struct HeapFigures {
    double residentMb = 0, anonymousMb = 0, inUseMb = 0, heldFreeMb = 0;
    int arenas = 0;
};

long StatusKb(const char* field)
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr) return -1;
    char line[256];
    long kb = -1;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, f) != nullptr)
        if (std::strncmp(line, field, length) == 0 && std::sscanf(line + length, ": %ld kB", &kb) == 1) break;
    std::fclose(f);
    return kb;
}

// The arenas are the <heap nr="..."> elements of malloc_info's report.
int ArenaCount()
{
    char* text = nullptr;
    size_t size = 0;
    std::FILE* stream = open_memstream(&text, &size);
    if (stream == nullptr) return -1;
    malloc_info(0, stream);
    std::fclose(stream);
    int count = 0;
    for (const char* p = text; (p = std::strstr(p, "<heap nr=")) != nullptr; ++p) ++count;
    std::free(text);
    return count;
}

HeapFigures Measure()
{
    const struct mallinfo2 info = mallinfo2();
    HeapFigures h;
    h.residentMb = static_cast<double>(StatusKb("VmRSS")) / 1024.0;
    h.anonymousMb = static_cast<double>(StatusKb("RssAnon")) / 1024.0;
    h.inUseMb = static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
    h.heldFreeMb = static_cast<double>(info.fordblks) / (1024.0 * 1024.0);
    h.arenas = ArenaCount();
    return h;
}

void Print(const char* what, int cycle, const HeapFigures& h)
{
    std::printf("%s cycle %2d: resident %6.1f MB (%6.1f MB anonymous), heap in use %6.1f MB, free %6.1f MB, %d arenas\n",
                what, cycle, h.residentMb, h.anonymousMb, h.inUseMb, h.heldFreeMb, h.arenas);
    std::fflush(stdout);
}

// The types "New Fractal" serves from the type alone: all but the script
// type, which waits for a script, and the generator type, whose fractal is
// the row of its own list.
int CycleType(int cycle)
{
    int type = -1;
    for (int n = 0; n <= cycle;) {
        type = (type + 1) % kFractalTypeCount;
        if (type != 22 && type != 48) ++n;
    }
    return type;
}

// Frames for a second of a user looking.
void Look() { gProgram.Frames(30); }

// The window at rest: once it has drawn nothing for a second, the loop hands
// the heap's free pages back to the system (app/program_entry.cpp).
void Rest() { ReleaseFreeHeapMemory(); }

void UserCycle(int cycle, const fs::path& picture)
{
    PickFractalType(CycleType(cycle));
    gProgram.ClickControl(WindowBottomControls(), "New Fractal");
    gProgram.Frames(2);
    RenderCycles(kRenderCycles);
    SaveImage("Save PNG", picture);
    Look();
}

void VoxelRound(const fs::path& folder)
{
    gProgram.GoTo(kTabVoxels);
    Click("Voxel Resolution", 1);  // "200x200x200 vx"
    Click("Start the Voxel Engine");
    gProgram.Frames(100);
    for (const char* button : {"STL Mesh", "OBJ Mesh"}) {
        gDialogs.QueueFile((folder / (std::string(button) == "STL Mesh" ? "soak.stl" : "soak.obj")).string());
        Click(button);
        FramesUntil([] { return gMeshExportRunning.load() == 0; }, 1000000);
        gProgram.Frames(1);
    }
    Click("Stop the Voxel Engine");
    gProgram.Frames(2);
}

void EditorsRound()
{
    OpenTransformationEditor();
    Look();
    Click("Edit (Transformations)");
    OpenBaseshapeEditor();
    Look();
    Click("Edit (Baseshapes)");
    gProgram.Frames(2);
}

bool Failed() { return ::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed(); }

void RunSoak(benchmark::State& state, bool mixed)
{
    std::string why;
    if (!SoakProgram::Start(&why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    const char* what = mixed ? "mixed" : "user ";
    for (auto _ : state) {
        Print(what, 0, Measure());
        HeapFigures first, last;
        for (int cycle = 1; cycle <= kCycles && !Failed(); ++cycle) {
            UserCycle(cycle - 1, gDir / "soak.png");
            if (mixed) {
                SaveImage("Save Bitmap", gDir / "soak.bmp");
                EditorsRound();
                if (cycle % 5 == 0) VoxelRound(gDir);
            }
            Rest();
            const HeapFigures now = Measure();
            Print(what, cycle, now);
            if (cycle == kFirstFigure) first = now;
            last = now;
        }
        if (Failed()) {
            state.SkipWithError("a step of the cycle failed (see above)");
            return;
        }
        state.counters["rss_cycle10_MB"] = first.residentMb;
        state.counters["rss_cycle50_MB"] = last.residentMb;
        state.counters["growth_pct"] = 100.0 * (last.residentMb - first.residentMb) / first.residentMb;
    }
}

void BM_UserCycleSoak(benchmark::State& state) { RunSoak(state, false); }
BENCHMARK(BM_UserCycleSoak)->Iterations(1)->Unit(benchmark::kSecond);

void BM_MixedUseSoak(benchmark::State& state) { RunSoak(state, true); }
BENCHMARK(BM_MixedUseSoak)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
