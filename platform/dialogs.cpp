#include "platform/dialogs.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace {

HeadlessDialogs gHeadlessDialogs;
std::atomic<DialogBackend*> gBackend{nullptr};

struct QueuedDialog {
    std::function<void()> run;
    bool done = false;
};

std::mutex gQueueMutex;
std::condition_variable gQueueDone;
std::deque<QueuedDialog*> gQueue;
std::thread::id gDialogThread;
bool gQueueOpen = false;

DialogBackend& Backend()
{
    DialogBackend* backend = gBackend.load();
    return backend ? *backend : gHeadlessDialogs;
}

// Runs job on the dialog thread. Returns false when it was cancelled instead
// (the queue is closed); the caller's default answer then stands.
bool RunOnDialogThread(const std::function<void()>& job)
{
    std::unique_lock<std::mutex> lock(gQueueMutex);
    const std::thread::id self = std::this_thread::get_id();
    if (gDialogThread == std::thread::id() || self == gDialogThread) {
        lock.unlock();
        job();
        return true;
    }
    if (!gQueueOpen) return false;
    QueuedDialog entry;
    entry.run = job;
    gQueue.push_back(&entry);
    gQueueDone.wait(lock, [&] { return entry.done; });
    return static_cast<bool>(entry.run);
}

}  // namespace

MessageAnswer CancelAnswer(MessageButtons buttons)
{
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

MessageAnswer HeadlessDialogs::ShowMessage(const MessageRequest& request)
{
    std::fprintf(stderr, "talvoran: no display for the message \"%s\" (%s); nobody can answer it\n",
                 request.text.c_str(), request.caption.c_str());
    return MessageAnswer::Unavailable;
}

bool HeadlessDialogs::ChooseFile(const FileDialogRequest& request, std::string* path)
{
    std::fprintf(stderr, "talvoran: no display for the %s dialog of file kind %d; cancelled\n",
                 request.save ? "save" : "open", request.kind);
    return false;
}

DialogBackend* SetDialogBackend(DialogBackend* backend) { return gBackend.exchange(backend); }

DialogBackend* CurrentDialogBackend() { return &Backend(); }

void SetDialogThread()
{
    std::lock_guard<std::mutex> lock(gQueueMutex);
    gDialogThread = std::this_thread::get_id();
    gQueueOpen = true;
}

void RunQueuedDialogs()
{
    for (;;) {
        QueuedDialog* entry = nullptr;
        {
            std::lock_guard<std::mutex> lock(gQueueMutex);
            if (gQueue.empty()) return;
            entry = gQueue.front();
            gQueue.pop_front();
        }
        entry->run();
        {
            std::lock_guard<std::mutex> lock(gQueueMutex);
            entry->done = true;
        }
        gQueueDone.notify_all();
    }
}

void CloseDialogQueue()
{
    {
        std::lock_guard<std::mutex> lock(gQueueMutex);
        gQueueOpen = false;
        for (QueuedDialog* entry : gQueue) {
            entry->run = nullptr;
            entry->done = true;
        }
        gQueue.clear();
    }
    gQueueDone.notify_all();
}

MessageAnswer ShowMessageBox(const MessageRequest& request)
{
    MessageAnswer answer = CancelAnswer(request.buttons);
    RunOnDialogThread([&] { answer = Backend().ShowMessage(request); });
    return answer;
}

MessageAnswer ShowMessageBox(const char* text, const char* caption, MessageButtons buttons,
                             MessageIcon icon)
{
    MessageRequest request;
    request.text = text ? text : "";
    request.caption = caption ? caption : "";
    request.buttons = buttons;
    request.icon = icon;
    return ShowMessageBox(request);
}

bool ChooseFile(const FileDialogRequest& request, std::string* path)
{
    bool chosen = false;
    std::string result;
    RunOnDialogThread([&] { chosen = Backend().ChooseFile(request, &result); });
    if (chosen && path) *path = result;
    return chosen;
}
