// The interface of every frame, drawn before the preview screen.
#pragma once

void DrawInterface();
