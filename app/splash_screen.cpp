#include "app/splash_screen.h"

#include "app/screen_lists.h"
#include "app/startup_sequence.h"
#include "platform/desktop/gl_api.h"
#include "ui/gl_shapes.h"

void DrawSplashScreen()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gOpengl.aboutTexture);
    TexturedQuad(544, 244, 1056, 756, 20);
    glDisable(GL_TEXTURE_2D);

    glColor3f(0.3f, 0.3f, 0.3f);
    glBegin(GL_LINES);
    glVertex3f(0, 1000, 30);
    glVertex3f(1600, 1000, 30);
    glEnd();

    static const float kRed[3] = {1, 0, 0}, kDarkRed[3] = {0.5f, 0, 0};
    AlternatingLoop(544, 244, 1056, 756, 30, kRed, kDarkRed);

    if (++gSplashFrameCount > kSplashOnlyFrames) RunStartupStep(gStartupStep);
}
