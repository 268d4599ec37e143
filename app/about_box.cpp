#include "app/about_box.h"

#include <cstdio>
#include <filesystem>

#include "app/screen_lists.h"
#include "platform/desktop/gl_api.h"
#include "platform/shell_open.h"
#include "platform/asset_paths.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/skins.h"

namespace {

// Feature lines, top to bottom.
const char* const kFeatureLines[] = {
    "- 50 3D Fractal Types (Includes Fractal Scripting)",
    // A corrected typo, kept on purpose: "to build your own".
    "- New Fractal Interface to build your own fractals",
    // A corrected typo, kept on purpose: the blank and the three dots.
    "- Large amount of support files (examples, textures...)",
    "- Procedural Generators for Textures, Backgrounds,",
    "  Surface Textures, Displacement Maps and Light Gels.",
    "- Maximum Working Resolution: 3072x3072",
    "- Baseshape editors",
    "- Transformation editors",
    "- Animations",
    // A corrected typo, kept on purpose: "Voxels", and blanks before the brackets.
    "- STL Mesh Import (Baseshapes) and Export (Voxels)",
};

// Acknowledgement lines; the first and third show their leading word a second
// time at the same place, which the additive text blending makes brighter.
struct Acknowledgement {
    const char* line;
    const char* lead;  // null: drawn once
};
const Acknowledgement kAcknowledgements[4] = {
    {"Thanks to everyone who tried the early builds", "Thanks"},
    {"and sent pictures, ideas and bug reports.", nullptr},
    {"Made with SDL2, OpenGL, FreeType, libpng,", "Made"},
    {"libjpeg-turbo and the DejaVu fonts.", nullptr},
};

// The about picture sits centred above the texts.
constexpr float kPictureLeft = 218, kPictureBottom = 612, kPictureSize = 256;

bool OpenWithDesktopProgram(const std::string& path) { return OpenWithDesktop(path.c_str()); }

bool OpenHelpPage()
{
    const std::string path = HelpPagePath();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        std::fprintf(stderr, "help page missing: %s\n", path.c_str());
        return false;
    }
    return gOpenDocument != nullptr && gOpenDocument(path);
}

}  // namespace

OpenDocumentFn gOpenDocument = OpenWithDesktopProgram;

std::string HelpPagePath() { return InstallFolder() + "/help/index.html"; }

bool OpenWithShell() { return OpenHelpPage(); }
bool OpenWithShell2() { return OpenHelpPage(); }

void FillAboutTexts(Opengl& lists)
{
    std::snprintf(lists.aboutText[0], kAboutTextSize, "%s", "Version 1.0 x64");
    std::snprintf(lists.aboutText[1], kAboutTextSize, "%s", "3D Fractal Renderer");
    std::snprintf(lists.aboutText[2], kAboutTextSize, "%s", "Chaos game on up to 24 cores");
    std::snprintf(lists.aboutText[3], kAboutTextSize, "%s", "Help and news: the local help page");
}

void RecordAboutBox(const Opengl& lists)
{
    // The frame lies at depth 0, the far plane of the virtual screen: it shows
    // only with the depth test off.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    DrawBevelFrame(36, 664, 912, 0.0625f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lists.aboutTexture);
    TexturedQuad(kPictureLeft, kPictureBottom, kPictureLeft + kPictureSize, kPictureBottom + kPictureSize, 30);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);

    DrawText(274, 590, lists.aboutText[0], 0);
    DrawText(290, 574, lists.aboutText[1], 1);
    DrawText(265, 558, lists.aboutText[2], 1);
    DrawText(120, 46, lists.aboutText[3], 1);

    int y = 520;
    for (const char* line : kFeatureLines) {
        DrawText(64, y, line, 1);
        y -= 16;
    }
    y -= 24;
    for (const Acknowledgement& a : kAcknowledgements) {
        DrawText(64, y, a.line, 1);
        if (a.lead != nullptr) DrawText(64, y, a.lead, 1);
        y -= 16;
    }
}
