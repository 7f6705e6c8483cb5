// The command line's front end: no window, so "UI-thread" calls run inline
// one at a time, messages go to standard error, and no browser window
// exists (a verification page cannot be passed).
#pragma once

#include <mutex>
#include <string>

#include "collect/frontend.h"

namespace vq::cli {

class CliFrontEnd : public FrontEnd {
public:
    void runOnUiThread(const std::function<void()>& task) override;
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    Answer askYesNoCancel(const std::string& text, const std::string& title) override;
    bool hasBrowserWindow() const override { return false; }

    // The messages shown so far, one per line as "title: text".
    std::string shownMessages() const;

private:
    std::recursive_mutex m_uiMutex;
    mutable std::mutex m_messagesMutex;
    std::string m_messages;
};

// Text for a terminal: CR LF and lone CR become LF.
std::string forTerminal(const std::string& text);

}  // namespace vq::cli
