// The wireframes of the 3-D preview screen: 65 baseshapes of the heaviest
// kinds drawn into the 832 by 832 preview viewport through the wireframe
// layer, as every frame of that screen draws them. Needs a GL context
// (SDL_VIDEODRIVER=offscreen headless); glFinish is included, so the
// driver's work is counted.
//
//   BM_BaseshapeWireframes/0: the nine heaviest drawers in turn (kinds 6,
//     72, 71, 64, 3, 11, 5, 44, 7), their starting parameters.
//   BM_BaseshapeWireframes/1: all 65 of kind 6, the largest (51 strips of
//     101 vertices each).
//   BM_BaseshapeWireframes/2: as /0, with every size nudged by one ulp
//     each frame, so that every wireframe is recorded anew (a frame in
//     which every baseshape was edited).
//   BM_BaseshapeWireframes/3 to /5: as /0 to /2 drawn line by line by the
//     driver (display lists), as outside the 3-D preview's layer.
//   BM_WireframeVertices: the same 65 as /0 into a sink that only sums the
//     vertices: the drawers' own share of a frame.
#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/baseshape_record.h"
#include "editors/shape_previews.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"

namespace {

constexpr int kHeaviest[] = {6, 72, 71, 64, 3, 11, 5, 44, 7};

void MakeHeavyBaseshapes(bool allSix)
{
    for (int i = 0; i < kMaxBaseshapes; ++i) {
        gBaseshapes[i].shapeType = allSix ? 6 : kHeaviest[i % 9];
        ApplyShapeTypeDefaults(i);
    }
    gBaseshapeCount = kMaxBaseshapes;
}

class SummingSink final : public ShapeSink {
public:
    double sum = 0.0;
    void Begin(ShapePrimitive) override {}
    void Vertex(float x, float y, float z) override { sum += x + y + z; }
    void End() override {}
    void Color(float, float, float) override {}
    void PushMatrix() override {}
    void PopMatrix() override {}
    void Translate(float, float, float) override {}
    void Rotate(float, float, float, float) override {}
    void Scale(float, float, float) override {}
};

void BM_WireframeVertices(benchmark::State& state)
{
    MakeHeavyBaseshapes(false);
    SummingSink sink;
    for (auto _ : state)
        for (int i = 0; i < kMaxBaseshapes; ++i) DrawBaseshapePreview(sink, i);
    benchmark::DoNotOptimize(sink.sum);
}
BENCHMARK(BM_WireframeVertices)->Unit(benchmark::kMillisecond);

void BM_BaseshapeWireframes(benchmark::State& state)
{
    GlTestContext gl;
    if (!gl.ok()) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    const int scene = static_cast<int>(state.range(0) % 3);
    const bool layer = state.range(0) < 3;
    MakeHeavyBaseshapes(scene == 1);
    const bool editEveryFrame = scene == 2;
    glViewport(0, 0, 832, 832);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.0, 2.0, -2.0, 2.0, -9.0, 9.0);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    for (auto _ : state) {
        if (editEveryFrame)
            for (BaseshapePoint& point : gBaseshapeEditPoints)
                point.size = std::nextafter(point.size, HUGE_VALF);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        if (layer) BeginWireframeLayer();
        for (int i = 0; i < kMaxBaseshapes; ++i) {
            glLoadIdentity();
            glTranslatef(static_cast<float>(i % 8) * 0.5f - 1.75f, static_cast<float>(i / 8) * 0.45f - 1.8f, 0.0f);
            glRotatef(static_cast<float>(7 * i), 1.0f, 0.3f, 0.0f);
            glColor3f(0.0f, 0.5f, 0.0f);
            DrawBaseshapePreview(i);
        }
        if (layer) EndWireframeLayer();
        glFinish();
    }
    glDisable(GL_DEPTH_TEST);
    gl.ResetVirtualScreen();
}
BENCHMARK(BM_BaseshapeWireframes)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

}  // namespace
