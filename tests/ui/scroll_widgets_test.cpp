// Drop box, check list, "Filter:" window, option cells, thumb wheel and the
// picture pickers: scrolling bounds, hit rules and the clamps they need.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/random.h"
#include "support/gl_interface.h"
#include "ui/support/widget_gallery.h"
#include "ui/thumbnail_atlas.h"

namespace {

class ScrollWidgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        gControlSensitivity = 1.0f;
        SeedRandomState(gGlobalRandomB, 45);
    }
    // A drop box at (0, 0), 200 wide: rows 0..(rows - 1) of 24 units, the
    // arrows on its right edge.
    NewDropBox Drop(int items, int rows)
    {
        NewDropBox box;
        box.Build(0, 0, 30, 200, 24, items, rows, "List", nullptr);
        box.visible = 1;
        return box;
    }
    GlInterfaceTest gl_;
};

TEST_F(ScrollWidgets, DropBoxScrollsWithinTheListAndChoosesTheUpperRowOnALine)
{
    NewDropBox box = Drop(50, 7);
    const struct {
        float delta;
        int first;
    } wheel[] = {{100, 43}, {-100, 0}, {2.9f, 2}, {-0.5f, 1}, {1e30f, 43}};
    for (const auto& w : wheel) {
        EXPECT_TRUE(box.Wheel(100, 50, w.delta));
        EXPECT_EQ(box.first, w.first) << w.delta;
    }
    box.first = 0;
    EXPECT_FALSE(box.Click(200, 7 * 24 - 12));  // the up arrow at the top stays at 0
    EXPECT_EQ(box.first, 0);
    EXPECT_EQ(box.upPressed, 1);
    EXPECT_TRUE(box.Click(50, 48));  // the line between rows 1 and 2
    EXPECT_EQ(box.GetSelected(), 4);
    EXPECT_EQ(box.upPressed, 0);

    ASSERT_TRUE(box.PressScrollBar(200, 100));
    for (const int y : {40, 39, 39, 120, -500}) box.Drag(0, y);  // down, down, still, up, down
    EXPECT_EQ(box.first, 2);

    box.first = 30;
    box.SetSelected(2);
    EXPECT_EQ(box.first, 30);
    box.SetSelected(48);
    EXPECT_EQ(box.first, 42);
    box.SetSelected(99);  // a loaded file's item beyond the list
    EXPECT_EQ(box.GetSelected(), 49);
    EXPECT_EQ(box.first, 43);
    box.SetSelected(-5);
    EXPECT_EQ(box.GetSelected(), 0);

    NewDropBox shortList = Drop(3, 7);
    EXPECT_TRUE(shortList.Wheel(100, 50, 5));
    EXPECT_EQ(shortList.first, 0);
    shortList.SetSelected(2);
    EXPECT_EQ(shortList.first, 0);
    EXPECT_FALSE(shortList.Click(50, 12));  // an empty row chooses nothing
    EXPECT_TRUE(shortList.Click(50, 24 * 6 + 12));
    EXPECT_EQ(shortList.GetSelected(), 0);
}

TEST_F(ScrollWidgets, CheckListMarksOneRowAndKeepsInsideItsRows)
{
    std::vector<std::string> names(17);
    std::vector<const char*> captions;
    for (int i = 0; i < 17; ++i) captions.push_back((names[i] = "Type " + std::to_string(i)).c_str());
    BoolBox list;
    list.Build(0, 0, 30, 200, 24, 7, 17, "Material Type", captions.data());
    list.visible = 1;
    const struct {
        int requested, selected, first;
    } cases[] = {{3, 3, 3}, {16, 16, 10}, {99, 16, 10}, {-3, 0, 0}, {12, 12, 6}};
    for (const auto& c : cases) {
        list.SetSelected(c.requested);
        EXPECT_EQ(list.selectedRow, c.selected) << c.requested;
        EXPECT_EQ(list.firstRow, c.first) << c.requested;
        int marked = 0;
        for (uint8_t m : list.marks) marked += m;
        EXPECT_EQ(marked, 1) << c.requested;
        EXPECT_EQ(list.marks[static_cast<size_t>(c.selected)], 1) << c.requested;
    }
    list.firstRow = 0;
    EXPECT_TRUE(list.Click(50, 48));  // the line between visible rows 1 and 2
    EXPECT_EQ(list.selectedRow, 4);

    BoolBox few;
    few.Build(0, 0, 30, 200, 24, 7, 3, "Few", captions.data());
    few.visible = 1;
    EXPECT_TRUE(few.Click(50, 12));  // below the last row: the last row
    EXPECT_EQ(few.selectedRow, 2);
    EXPECT_TRUE(few.Wheel(50, 50, 4));
    ASSERT_TRUE(few.PressScrollBar(200, 60));
    few.Drag(0, 10);
    EXPECT_EQ(few.firstRow, 0);
}

