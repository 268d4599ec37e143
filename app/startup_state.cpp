#include "app/startup_state.h"

// The frame owns gStartupStep as its clock once start-up is over; until the
// frame's definition is linked in, this one stands (a weak definition gives
// way to it).
__attribute__((weak)) int gStartupStep = 0;
int gSplashFrameCount = 0;
