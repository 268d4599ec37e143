// Drawing texture presets from gGlobalRandomA and the cell sites of the
// cell warp. Every draw follows a fixed order, so a seed gives the same
// presets on every run.
#pragma once

#include "materials/texture_presets.h"

// Retries of the white test and of the thumbnail brightness test are capped;
// the last try is kept.
inline constexpr int kMaxPresetRetries = 1000;

// Draws every field of the preset, rejecting presets that are pure white in
// 19 or more of the 20 pattern directions.
void RandomizePreset(TexturePreset& preset);
// True when the preset gives exactly (1, 1, 1) in 19 or more of the pattern
// directions.
bool PresetIsWhite(const TexturePreset& preset);
// count (clamped to 10..300) sites, uniform on the sphere or evenly spread by
// the preset's flag. A site array that cannot be had turns the warp off.
void BuildPresetCellSites(TexturePreset& preset, int count);
// Repulsion on the unit sphere; the step carries over between calls.
void SpreadSitesEvenly(TexturePreset& preset, int count);
// The step of the even spread as it stands; setting it is for tests.
double CellSpreadStep();
void SetCellSpreadStep(double step);
// Sum over pairs of 1 / distance.
double SiteEnergy(const TexturePreset& preset);
