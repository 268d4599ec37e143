#include "files/baseshape_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/baseshape_images.h"
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

uint8_t* Pixels(size_t n, uint8_t first)
{
    auto* p = static_cast<uint8_t*>(std::malloc(n));
    for (size_t k = 0; k < n; ++k) p[k] = static_cast<uint8_t>(first + 7 * k);
    return p;
}

// Slot i: a new baseshape of the type, with every block its flags call for
// holding values of its own.
void MakeBaseshape(int i, int type, bool allBlocks)
{
    InitNewBaseshape(kDefaults, i);
    BaseshapeRecord& r = gBaseshapes[i];
    r.shapeType = type;
    for (int k = 0; k < 9; ++k) r.rotation[k] = 0.1f * static_cast<float>(k + i);
    r.position[1] = -2.5f;
    r.probability = 0.25f;
    r.pointsPerRun = 700;
    r.material = 4;
    r.reserved[2] = 31;
    gBaseshapeEditPoints[i].p[12] = 12.5f;
    InstallBaseshapeImage(gBaseshapeDMaps[i], Pixels(6, 3), 3, 2);
    InstallBaseshapeImage(gBaseshapeTextures[i], Pixels(3 * 4, 9), 2, 2);
    auto* triangles = static_cast<float*>(std::malloc(18 * sizeof(float)));
    for (int k = 0; k < 18; ++k) triangles[k] = static_cast<float>(k) - 4.0f;
    InstallBaseshapeMesh(gBaseshapeMeshes[i], triangles, 2);
    gBaseshapeColors.r[i] = 17;
    if (!allBlocks) return;
    r.useTexture = r.useGradient = r.modifierOn = r.arrayOn = r.neonOn = 1;
    r.blendMode = 5;
    gBaseshapeColorRamps[i].g[200] = 99;
    gBaseshapeModifierType[i] = 7;
    gBaseshapeArrayPivotZ[i] = 1.5f;
    gBaseshapeNeonColor.b[i] = 44;
    gBaseshapeSpin[i][3] = 12.0f;
    gBaseshapeWaveType[i] = 1;
}

// Slot i with other images, mesh and values than MakeBaseshape gives.
void Scramble(int i)
{
    InitNewBaseshape(kDefaults, i);
    ClearBaseshapeTexture(i);
    ResetBaseshapeDMap(i, 2);
    ClearBaseshapeMesh(i);
    gBaseshapeColors.r[i] = 1;
    gBaseshapeEditPoints[i].p[12] = 0.0f;
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

class BaseshapeFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs_.SetFailureHandler(FailTest);
        gBaseshapeCount = 0;
        gCurrentBaseshape = 0;
    }
    void TearDown() override
    {
        gBaseshapeCount = 0;
        gFileOperationBusy = 0;
        gReplacementFileByteLimit = -1;
        EXPECT_EQ(dialogs_.PendingAnswers(), 0u);
    }
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
};

// 194 bytes an entry without blocks; every block adds its own size.
TEST_F(BaseshapeFile, SizesOfEntriesAndBlocks)
{
    const struct {
        const char* name;
        int type;
        void (*set)(BaseshapeRecord&);
        size_t size;
    } cases[] = {
        {"a new type-1 baseshape", 1, [](BaseshapeRecord&) {}, 239},
        {"no blocks", 1, [](BaseshapeRecord& r) { r.animationStored = 0; }, 198},
        {"mesh of 2", 58, [](BaseshapeRecord& r) { r.animationStored = 0; }, 198 + 264 + 72},
        {"displacement map 3 x 2", 94, [](BaseshapeRecord& r) { r.animationStored = 0; }, 198 + 268 + 6},
        {"texture 2 x 2", 1, [](BaseshapeRecord& r) { r.animationStored = 0, r.useTexture = 1; }, 198 + 268 + 12},
        {"colour table", 1, [](BaseshapeRecord& r) { r.animationStored = 0, r.useGradient = 1; }, 198 + 768},
        {"modifier, array, neon", 1, [](BaseshapeRecord& r) { r.animationStored = 0, r.modifierOn = r.arrayOn = r.neonOn = 1; },
         198 + 8 + 24 + 7},
    };
    for (const auto& c : cases) {
        MakeBaseshape(0, c.type, false);
        c.set(gBaseshapes[0]);
        EXPECT_EQ(Written(0, 1).size(), c.size) << c.name;
    }
    MakeBaseshape(0, 1, true);
    gBaseshapes[0].animationStored = 0;
    EXPECT_EQ(Written(0, 1).size(), 198u + 268 + 12 + 769 + 8 + 24 + 7) << "the blend byte with texture and table";
}

