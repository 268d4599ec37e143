// The main options panel's services to the shell (the class is
// shading/interface_settings.h, gInterface).
#pragma once

#include "shading/interface_settings.h"

// Start-up callback of the transformation editor: "RND" and "CLR" by type.
void UpdateTypeButtonsCallback();
