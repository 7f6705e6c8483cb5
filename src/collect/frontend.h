// The small port through which the core reaches whatever front end runs it
// (the Qt window or the command line). Defaults make sense without a window:
// calls run inline, messages are dropped, questions answer "cancel".
#pragma once

#include <functional>
#include <mutex>
#include <string>

namespace vq {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Yes, No, Cancel };

class FrontEnd {
public:
    virtual ~FrontEnd();

    // Runs task on the UI thread and returns once it has run. Callable from
    // any thread; on the UI thread it runs the task directly.
    virtual void runOnUiThread(const std::function<void()>& task);
    // Lets pending window events be handled during long work on the UI
    // thread (the list crawl calls it after each page and row).
    virtual void processPendingEvents();
    // A message box; an empty title means "信息：". Called on the UI thread.
    virtual void showMessage(const std::string& text, const std::string& title, MessageIcon icon);
    // A yes/no/cancel question with the question icon. Called on the UI thread.
    virtual Answer askYesNoCancel(const std::string& text, const std::string& title);
    // Shows the login and verification browser window at url, modally for
    // the calling thread, and returns when the user has closed it. Called
    // from any thread; only the calling thread waits.
    virtual void openBrowserWindow(const std::string& url);
    // Whether a browser window exists at all; without one a verification
    // page cannot be passed and callers give up after a few tries.
    virtual bool hasBrowserWindow() const;
    // Opens a file or address with the system's default handler.
    virtual bool openWithSystemHandler(const std::string& target);
    // Puts text on the clipboard.
    virtual void copyToClipboard(const std::string& text);
};

// A front end without a UI thread of its own (the command line, tests):
// "UI-thread" tasks run on the calling thread, one at a time, as they would
// on a single UI thread. A task may itself ask for the UI thread.
class SerialFrontEnd : public FrontEnd {
public:
    void runOnUiThread(const std::function<void()>& task) override;

private:
    std::recursive_mutex m_uiMutex;
};

}  // namespace vq