// Written, read into cleared slots and written again: the same bytes but
// for pickerY, which every read sets to 415.
TEST_F(BaseshapeFile, EveryFieldRoundTrips)
{
    MakeBaseshape(0, 94, true);
    MakeBaseshape(1, 60, true);
    gBaseshapes[1].smoothTexture = 0;
    const std::vector<uint8_t> first = Written(0, 2);
    EXPECT_FLOAT_EQ(FloatAt(first, kRotation + 4), 0.3f) << "matrices column by column";
    EXPECT_EQ(FloatAt(first, kProbability), 0.25f);
    EXPECT_EQ(FloatAt(first, kPickerY), 100.0f);
    EXPECT_EQ(first[kOptions + 1], 1) << "useTexture";
    EXPECT_EQ(first[kBlocks + 8 + 260], 3) << "the displacement map's first height";

    const size_t secondEntry = Written(0, 1).size();
    for (int i = 0; i < 2; ++i) Scramble(i);
    std::vector<BaseshapeFileEntry> entries;
    ASSERT_EQ(ParseBaseshapeFile(first.data(), first.size(), 65, &entries, nullptr), BaseshapeFileStatus::kRead);
    InstallBaseshapeEntries(entries, 0);
    EXPECT_EQ(gBaseshapes[0].pickerY, 415.0f);
    EXPECT_EQ(gBaseshapePointTemplates[1].p[12], 12.5f);
    EXPECT_EQ(gBaseshapes[1].glMatrix[13], -2.5f) << "composed";
    std::vector<uint8_t> second = Written(0, 2);
    ASSERT_EQ(second.size(), first.size());
    EXPECT_EQ(FloatAt(second, kPickerY), 415.0f);
    std::memcpy(second.data() + kPickerY, first.data() + kPickerY, 4);
    std::memcpy(second.data() + secondEntry + kPickerY - 4, first.data() + secondEntry + kPickerY - 4, 4);
    EXPECT_EQ(second, first);
}

TEST_F(BaseshapeFile, AbsentAnimationGivesTheDefaultsAndIsStoredAfterwards)
{
    MakeBaseshape(0, 1, false);
    gBaseshapes[0].animationStored = 0;
    const std::vector<uint8_t> bytes = Written(0, 1);
    gBaseshapeSpin[0][3] = 9.0f;
    gBaseshapeWaveType[0] = 0;
    std::vector<BaseshapeFileEntry> entries;
    ASSERT_EQ(ParseBaseshapeFile(bytes.data(), bytes.size(), 65, &entries, nullptr), BaseshapeFileStatus::kRead);
    InstallBaseshapeEntries(entries, 0);
    EXPECT_EQ(gBaseshapeSpin[0][1], 1.0f);
    EXPECT_EQ(gBaseshapeSpin[0][3], 0.0f);
    EXPECT_EQ(gBaseshapeWaveType[0], 3);
    EXPECT_EQ(gBaseshapeArrayCount[0], 8u);
    EXPECT_EQ(gBaseshapeNeonColor.r[0], 255);
    EXPECT_EQ(gBaseshapes[0].animationStored, 1);
    EXPECT_EQ(Written(0, 1).size(), bytes.size() + 41);
}

