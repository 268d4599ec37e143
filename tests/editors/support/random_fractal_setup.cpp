#include "editors/support/random_fractal_setup.h"

#include <cmath>

#include "baseshapes/generator_table.h"
#include "editors/random_fractal.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "engine/random_helpers.h"
#include "engine/script_program.h"
#include "engine/transform_record.h"
#include "engine/transform_set.h"
#include "render/render_buffers.h"
#include "render/symmetry_modes.h"

void SetUpRandomFractalModel(uint32_t seed)
{
    static bool tables = false;
    if (!tables) {
        BuildBaseshapeGeneratorTables();
        tables = true;
    }
    InitGlobalState();
    SeedGlobalRandomA(seed + 1u);
    SeedGlobalRandomB(seed);
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        SeedSlotRandom(seed + 100u + static_cast<uint32_t>(s), static_cast<uint8_t>(s));
        gSlotHash[s] = 0x9E3779B9u * static_cast<uint32_t>(s + 1);
    }
    gImageWidth = gImageHeight = 64;
    gUseBaseshapes = 0;
    gBaseshapeCount = 0;
    gSymmetryOn = 0;
    gSymmetryMode = 100;
    gFractalGeneratorRow = 0;
    gTransformEdit = TransformEditState{};
    gTransformCount = gPickTransformCount = 3;
    for (int k = 0; k < 3; ++k) {
        ResetTransformation(gTransformEdit.baseRotation, k);
        const float a = 2.0943952f * static_cast<float>(k);
        gTransforms[k].position[0] = std::sin(a);
        gTransforms[k].position[1] = std::cos(a);
        gTransforms[k].weight = 1.0f / 3.0f;
        ComposeTransformation(k);
    }
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    BuildTransformPickTable();
    SetColoringMode(0);
    InstallTransformationPresets();
}

void LoadTetrahedronScript()
{
    ScriptProgram& p = gScriptProgram;
    p = ScriptProgram{};
    const float corners[4][3] = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    for (int t = 0; t < 4; ++t) {
        p.tformFirstOperation[t] = static_cast<uint8_t>(2 * t);
        p.tformOperationCount[t] = 2;
        p.tformWeight[t] = 0.25f;
        p.operationCode[2 * t] = kScriptScale;
        p.operationFirstParameter[2 * t] = static_cast<uint8_t>(6 * t);
        p.operationCode[2 * t + 1] = kScriptTranslate;
        p.operationFirstParameter[2 * t + 1] = static_cast<uint8_t>(6 * t + 3);
        for (int k = 0; k < 3; ++k) {
            p.parameters[6 * t + k] = 0.5f;
            p.parameters[6 * t + 3 + k] = 0.5f * corners[t][k];
        }
    }
    p.tformCount = 4;
    p.operationCount = 8;
    p.parameterCount = 24;
}
