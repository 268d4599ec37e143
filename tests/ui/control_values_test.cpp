// A control bound to a value that no one variable holds: read and written
// through a getter and a setter, pressed where the list draws it.
#include <gtest/gtest.h>

#include "support/gl_interface.h"
#include "ui/controls.h"
#include "ui/option_lists.h"

namespace {

// The model: a switch and a mode; the list shows row 0 for "off" and row
// m + 1 for mode m. The setter refuses row 2 (mode 1), as a model may.
struct Model {
    bool on = false;
    int mode = 0;
    int sets = 0;
} gModel;

float Row(int) { return gModel.on ? static_cast<float>(gModel.mode + 1) : 0.0f; }
void SetRow(int, float v)
{
    ++gModel.sets;
    const int row = static_cast<int>(v);
    if (row == 2) return;
    gModel.on = row != 0;
    gModel.mode = row == 0 ? 99 : row - 1;
}

int gActions = 0;
void Acted() { ++gActions; }

const char* const kRows[] = {"Mode 2", "Mode 1", "Mode 0", "Off"};  // top first

class ControlValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        list_.Build(20, 600, 30, 180, 20, 4, "Mode", kRows);
        gModel = Model{};
        gActions = 0;
        gControlContext = ControlContext{};
    }
    GlInterfaceTest gl_;
    ListBox list_;
};

TEST_F(ControlValues, ADerivedValueIsReadAndWrittenThroughItsPair)
{
    const Control c = Bind(list_, "Mode").Derived(Row, SetRow).Then(Acted);
    EXPECT_EQ(c.kind, ValueKind::Derived);
    EXPECT_TRUE(c.HasValue());
    EXPECT_EQ(c.Address(0), nullptr) << "no variable to write behind the setter's back";
    gModel.on = true, gModel.mode = 2;
    EXPECT_EQ(c.Get(0), 3.0f);
    EXPECT_EQ(c.Get(1), 0.0f) << "a row past the value's rows";
    c.Set(1, 1.0f);
    EXPECT_EQ(gModel.sets, 0) << "nor is one written";
    EXPECT_FALSE(Bind(list_, "Mode").HasValue());
}

TEST_F(ControlValues, APressChangesTheModelAndARefusedOneShowsTheModelAgain)
{
    const Control table[] = {Bind(list_, "Mode").Derived(Row, SetRow).Then(Acted)};
    ShowControls(table);
    EXPECT_EQ(list_.selected, 0) << "off shows row 0";
    const struct {
        int row;
        bool on;
        int mode, shown, actions;
    } cases[] = {
        {3, true, 2, 3, 1},  // mode 2
        {1, true, 0, 1, 2},  // mode 0
        {2, true, 0, 1, 2},  // refused: the model and the list stay at mode 0
        {0, false, 99, 0, 3},
    };
    for (const auto& k : cases) {
        int x = 0, y = 0;
        ControlRowPoint(table[0], k.row, &x, &y);
        const uint32_t changes = gControlChanges;
        EXPECT_EQ(PressControls(table, x, y), &table[0]) << k.row;
        EXPECT_EQ(gModel.on, k.on) << k.row;
        EXPECT_EQ(gModel.mode, k.mode) << k.row;
        EXPECT_EQ(gActions, k.actions) << k.row;
        EXPECT_EQ(gControlChanges - changes, k.row == 2 ? 0u : 1u) << "a refused value sets nothing off";
        ShowControls(table);
        EXPECT_EQ(list_.selected, k.shown) << k.row;
    }
}

}  // namespace
