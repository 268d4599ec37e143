// The texture loaders' dialogs, folder list and status line, and the
// material panel's hooks into the shell.
#pragma once

// Hands the shader's texture loaders their file services and its panel the
// procedural texture thread and the point preview's dirty flag.
void InstallTextureFileServices();
