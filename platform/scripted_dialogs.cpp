#include "platform/scripted_dialogs.h"

#include <cstdio>
#include <cstdlib>

namespace {
void AbortOnUnexpectedPrompt(const std::string& what)
{
    std::fprintf(stderr, "ScriptedDialogs: %s\n", what.c_str());
    std::abort();
}
}  // namespace

void ScriptedDialogs::QueueAnswer(MessageAnswer answer)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Answer a;
    a.message = answer;
    answers_.push_back(a);
}

void ScriptedDialogs::QueueFile(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Answer a;
    a.file = true;
    a.chosen = true;
    a.path = path;
    answers_.push_back(a);
}

void ScriptedDialogs::QueueFileCancel()
{
    std::lock_guard<std::mutex> lock(mutex_);
    Answer a;
    a.file = true;
    answers_.push_back(a);
}

bool ScriptedDialogs::TakeAnswer(bool file, const std::string& prompt, Answer* answer)
{
    FailureHandler handler = nullptr;
    std::string what;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!answers_.empty() && answers_.front().file == file) {
            *answer = answers_.front();
            answers_.pop_front();
            return true;
        }
        what = (answers_.empty() ? "no answer queued for " : "the next answer does not fit ") + prompt;
        handler = onFailure_ ? onFailure_ : AbortOnUnexpectedPrompt;
    }
    handler(what);
    return false;
}

MessageAnswer ScriptedDialogs::ShowMessage(const MessageRequest& request)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        DialogPrompt prompt;
        prompt.message = request;
        prompts_.push_back(prompt);
    }
    Answer answer;
    if (!TakeAnswer(false, "the message \"" + request.text + "\"", &answer)) {
        return CancelAnswer(request.buttons);
    }
    return answer.message;
}

bool ScriptedDialogs::ChooseFile(const FileDialogRequest& request, std::string* path)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        DialogPrompt prompt;
        prompt.kind = request.save ? DialogPrompt::Kind::SaveFile : DialogPrompt::Kind::OpenFile;
        prompt.file = request;
        prompts_.push_back(prompt);
    }
    Answer answer;
    const std::string what = std::string(request.save ? "a save" : "an open") + " dialog of file kind " +
                             std::to_string(request.kind);
    if (!TakeAnswer(true, what, &answer) || !answer.chosen) return false;
    if (path) *path = answer.path;
    return true;
}

std::vector<DialogPrompt> ScriptedDialogs::Prompts() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return prompts_;
}

size_t ScriptedDialogs::PendingAnswers() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return answers_.size();
}

void ScriptedDialogs::SetFailureHandler(FailureHandler handler)
{
    std::lock_guard<std::mutex> lock(mutex_);
    onFailure_ = handler;
}
