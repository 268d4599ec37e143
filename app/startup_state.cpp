#include "app/startup_state.h"

int gStartupStep = 0;
int gSplashFrameCount = 0;
