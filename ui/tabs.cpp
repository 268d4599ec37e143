#include "ui/tabs.h"

#include <cstdio>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/skins.h"

namespace {

constexpr float kTabHeight = 24;

// The skin's outer eighths are its rims; a tab shows the middle.
void SkinQuad(float x0, float y0, float x1, float y1, float z)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0.125f, 0), glVertex3f(x0, y0, z);
    glTexCoord2f(0.875f, 0), glVertex3f(x1, y0, z);
    glTexCoord2f(0.875f, 1), glVertex3f(x1, y1, z);
    glTexCoord2f(0.125f, 1), glVertex3f(x0, y1, z);
    glEnd();
}

}  // namespace

void TabStrip::Place(int x, int y, int width, int height, int tabCount)
{
    count = tabCount > 0 ? tabCount : 0;
    tabWidth = count > 0 ? static_cast<float>(width) / static_cast<float>(count) : 0.0f;
    left = static_cast<float>(x);
    bottom = static_cast<float>(y);
    right = static_cast<float>(x + width);
    top = static_cast<float>(y + height);
    stripBottom = static_cast<int>(top - kTabHeight);
    hit = 0;
    selected = 0;
}

float TabStrip::TabLeft(int i) const { return i >= count ? right : left + static_cast<float>(i) * tabWidth; }

void TabStrip::RecordSelected(float z)
{
    selectedList = glGenLists(1);
    glNewList(selectedList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gSkinTextures[kSkinTabA]);
    SkinQuad(0, 0, tabWidth, kTabHeight, z);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glEndList();
}

void TabStrip::RecordTab(int i, float z, const char* caption)
{
    const float x0 = TabLeft(i), x1 = TabLeft(i + 1);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gSkinTextures[kSkinTabB]);
    SkinQuad(x0, top - kTabHeight, x1, top, z);
    glDisable(GL_TEXTURE_2D);
    DrawText(static_cast<int>(x0), stripBottom + 6, caption != nullptr ? caption : "", 1);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.25f, 0.25f, 0.25f);
    glBegin(GL_LINE_LOOP);
    glVertex3f(x0, top - kTabHeight, z);
    glVertex3f(x1, top - kTabHeight, z);
    glVertex3f(x1, top, z);
    glVertex3f(x0, top, z);
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

bool TabStrip::Click(const int& px, const int& py)
{
    hit = 0;
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    if (visible == 0 || py < stripBottom || y > top) return false;
    for (int i = 0; i < count; ++i)
        if (TabLeft(i) <= x && x <= TabLeft(i + 1)) {
            selected = i;
            hit = 1;
            break;
        }
    return hit != 0;
}

void Tab::Build(const int& x, const int& y, const int& z, const int& width, const int& height, const int& tabCount,
                const char* const* captions)
{
    Place(x, y, width, height, tabCount);
    depth = static_cast<float>(z);

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    glBegin(GL_QUADS);
    glVertex3f(left - 2, bottom - 2, 0);
    glVertex3f(right + 2, bottom - 2, 0);
    glVertex3f(right + 2, top + 2, 0);
    glVertex3f(left - 2, top + 2, 0);
    glEnd();
    glEnable(GL_BLEND);
    glBegin(GL_LINE_LOOP);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(left, bottom, depth);
    glColor3f(0.5f, 0.5f, 0.5f), glVertex3f(right, bottom, depth);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(right, top, depth);
    glColor3f(0.5f, 0.5f, 0.5f), glVertex3f(left, top, depth);
    glEnd();
    for (int i = 0; i < count; ++i) RecordTab(i, depth, captions != nullptr ? captions[i] : nullptr);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glEndList();

    RecordSelected(depth);
}

void Tab::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    glPushMatrix();
    glTranslatef(TabLeft(selected), static_cast<float>(stripBottom), 0);
    glCallList(selectedList);
    glPopMatrix();
}

void MaxTab::Build(const int& x, const int& y, const int& width, const int& height, const int& tabCount,
                   const char* const* captions)
{
    int n = tabCount;
    if (n > kMaxTabCount) {
        std::fprintf(stderr, "tab strip: %d tabs asked, %d kept\n", n, kMaxTabCount);
        n = kMaxTabCount;
    }
    // The tabs keep the width of the strip as asked, so eight of them fill it.
    Place(x, y, width, height, n);

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glBegin(GL_LINE_LOOP);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex2f(left, top - kTabHeight);
    glColor3f(0.5f, 0.5f, 0.5f), glVertex2f(right, top - kTabHeight);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex2f(right, top);
    glColor3f(0.5f, 0.5f, 0.5f), glVertex2f(left, top);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glEndList();

    RecordSelected(0);

    for (int i = 0; i < count; ++i) {
        tabLists[i] = glGenLists(1);
        glNewList(tabLists[i], GL_COMPILE);
        glPushMatrix();
        RecordTab(i, 0, captions != nullptr ? captions[i] : nullptr);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glPopMatrix();
        glEndList();
    }
}

void MaxTab::Draw() const
{
    if (visible == 0) return;
    for (int i = 0; i < count; ++i) glCallList(tabLists[i]);
    glCallList(frameList);
    glPushMatrix();
    glTranslatef(TabLeft(selected), static_cast<float>(stripBottom), 0);
    glCallList(selectedList);
    glPopMatrix();
}
