// The one seam through which the program asks the user: message boxes and
// file choosers. The window layer installs the desktop implementation, tests
// install ScriptedDialogs (scripted_dialogs.h), and without either the
// headless fallback answers "cancel" and logs the question.
//
// Dialogs run on the dialog thread (the window thread). A request from any
// other thread is queued, run by the main loop's RunQueuedDialogs and waited
// for; once the queue is closed at teardown such requests are cancelled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class MessageButtons : uint8_t { Ok, YesNo };
enum class MessageIcon : uint8_t { None, Information, Warning, Error };
// Unavailable: the box could not be shown at all (no display, a broken
// connection), so nobody could answer; callers treat it as dismissed unless
// going on is the only way out (closing the window, say).
enum class MessageAnswer : uint8_t { Ok, Yes, No, Cancel, Unavailable };

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool topmost = false;
};

struct FileFilter {
    std::string name;     // "PNG Files"
    std::string pattern;  // "*.png", or several joined by ';'
};

struct FileDialogRequest {
    bool save = false;
    int kind = 0;                   // FileKind
    std::string folder;             // start folder, may be empty (then the home folder)
    bool setFolder = false;         // start in folder rather than the chooser's own choice
    std::vector<FileFilter> filters;
    std::string defaultExtension;   // without "*.", empty for none
};

// Answers of the dismissed dialog: the cancel answer of a message box is No
// for Yes/No and Ok for a plain notice.
MessageAnswer CancelAnswer(MessageButtons buttons);

class DialogBackend {
public:
    virtual ~DialogBackend() = default;
    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
    // True with *path set when the user chose a file.
    virtual bool ChooseFile(const FileDialogRequest& request, std::string* path) = 0;
};

// Cancels everything and writes the question to stderr.
class HeadlessDialogs final : public DialogBackend {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    bool ChooseFile(const FileDialogRequest& request, std::string* path) override;
};

// Installs the backend (null: the headless fallback); returns the previous one.
DialogBackend* SetDialogBackend(DialogBackend* backend);
DialogBackend* CurrentDialogBackend();

// The calling thread becomes the dialog thread and the queue opens.
void SetDialogThread();
// Runs every queued request; called by the main loop on the dialog thread.
void RunQueuedDialogs();
// Cancels waiting requests and makes later ones from other threads cancel at once.
void CloseDialogQueue();

MessageAnswer ShowMessageBox(const MessageRequest& request);
MessageAnswer ShowMessageBox(const char* text, const char* caption, MessageButtons buttons,
                             MessageIcon icon);
bool ChooseFile(const FileDialogRequest& request, std::string* path);

// Installs a backend for one scope and puts the previous one back.
class ScopedDialogBackend {
public:
    explicit ScopedDialogBackend(DialogBackend* backend) : previous_(SetDialogBackend(backend)) {}
    ~ScopedDialogBackend() { SetDialogBackend(previous_); }
    ScopedDialogBackend(const ScopedDialogBackend&) = delete;
    ScopedDialogBackend& operator=(const ScopedDialogBackend&) = delete;

private:
    DialogBackend* previous_;
};
