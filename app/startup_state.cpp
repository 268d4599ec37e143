#include "app/startup_state.h"

int gSplashFrameCount = 0;
