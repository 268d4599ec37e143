// Probability tuning: while a render runs, the coordinator holds the
// workers and searches random sets of transformation weights, baseshape
// probabilities, the run-length flag and (symmetry modes 8 and up) the
// symmetry copy weights for the set whose fresh points land most often in
// front of the image already in the depth buffer. The baseline wins ties.
#pragma once

#include <cstdint>

#include "engine/random.h"

inline constexpr int kTunerTrials = 20;
inline constexpr int32_t kTunerScoringBatches = 40480;

// The coordinator's call. Runs only while gRenderRunFlag is 1: it gives up
// (restoring the settings it found) as soon as the flag drops.
void TuneTransformProbabilities();

// The same with a chosen number of scoring batches per trial; returns the
// winning trial (0 = the baseline kept, -1 = stopped or fog on). The trials
// are scored side by side on the held workers' threads and on helper
// threads over the free slots, up to the number of cores (on this thread,
// slot 0, when no worker runs); each starts from slot 0's state with
// generators seeded for the trial, so scores and winner are the same for
// any number of workers and helpers. What a slot holds afterwards depends
// on which thread scored which trial. scores, when given, receives the
// kTunerTrials scores.
int32_t RunProbabilityTuning(int32_t scoringBatches, int64_t* scores = nullptr);

// Draws count uniforms from the generator into weights and divides them by
// their sum; a set whose sum is 0 is drawn again.
void DrawNormalisedWeights(RandomState& random, float* weights, int32_t count);
