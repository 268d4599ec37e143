#include "engine/script_program.h"

ScriptProgram gScriptProgram{};
