// The texture loaders' dialogs, folder list and status line.
#pragma once

// Hands the texture loaders of the shader their file services.
void InstallTextureFileServices();
