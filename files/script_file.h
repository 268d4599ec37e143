// The fractal script (".prg"): a text of "tform" blocks, whose operation
// lines become gScriptProgram (the program fractal type 22 runs), and
// "tbase" blocks, whose lines go straight into the baseshape records. A
// line holding ";" is a comment; keywords are found anywhere in a line, and
// one line may carry several. Numbers are read and written in the C locale,
// whatever the user's locale, so a file reads the same everywhere.
//
// A line that would not fit the program (past 65 tforms, 256 operations, a
// first operand at 256, 64 baseshapes) or names a baseshape kind that does
// not exist is refused on its own; the rest of the script still reads.
// The actions with their dialogs are the shell's (app/script_file_actions.cpp).
#pragma once

#include <string>
#include <string_view>

#include "engine/baseshape_record.h"

// What a new baseshape of a "tbase" block takes, and where the baseshape
// editor's kind picker lies (its highlight marks the kind a "base_type"
// line sets).
struct ScriptBaseshapeSetup {
    BaseshapeDefaults defaults{};
    float pickerLeft = 0.0f;
    float pickerBottom = 0.0f;
};

struct ScriptReadReport {
    int tbaseBlocks = 0;       // "tbase" lines taken (at most 64)
    int refusedLines = 0;
    int firstRefusedLine = 0;  // counted from 1
    std::string firstReason;   // why that line was refused
};

// Reads the whole text: replaces gScriptProgram, gives every tform its
// weight (normalised to sum 1; equal weights when they sum to 0 or less),
// and, when the text has tbase blocks, makes them baseshapes 0.. with
// gBaseshapeCount, gUseBaseshapes, gCurrentBaseshape and the probabilities
// to match. The render must be stopped.
ScriptReadReport ReadScriptText(std::string_view text, const ScriptBaseshapeSetup& setup);

// The status line for refused lines ("" when none was refused).
std::string ScriptRefusalText(const ScriptReadReport& report);

// Whether the fractal type has a script template (0, 2, 3, 7, 8, 9, 10,
// 11, 12, 21 and 23).
bool ScriptTemplateExists(int fractalType);

// The current transformations as a script of the current fractal type's
// template, its first line ";Talvoran Script 1.0"; "" without a template.
std::string WriteScriptText();
