// Refresh of the pick weights after an edit.
#pragma once

// Copies the record weights into gTransformWeights, gives every baseshape in
// use the probability 1 / count, resets the symmetry copy weights when
// symmetry is on and rebuilds the pick table and transition rows. Window
// thread, render stopped or paused.
void UpdateTransformProbabilities();
