// The window's 500 ms timer: it keeps the transformation editor's
// Mandelbrot picker under the pointer and re-plots an invalidated point
// preview once the edits have settled, so a burst of edits costs one re-plot.
#pragma once

extern int gPreviewTicks;  // ticks counted while a re-plot is pending

// The tick on which the re-plot runs: after the first without the
// off-screen target, after the fourth with it.
inline constexpr int kPreviewSettleTicks[2] = {1, 4};

void OnTimer();
