#include "files/baseshape_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/baseshape_images.h"
#include "engine/file_dialogs.h"
#include "engine/file_replacement.h"
#include "engine/status_line.h"
#include "files/baseshape_file_dialogs.h"
#include "platform/scripted_dialogs.h"
#include "support/baseshape_state.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

const BaseshapeDefaults kDefaults{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 164.0f, 100.0f, 0, 1};
// Offsets in a one-entry file.
constexpr size_t kRotation = 8, kProbability = 97, kPickerY = 113, kOptions = 173, kBlocks = 186;

// Slot i: a new baseshape of the type with images and a mesh of its own;
// with allBlocks every optional block is asked for and differs from its default.
void MakeBaseshape(int i, int type, bool allBlocks)
{
    InitNewBaseshape(kDefaults, i);
    BaseshapeRecord& r = gBaseshapes[i];
    r.shapeType = type;
    for (int k = 0; k < 9; ++k) r.rotation[k] = 0.1f * static_cast<float>(k + i);
    r.position[1] = -2.5f, r.probability = 0.25f, r.material = 4, r.reserved[2] = 31;
    gBaseshapeEditPoints[i].p[12] = 12.5f;
    gBaseshapeColors.r[i] = 17;
    auto* heights = static_cast<uint8_t*>(std::malloc(6));
    auto* rgb = static_cast<uint8_t*>(std::malloc(12));
    auto* triangles = static_cast<float*>(std::malloc(18 * sizeof(float)));
    for (int k = 0; k < 18; ++k) triangles[k] = static_cast<float>(k) - 4.0f;
    for (int k = 0; k < 12; ++k) rgb[k] = static_cast<uint8_t>(3 + 7 * k);
    std::memcpy(heights, rgb, 6);
    InstallBaseshapeImage(gBaseshapeDMaps[i], heights, 3, 2);
    InstallBaseshapeImage(gBaseshapeTextures[i], rgb, 2, 2);
    InstallBaseshapeMesh(gBaseshapeMeshes[i], triangles, 2);
    if (!allBlocks) return;
    r.useTexture = r.useGradient = r.modifierOn = r.arrayOn = r.neonOn = 1;
    r.blendMode = 5;
    gBaseshapeColorRamps[i].g[200] = 99;
    gBaseshapeModifierType[i] = 7, gBaseshapeArrayPivotZ[i] = 1.5f, gBaseshapeNeonColor.b[i] = 44;
    gBaseshapeSpin[i][3] = 12.0f, gBaseshapeWaveType[i] = 1;
}

std::vector<uint8_t> Written(int first, int count)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(WriteBaseshapeFile(SinkOf(bytes), first, count));
    return bytes;
}

