// The fractal script (".prg"): a text of "tform" blocks, whose operation
// lines become gScriptProgram (the program fractal type 22 runs), and
// "tbase" blocks, whose lines go straight into the baseshape records. A
// line holding ";" is a comment; keywords are found anywhere in a line, and
// one line may carry several. A line is read whole, however long, and ends
// at "\n", "\r\n" or a lone "\r". Numbers are read and written in the C
// locale, whatever the user's locale, so a file reads the same everywhere.
//
// A line that would not fit the program (past 65 tforms, 256 operations, a
// first operand at 256, 64 baseshapes), names a baseshape kind that does
// not exist, holds a number that is not finite (nan, inf, 1e39), a negative
// probability, or divides by zero ("rotate_rnd 0") is refused on its own;
// the rest of the script still reads. A text without a "tform" and without
// a "tbase" line is no script: it is refused whole and changes nothing.
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
    bool notAScript = false;      // no "tform" and no "tbase" line: nothing was read
    int tbaseBlocks = 0;          // "tbase" lines taken (at most 64)
    int refusedLines = 0;
    int firstRefusedLine = 0;     // counted from 1
    const char* firstReason = "";  // why that line was refused
};

// A script's text split into its lines, each ended by a zero byte in a copy
// (the read's one allocation, had before anything changes), so that a
// line's numbers are read without running into the next line. "\n", "\r\n"
// and a lone "\r" each end a line; a line holding a zero byte ends there,
// as the C library reads it.
class ScriptLines {
public:
    explicit ScriptLines(std::string_view text);

    // Calls each(line, number) for every line that is not a comment (a ";"
    // anywhere makes the whole line one), numbered from 1.
    template <typename Each>
    void ForEachLine(Each&& each) const
    {
        int number = 0;
        size_t at = 0;
        while (at < text_.size()) {
            size_t end = text_.find_first_of("\r\n", at);
            if (end == std::string_view::npos) end = text_.size();
            ++number;
            const char* line = copy_.c_str() + at;
            if (std::string_view(line).find(';') == std::string_view::npos) each(line, number);
            at = end + 1;
            if (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n') ++at;
        }
    }

    // Whether a "tform" or a "tbase" line is there: without one, it is no script.
    bool HasBlocks() const;

private:
    std::string_view text_;
    std::string copy_;
};

// Reads the whole text: replaces gScriptProgram, gives every tform its
// weight (normalised to sum 1; equal weights when they sum to 0), and, when
// the text has tbase blocks, makes them baseshapes 0.. with gBaseshapeCount,
// gUseBaseshapes, gCurrentBaseshape and the probabilities to match. The
// render must be stopped. Every operand and weight it leaves is finite.
ScriptReadReport ReadScriptText(const ScriptLines& text, const ScriptBaseshapeSetup& setup);
ScriptReadReport ReadScriptText(std::string_view text, const ScriptBaseshapeSetup& setup);

// The status line for refused lines ("" when none was refused).
std::string ScriptRefusalText(const ScriptReadReport& report);

// Whether the fractal type has a script template (0, 2, 3, 7, 8, 9, 10,
// 11, 12, 21 and 23).
bool ScriptTemplateExists(int fractalType);

// The current transformations as a script of the current fractal type's
// template, its first line ";Talvoran Script 1.0"; "" without a template.
std::string WriteScriptText();
