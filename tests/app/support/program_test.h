// The set-up the tests that drive the whole program share: one program, the
// dialogs that answer it, and a folder of the test process for its files.
//
//   class NewFractalProgram : public ProgramTest {
//   protected:
//       static void SetUpTestSuite()
//       {
//           UseOwnFolder("talvoran_new_fractal_");
//           StartOnce();
//       }
//   };
//
// The program is started once for the suite and stopped, the dialogs taken
// away and the folder removed after its last test; SetUp fails each test of
// a suite whose program did not start. A suite that starts the program for
// each test instead overrides SetUp and TearDown.
//
// The tests of a suite share one program, so what a test changes is set
// back at TearDown however the test ended (an early ASSERT too), and each
// test finds the program as the one before it found it, in any order: the
// fractal SetUp keeps (its type, transformations, weights, forbidden
// successors, generator chains and recipe row, escape-time settings and the
// picker's view, its view and camera, symmetry, control sensitivity, the
// render's cycle limit, the two shared random streams;
// not the baseshapes, whose records own their pictures), the interface (the
// tab and what the panels remember, the editors' "Edit" boxes with the
// edit mode, screen, buttons and zoom slider they take, the transformation
// editor's own choices), and every value the test keeps with Keep before
// changing it (an installed writer or allocator, a busy flag, a setting):
//
//       Keep(gAllocateVoxelCube);
//       gAllocateVoxelCube = +[] { return false; };
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "app/support/program_driver.h"
#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"

// The program under test, and the dialogs whose answers a test queues.
extern ProgramDriver gProgram;
extern ScriptedDialogs gDialogs;
// The test's own folder (empty until UseOwnFolder): the files it saves and
// loads, and the settings file of the program it drives.
extern std::filesystem::path gDir;

// A prompt the script did not expect fails the test instead of aborting it.
void FailTest(const std::string& what);

// Every question answered "cancel", every file chooser cancelled: for tests
// that press controls without queueing the answers.
class CancellingDialogs final : public DialogBackend {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override { return CancelAnswer(request.buttons); }
    bool ChooseFile(const FileDialogRequest&, std::string*) override { return false; }
};
extern CancellingDialogs gCancellingDialogs;

class ProgramTest : public ::testing::Test {
protected:
    // gDir made as <temp>/<prefix><pid>, the program's settings file put
    // there, and the dialogs installed (gDialogs, failing the test on a
    // prompt it did not queue, unless others are given). The program's
    // default folders are the driver's own, apart from the user's.
    static void UseOwnFolder(const char* prefix, DialogBackend* dialogs = &gDialogs);
    // Starts the program; a failure is kept for SetUp to report.
    static void StartOnce();
    // Stops the program, takes the dialogs away and removes gDir (kept when
    // TALVORAN_KEEP_TEST_FILES is set, for a person to look at).
    static void TearDownTestSuite();
    // Fails the test when the program did not start; keeps the fractal.
    void SetUp() override;
    // Stops a render left running and sets back what was kept, the last
    // kept first.
    void TearDown() override;

    // The value now, set back at TearDown.
    template <class T>
    static void Keep(T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>, "kept by its bytes");
        auto saved = std::make_shared<std::vector<unsigned char>>(sizeof(T));
        std::memcpy(saved->data(), &value, sizeof(T));
        restores_.push_back([&value, saved] { std::memcpy(&value, saved->data(), sizeof(T)); });
    }
    template <class T>
    static void Keep(std::atomic<T>& value)
    {
        const T saved = value.load();
        restores_.push_back([&value, saved] { value.store(saved); });
    }

    static bool started_;
    static std::string why_;

private:
    static void KeepGeneratorChains();
    static std::vector<std::function<void()>> restores_;
};
