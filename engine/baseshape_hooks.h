// What the shell and the baseshape editor do when the baseshapes change
// under them (a file opened, a picture or mesh loaded, an animation step).
// The model calls these without knowing the widgets; each is installed at
// start-up by its owner and may be null (tests leave them so).
#pragma once

struct BaseshapeHooks {
    void (*restartPreview)() = nullptr;     // the point preview starts afresh
    void (*showInEditor)(int i) = nullptr;  // the editor's widgets, index field and trackball show baseshape i
    void (*texturePreview)(int i) = nullptr;  // the editor's texture preview shows texture i
    void (*dmapPreview)(int i) = nullptr;     // the editor's DMap preview shows DMap i
};
extern BaseshapeHooks gBaseshapeHooks;

inline void CallBaseshapeHook(void (*hook)()) { if (hook) hook(); }
inline void CallBaseshapeHook(void (*hook)(int), int i) { if (hook) hook(i); }