// Save, open and append through the dialogs: counts, the current baseshape,
// the weights, the busy byte and the warning of a failed write.
TEST_F(BaseshapeFile, SaveOpenAndAppendThroughTheDialogs)
{
    const std::string five = TempPath("five.bsf"), one = TempPath("one.bsf");
    for (int i = 0; i < 10; ++i) MakeBaseshape(i, 1 + i, false);
    gBaseshapeCount = 5;
    dialogs_.QueueFile(five);
    EXPECT_TRUE(SaveBaseshapeFile(false));
    EXPECT_STREQ(gStatusText, "Talvoran :   Save baseshapes.");
    gBaseshapeCount = 10;
    gCurrentBaseshape = 7;
    dialogs_.QueueFile(one);
    EXPECT_TRUE(SaveBaseshapeFile(true));
    EXPECT_EQ(ReadBytes(one).size(), 4u + 235);

    // A write that fails part way: the warning, and the older file stays whole.
    gReplacementFileByteLimit = 100;
    dialogs_.QueueFile(one);
    dialogs_.QueueAnswer(MessageAnswer::Ok);
    EXPECT_FALSE(SaveBaseshapeFile(false));
    EXPECT_EQ(dialogs_.Prompts().back().message.caption, "Warning");
    EXPECT_EQ(ReadBytes(one).size(), 4u + 235);
    gReplacementFileByteLimit = -1;

    dialogs_.QueueFile(one);
    EXPECT_TRUE(LoadBaseshapeFile());
    EXPECT_EQ(gBaseshapeCount, 1);
    EXPECT_EQ(gCurrentBaseshape, 0);
    EXPECT_EQ(gBaseshapes[0].shapeType, 8) << "the baseshape that was current";

    for (const auto& [inUse, appended] : {std::pair{60, false}, std::pair{59, true}}) {
        gBaseshapeCount = inUse;
        const BaseshapeState before = TakeBaseshapeState();
        dialogs_.QueueFile(five);
        EXPECT_EQ(AppendBaseshapeFile(), appended) << inUse;
        if (!appended) {
            EXPECT_TRUE(TakeBaseshapeState() == before) << "60 + 5 would pass 64";
            continue;
        }
        EXPECT_EQ(gBaseshapeCount, 64);
        EXPECT_EQ(gCurrentBaseshape, 59);
        EXPECT_EQ(gBaseshapes[63].shapeType, 5);
        EXPECT_FLOAT_EQ(gBaseshapes[10].probability, 1.0f / 64.0f);
    }

    WriteBytes(one, {0, 0, 0, 0});
    gBaseshapes[0].useTexture = gBaseshapes[0].useGradient = 1;
    dialogs_.QueueFile(one);
    EXPECT_TRUE(LoadBaseshapeFile());
    EXPECT_EQ(gBaseshapeCount, 0);
    EXPECT_EQ(gUseBaseshapes, 0);
    EXPECT_EQ(gBaseshapes[0].useTexture + gBaseshapes[0].useGradient, 0);
    EXPECT_FALSE(SaveBaseshapeFile(false)) << "nothing to save: no dialog";

    gFileOperationBusy = 1;
    EXPECT_FALSE(LoadBaseshapeFile());
    EXPECT_FALSE(AppendBaseshapeFile());
    gFileOperationBusy = 0;
    dialogs_.QueueFileCancel();
    EXPECT_FALSE(LoadBaseshapeFile());
    EXPECT_EQ(gFileOperationBusy, 0);
    std::filesystem::remove(five);
    std::filesystem::remove(one);
}

// Hostile files: each is refused with a status text and changes nothing;
// so is every shortened copy of a good file.
TEST_F(BaseshapeFile, HostileFilesChangeNothing)
{
    MakeBaseshape(0, 94, true);
    MakeBaseshape(1, 58, true);
    gBaseshapeCount = 2;
    const std::vector<uint8_t> good = Written(0, 2);
    const size_t mesh = Written(0, 1).size() + kBlocks - 4;  // the second entry's triangle count
    auto with = [&good](size_t at, std::vector<uint8_t> patch) {
        std::vector<uint8_t> bytes = good;
        std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<long>(at));
        return bytes;
    };
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"count 66", with(0, {66, 0, 0, 0})},
        {"count -1", with(0, {255, 255, 255, 255})},
        {"count 3 of 2 entries", with(0, {3, 0, 0, 0})},
        {"shape type 300", with(4, {44, 1, 0, 0})},
        {"material 12", with(96, {12})},
        {"option byte 2", with(kOptions + 4, {2})},
        {"map of 65536 x 65536", with(kBlocks, {0, 0, 1, 0, 0, 0, 1, 0})},
        {"map larger than the file", with(kBlocks, {0, 16, 0, 0, 0, 16, 0, 0})},
        {"map of 0 x 2", with(kBlocks, {0, 0, 0, 0})},
        {"mesh of 0 triangles", with(mesh, {0, 0, 0, 0})},
        {"mesh of 2^32 - 1 triangles", with(mesh, {255, 255, 255, 255})},
        {"mesh of 3 in room for 2", with(mesh, {3, 0, 0, 0})},
    };
    const std::string path = TempPath("hostile.bsf");
    for (const auto& c : cases) {
        WriteBytes(path, c.bytes);
        const BaseshapeState before = TakeBaseshapeState();
        dialogs_.QueueFile(path);
        EXPECT_FALSE(LoadBaseshapeFile()) << c.name;
        EXPECT_TRUE(TakeBaseshapeState() == before) << c.name;
        EXPECT_EQ(std::string(gStatusText).rfind("Talvoran :   hostile.bsf is not", 0), 0u) << c.name << ": " << gStatusText;
    }
    std::vector<BaseshapeFileEntry> entries;
    for (size_t n = 0; n < good.size(); ++n) {
        ASSERT_EQ(ParseBaseshapeFile(good.data(), n, 65, &entries, nullptr), BaseshapeFileStatus::kDamaged) << n;
        ASSERT_TRUE(entries.empty());
    }
    dialogs_.QueueFile(path + ".missing");
    EXPECT_FALSE(LoadBaseshapeFile());
    EXPECT_STREQ(gStatusText, "Talvoran :   Cannot read hostile.bsf.missing.");
    std::filesystem::remove(path);
}

}  // namespace
