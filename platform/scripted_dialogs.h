// Dialogs answered from a script, for tests: queue the answers the test
// expects to give, run the code, then look at the prompts it showed. A prompt
// with no answer left (or of the wrong sort) is reported through the failure
// handler, which by default prints the prompt and aborts, so it cannot pass
// unnoticed; tests under GoogleTest install a handler that adds a failure.
//
//   ScriptedDialogs dialogs;
//   ScopedDialogBackend use(&dialogs);
//   dialogs.QueueAnswer(MessageAnswer::Yes);
//   dialogs.QueueFile("/tmp/a.png");
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/dialogs.h"

struct DialogPrompt {
    enum class Kind : uint8_t { Message, OpenFile, SaveFile };
    Kind kind = Kind::Message;
    MessageRequest message;     // Kind::Message
    FileDialogRequest file;     // Kind::OpenFile and Kind::SaveFile
};

class ScriptedDialogs final : public DialogBackend {
public:
    using FailureHandler = void (*)(const std::string& what);

    void QueueAnswer(MessageAnswer answer);
    void QueueFile(const std::string& path);
    void QueueFileCancel();

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    bool ChooseFile(const FileDialogRequest& request, std::string* path) override;

    std::vector<DialogPrompt> Prompts() const;
    size_t PendingAnswers() const;
    void SetFailureHandler(FailureHandler handler);

private:
    struct Answer {
        bool file = false;
        bool chosen = false;
        MessageAnswer message = MessageAnswer::Ok;
        std::string path;
    };
    bool TakeAnswer(bool file, const std::string& prompt, Answer* answer);

    mutable std::mutex mutex_;
    std::deque<Answer> answers_;
    std::vector<DialogPrompt> prompts_;
    FailureHandler onFailure_ = nullptr;
};
