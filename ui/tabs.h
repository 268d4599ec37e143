// Tab strips: a row of equal tabs 24 units high along the top of a panel,
// every tab skinned with tab B and the selected one overdrawn with tab A.
// Tab serves the main window and options panel; MaxTab (at most eight tabs,
// no depth, no backdrop) the baseshape editor.
#pragma once

#include <cstdint>

// What both strips share: the tab geometry and the click rule.
class TabStrip {
public:
    TabStrip() = default;
    virtual ~TabStrip() = default;

    // The first tab whose span holds px, so a boundary picks the left tab;
    // a press below the strip changes nothing.
    bool Click(const int& px, const int& py);
    // Left edge of tab i; tab count ends exactly at the right edge.
    float TabLeft(int i) const;

    float left = 0, bottom = 0, right = 0, top = 0;
    uint8_t hit = 0;
    float tabWidth = 0;
    int count = 0;
    unsigned selectedList = 0, frameList = 0;
    uint8_t visible = 0;
    int selected = 0;
    int stripBottom = 0;

protected:
    void Place(int x, int y, int width, int height, int tabCount);
    void RecordSelected(float z);
    void RecordTab(int i, float z, const char* caption);
};

class Tab : public TabStrip {
public:
    void Build(const int& x, const int& y, const int& z, const int& width, const int& height, const int& tabCount,
               const char* const* captions);
    void Draw() const;

    float depth = 0;
};

inline constexpr int kMaxTabCount = 8;

class MaxTab : public TabStrip {
public:
    // More than eight tabs are cut to eight.
    void Build(const int& x, const int& y, const int& width, const int& height, const int& tabCount,
               const char* const* captions);
    void Draw() const;

    unsigned tabLists[kMaxTabCount] = {};
};
