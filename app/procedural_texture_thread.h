// Procedural textures made full size on a thread of their own, so the window
// stays live: material textures, the background, baseshape textures and
// displacement maps, light gels.
//
// The window thread starts a generation (the busy byte is set there, so two
// quick starts cannot both run); the thread renders a copy of its preset into
// a buffer of its own and installs it whole when done, then asks the window
// thread to reshade the preview and refresh the target's thumbnail.
#pragma once

#include <atomic>
#include <cstdint>

// Target kinds: 0, 1 texture A, B of the current material; 2 the background;
// 3 the surface texture and 4 the displacement map of the baseshape editor's
// current baseshape; 5 the gel of the edited light.
inline constexpr int kProceduralTargetKinds = 6;

extern std::atomic<uint8_t> gProceduralTextureBusy;
// Size and mapping mode of each kind, and the preset its panel has selected.
struct ProceduralTarget {
    int size;
    int mode;
    int panel;
};
extern const ProceduralTarget kProceduralTargets[kProceduralTargetKinds];
int SelectedPresetOfKind(int kind);

// Starts a generation of the kind; false (with the refusal on the status
// line) while one runs, or for a kind outside 0..5.
bool StartProceduralTexture(int kind);
// The baseshape editor's callback: the kind it asks for.
void StartProceduralTextureThread();
// The baseshape editor's "Select": its preview shows the chosen preset at
// once, then the full-size image of kind 3 or 4 is made; false while one runs.
bool StartBaseshapeTextureJob(int kind);
// Waits until no generation runs (tests).
void WaitForProceduralTexture();
// Stops a generation at its next row, its image dropped, and waits for it (quit).
void CancelProceduralTexture();
// Called by the frame on the window thread: after a finished generation,
// uploads the target's thumbnail and reshades the preview once. True when it
// did.
bool RunRequestedReshade();
