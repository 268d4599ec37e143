// The baseshape animation: every baseshape may spin about an axis and move
// back and forth along a direction, one step per animation frame. The spin
// accumulates in the record's matrix (what the samplers' points are turned
// by) and in the preview part of glMatrix; the movement is recomputed from
// position each step into glMatrix elements 12 to 14, which is where the
// seed pick places the points. position itself never changes.
#pragma once

#include <cstdint>

// The frame the movement waves are taken at; callers set it before a step
// where they need a given frame.
extern int32_t gBaseshapeAnimationFrame;
// Counts the frames of the preview screens.
extern int32_t gBaseshapeAnimationTick;

// The wave of the given type (0 saw tooth, 1 square, 2 triangle, 3 sine;
// others as sine) at frame n, period q frames, phase in degrees; -1 to 1.
float BaseshapeWave(int waveType, float period, float phaseDegrees, int32_t n);

// One step of every baseshape in use: the spin (from frame 1 on) turns
// matrix once more, the movement places glMatrix 12..14 at the frame's wave;
// then the frame counter goes up. Nothing, not even the counter, without
// baseshapes.
void AnimateBaseshapes();

// Whether a baseshape in use spins or moves: the 3-D preview then turns
// and moves it by itself.
bool BaseshapesSpinOrMove();

// One preview frame. Mode 0: every fifth tick runs AnimateBaseshapes and
// gives true. Other modes (the 3-D preview): every hundredth tick, when any
// baseshape spins or moves, advances the frame, turns and moves the preview
// matrices only, and asks for a fresh point preview; false always.
bool TickBaseshapeAnimation(int mode);
