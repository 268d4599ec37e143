// Fractal type 22, "Talvoran Script": the chaos game over the tforms of
// gScriptProgram, each point run through its tform's operations.
#pragma once

#include <cstdint>

// Consecutive redraws (baseshape and Boolean cuts) one batch point may take
// before it is stored as it stands, so a program whose every tform rejects
// the point still fills the batch.
inline constexpr int kScriptRedrawLimit = 64;
// Iterations of the mandel operation beyond which it stops whatever its
// count operand says.
inline constexpr int kScriptMandelIterationLimit = 4096;

void RunFractalType22(uint8_t slot);