float FloatAt(const std::vector<uint8_t>& bytes, size_t at)
{
    float v = 0;
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

bool ReadInto(const std::vector<uint8_t>& bytes, int first)
{
    std::vector<BaseshapeFileEntry> entries;
    if (ParseBaseshapeFile(bytes.data(), bytes.size(), 65, &entries, nullptr) != BaseshapeFileStatus::kRead) return false;
    InstallBaseshapeEntries(entries, first);
    return true;
}

class BaseshapeFile : public ::testing::Test {
protected:
    void SetUp() override { dialogs_.SetFailureHandler(FailTest); }
    void TearDown() override
    {
        gBaseshapeCount = gCurrentBaseshape = 0;
        gReplacementFileByteLimit = -1;
        EXPECT_EQ(dialogs_.PendingAnswers(), 0u);
    }
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
};

// 194 bytes an entry without blocks, and each block its own size.
TEST_F(BaseshapeFile, SizesOfEntriesAndBlocks)
{
    // {type, animation, texture, gradient, modifier + array + neon, size}
    const int cases[][6] = {
        {1, 1, 0, 0, 0, 239},  // a new type-1 baseshape
        {1, 0, 0, 0, 0, 4 + 194},
        {58, 0, 0, 0, 0, 4 + 194 + 264 + 2 * 36},
        {94, 0, 1, 0, 0, 4 + 194 + 268 + 6 + 268 + 12},
        {1, 0, 1, 1, 1, 4 + 194 + 268 + 12 + 769 + 8 + 24 + 7},
        {1, 0, 0, 1, 0, 4 + 194 + 768},
    };
    for (const auto& c : cases) {
        MakeBaseshape(0, c[0], false);
        BaseshapeRecord& r = gBaseshapes[0];
        r.animationStored = c[1], r.useTexture = c[2], r.useGradient = c[3], r.modifierOn = r.arrayOn = r.neonOn = c[4];
        EXPECT_EQ(Written(0, 1).size(), static_cast<size_t>(c[5])) << "type " << c[0];
    }
    // Without an animation block the defaults stand in, and are stored from then on.
    gBaseshapes[0].animationStored = 0;
    const std::vector<uint8_t> bytes = Written(0, 1);
    gBaseshapeSpin[0][3] = 9.0f, gBaseshapeWaveType[0] = 0;
    ASSERT_TRUE(ReadInto(bytes, 0));
    EXPECT_EQ(gBaseshapeSpin[0][1] + gBaseshapeSpin[0][3] + gBaseshapeWaveType[0] + gBaseshapes[0].animationStored, 5.0f);
    EXPECT_EQ(Written(0, 1).size(), bytes.size() + 41);
}

// Written, read into other slots' values and written again: the same bytes
// but for pickerY, which a read sets to 415.
TEST_F(BaseshapeFile, EveryFieldRoundTrips)
{
    MakeBaseshape(0, 94, true);
    MakeBaseshape(1, 60, true);
    const std::vector<uint8_t> first = Written(0, 2);
    const size_t second = Written(0, 1).size();  // where the second entry starts
    EXPECT_FLOAT_EQ(FloatAt(first, kRotation + 4), 0.3f) << "matrices column by column";
    EXPECT_EQ(FloatAt(first, kProbability) + first[kOptions + 1], 1.25f) << "probability, useTexture";
    EXPECT_EQ(first[kBlocks + 8 + 260], 3) << "the displacement map's first height";
    for (int i = 0; i < 2; ++i) {
        InitNewBaseshape(kDefaults, i);
        ClearBaseshapeTexture(i), ResetBaseshapeDMap(i, 2), ClearBaseshapeMesh(i);
        gBaseshapeColors.r[i] = 1, gBaseshapeEditPoints[i].p[12] = 0.0f;
    }
    ASSERT_TRUE(ReadInto(first, 0));
    EXPECT_EQ(gBaseshapes[1].glMatrix[13], -2.5f) << "composed";
    std::vector<uint8_t> again = Written(0, 2);
    ASSERT_EQ(again.size(), first.size());
    for (size_t at : {kPickerY, second + kPickerY - 4}) {
        EXPECT_EQ(FloatAt(again, at), 415.0f);
        std::memcpy(again.data() + at, first.data() + at, 4);
    }
    EXPECT_EQ(again, first);
}

// Through the dialogs: counts, current baseshape, weights, the warning of a
// failed write, and the 64 an append may reach.
TEST_F(BaseshapeFile, SaveOpenAndAppend)
{
    const std::string five = TempPath("five.bsf"), one = TempPath("one.bsf");
    for (int i = 0; i < 10; ++i) MakeBaseshape(i, 1 + i, false);
    gBaseshapeCount = 5;
    dialogs_.QueueFile(five);
    EXPECT_TRUE(SaveBaseshapeFile(false));
    EXPECT_STREQ(gStatusText, "Talvoran :   Save baseshapes.");
    gBaseshapeCount = 10, gCurrentBaseshape = 7;
    dialogs_.QueueFile(one);
    EXPECT_TRUE(SaveBaseshapeFile(true));
    gReplacementFileByteLimit = 100;  // the disk fills: the older file stays whole
    dialogs_.QueueFile(one);
    dialogs_.QueueAnswer(MessageAnswer::Ok);
    EXPECT_FALSE(SaveBaseshapeFile(false));
    EXPECT_EQ(dialogs_.Prompts().back().message.caption, "Warning");
    EXPECT_EQ(std::filesystem::file_size(one), 4u + 235);

    dialogs_.QueueFile(one);
    EXPECT_TRUE(LoadBaseshapeFile());
    EXPECT_EQ(gBaseshapeCount * 100 + gCurrentBaseshape * 10 + gUseBaseshapes, 101);
    EXPECT_EQ(gBaseshapes[0].shapeType, 8) << "the baseshape that was current";
    gBaseshapeCount = 60;
    const std::vector<uint8_t> before = BaseshapeState();
    dialogs_.QueueFile(five);
    EXPECT_FALSE(AppendBaseshapeFile());
    EXPECT_EQ(BaseshapeState(), before) << "60 + 5 is refused";
    gBaseshapeCount = 59;
    dialogs_.QueueFile(five);
    EXPECT_TRUE(AppendBaseshapeFile());
    EXPECT_EQ(gBaseshapeCount * 100 + gCurrentBaseshape, 6459);
    EXPECT_EQ(gBaseshapes[63].shapeType, 5);
    EXPECT_FLOAT_EQ(gBaseshapes[10].probability, 1.0f / 64.0f);

    WriteBytes(one, {0, 0, 0, 0});
    gBaseshapes[0].useTexture = gBaseshapes[0].useGradient = 1;
    dialogs_.QueueFile(one);
    EXPECT_TRUE(LoadBaseshapeFile());
    EXPECT_EQ(gBaseshapeCount + gUseBaseshapes + gBaseshapes[0].useTexture + gBaseshapes[0].useGradient, 0);
    gFileOperationBusy = 1;
    EXPECT_FALSE(LoadBaseshapeFile()) << "no dialog while another file operation runs";
    gFileOperationBusy = 0;
    dialogs_.QueueFileCancel();
    EXPECT_FALSE(LoadBaseshapeFile());
    EXPECT_EQ(gFileOperationBusy, 0);
}

// Each hostile file is refused with a status text and changes nothing; so
// is every shortened copy of a good file.
TEST_F(BaseshapeFile, HostileFilesChangeNothing)
{
    MakeBaseshape(0, 94, true);
    MakeBaseshape(1, 58, true);
    gBaseshapeCount = 2;
    const std::vector<uint8_t> good = Written(0, 2);
    const size_t mesh = Written(0, 1).size() + kBlocks - 4;  // the second entry's triangle count
    const struct {
        const char* name;
        size_t at;
        std::vector<uint8_t> patch;
    } cases[] = {
        {"count 66", 0, {66, 0, 0, 0}},
        {"count -1", 0, {255, 255, 255, 255}},
        {"count 3 of 2 entries", 0, {3, 0, 0, 0}},
        {"shape type 300", 4, {44, 1, 0, 0}},
        {"material 12", 96, {12}},
        {"option byte 2", kOptions + 4, {2}},
        {"map of 65536 x 65536", kBlocks, {0, 0, 1, 0, 0, 0, 1, 0}},
        {"map larger than the file", kBlocks, {0, 16, 0, 0, 0, 16, 0, 0}},
        {"map of 0 x 2", kBlocks, {0, 0, 0, 0}},
        {"mesh of 0 triangles", mesh, {0, 0, 0, 0}},
        {"mesh of 2^32 - 1 triangles", mesh, {255, 255, 255, 255}},
        {"mesh of 3 in room for 2", mesh, {3, 0, 0, 0}},
        {"a rotation that is not a number", kRotation, {0, 0, 0xC0, 0x7F}},
        {"an infinite probability", kProbability, {0, 0, 0x80, 0x7F}},
        {"a mesh vertex that is not a number", mesh + 4 + 260, {1, 0, 0xC0, 0xFF}},
    };
    const std::string path = TempPath("hostile.bsf");
    const std::vector<uint8_t> before = BaseshapeState();
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = good;
        std::copy(c.patch.begin(), c.patch.end(), bytes.begin() + static_cast<long>(c.at));
        WriteBytes(path, bytes);
        dialogs_.QueueFile(path);
        EXPECT_FALSE(LoadBaseshapeFile()) << c.name;
        EXPECT_EQ(BaseshapeState(), before) << c.name;
        EXPECT_EQ(std::string(gStatusText).rfind("Talvoran :   hostile.bsf is not", 0), 0u) << c.name << ": " << gStatusText;
    }
    std::vector<BaseshapeFileEntry> entries;
    for (size_t n = 0; n < good.size(); ++n) {
        ASSERT_EQ(ParseBaseshapeFile(good.data(), n, 65, &entries, nullptr), BaseshapeFileStatus::kDamaged) << n;
    }
}

}  // namespace
