// The skin textures of the widgets and the flat bevelled panel of the start
// and about screens.
#pragma once

// Entries of gSkinTextures.
enum SkinTexture {
    kSkinTabA = 0,
    kSkinTabB = 1,
    kSkinPanel = 2,
    kSkinButtonFace = 3,
    kSkinTrackball0 = 4,  // 4..9: dark red, dark blue, dark green, bright red, bright blue, bright green
    kSkinButtonPressed = 10,
    kSkinTextureCount = 11,
};

extern unsigned gSkinTextures[kSkinTextureCount];

// Uploads the eleven skins once, after the font and before any widget is
// built. Returns false when a picture was missing (its texture is black).
bool LoadInterfaceTextures();

// A panel from x = 32 to right and bottom to top in grey, outlined with edges
// shading from 0.125 to 0.5 grey. Usable inside display lists.
void DrawBevelFrame(int bottom, int right, int top, float grey);