TEST_F(ScrollWidgets, FilterWindowOptionCellsAndThumbWheel)
{
    const char* const captions[] = {"Filter:", "Scale", "Shear", "Flat"};
    const float rows[] = {-1, 2, 1, 1, 1, 1, -1, 2, 1, 1, 1, 1, 3, 3, 3, 0, 0, 0};
    SliderWindow filter;
    filter.Build(0, 0, 30, 144, 24, 3, captions, rows, 3, 0);
    filter.visible = 1;
    filter.value[0] = 0;
    ASSERT_TRUE(filter.Click(50, 60));
    EXPECT_TRUE(filter.Drag(50 + 48));
    EXPECT_FLOAT_EQ(filter.value[0], 1);
    EXPECT_FALSE(filter.Drag(50 + 96));  // exactly onto the clamped maximum
    EXPECT_TRUE(filter.Drag(50 + 200));
    EXPECT_FLOAT_EQ(filter.value[0], 2);
    filter.value[1] = -1;
    EXPECT_STREQ(filter.FormatValue(1), "-");
    EXPECT_STREQ(filter.FormatValue(0), "2");
    EXPECT_EQ(filter.wheelAngle[2], 0.0f);

    const char* const labels[] = {"R", "L", "D", "U", "B", "F"};
    HListBox view;
    view.Build(0, 0, 30, 132, 22, 6, "Fixed View", labels, true);
    view.visible = 1;
    EXPECT_TRUE(view.Click(66, 30));  // the line between cells 2 and 3
    EXPECT_EQ(view.selected, 3);
    EXPECT_FALSE(view.Click(10, 10));  // the label row
    EXPECT_EQ(view.previous, 3);
    EXPECT_EQ(view.selected, 3);
    EXPECT_FALSE(view.Click(133, 30));

    YSlider zoom;
    zoom.Build(1018, 82, 30, 200, 20, 0, 0.0f, "Zoom");
    zoom.visible = 1;
    zoom.Click(1018, 90);  // on the edge: no drag
    gPointerX = 1100;
    EXPECT_FALSE(zoom.Drag());
    zoom.Click(1019, 90);
    gPointerX = 1219;
    EXPECT_TRUE(zoom.Drag());
    EXPECT_FLOAT_EQ(zoom.Value(), 2.0f);
    EXPECT_TRUE(zoom.Wheel(1100, 90, -2));
    EXPECT_FLOAT_EQ(zoom.Value(), 2.01f);
}

TEST_F(ScrollWidgets, PickersPageWithinTheirLists)
{
    const int savedCount = gThumbnailCount;
    gThumbnailCount = 40;
    TexturePanel panel;
    panel.Build(0, 0, 30, 0, 0, "", 0);
    panel.visible = 1;
    for (const int first : {15, 30, 30}) {
        panel.Click(330, 10);  // the scroll column's lower half
        EXPECT_EQ(panel.firstIndex, first);
    }
    panel.Click(330, 100);
    EXPECT_EQ(panel.firstIndex, 15);
    panel.Click(320, 10);  // on the grid's right edge: column 4 and the scroll column
    EXPECT_EQ(panel.firstIndex, 30);
    EXPECT_EQ(panel.selected, 30 + 14);
    EXPECT_TRUE(panel.Wheel(100, 100, 100));
    EXPECT_EQ(panel.firstIndex, 25);
    gThumbnailCount = 10;
    EXPECT_TRUE(panel.Wheel(100, 100, 3));
    EXPECT_EQ(panel.firstIndex, 0);
    gThumbnailCount = savedCount;

    TSelector shapes;
    shapes.Build(0, 0, 30);
    shapes.visible = 1;
    const struct {
        int first, y, after;
    } pages[] = {{170, 10, 180}, {180, 10, 180}, {10, 150, 0}, {30, 150, 15}};
    for (const auto& p : pages) {
        shapes.first = p.first;
        EXPECT_EQ(shapes.Click(340, p.y), 0);
        EXPECT_EQ(shapes.first, p.after) << p.first;
    }
    // The top right corner: row 2, column 4, and the scroll column's upper
    // half, which pages back from 15.
    EXPECT_EQ(shapes.Click(320, 192), 1);
    EXPECT_EQ(shapes.row, 2);
    EXPECT_EQ(shapes.cell, 4);
    EXPECT_EQ(shapes.selected, 0 + 4);
    EXPECT_TRUE(shapes.Wheel(100, 100, 50.7f));
    EXPECT_EQ(shapes.selected, 54);
}

}  // namespace
