// The one keyboard text field: an exact number typed into a parameter. It
// opens over a parameter with its value, takes keys and Windows-1252
// characters, draws itself over everything with a blinking caret, and Enter
// stores the number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct TextInputState {
    std::string text;          // bytes as typed
    int caret = 0;             // 0 .. text length
    uint8_t active = 0;
    uint8_t cancel = 0;        // Esc: the character message that follows is swallowed
    float* target = nullptr;   // what Enter writes
    int transform = -1;        // transformation recomposed after the store, -1 none
    int x = 0, y = 0;          // lower left corner, virtual units
    int blinkCounter = 0;
    uint8_t caretVisible = 1;
};

extern TextInputState gTextInput;

inline constexpr int kTextInputWidth = 150;
inline constexpr int kTextInputHeight = 16;
inline constexpr int kTextInputBlinkFrames = 25;

// Opens the field at (x, y) on `target`, its value printed with "%3.5f";
// `transform` >= 0 names the transformation that holds the target.
void OpenTextInput(float* target, int x, int y, int transform = -1);
bool TextInputActive();
// Closes without storing (a left press, a new random fractal).
void EndTextInput();
// Closes the field when its target lies in [begin, begin + bytes): called
// before the memory is rebuilt or freed, so Enter never writes through it.
void ForgetTextInputTarget(const void* begin, size_t bytes);

// Keys (our key codes) and characters; true when the field took them.
bool TextInputKeyDown(int key);
bool TextInputCharacter(uint8_t character);

void DrawTextInputLine();
