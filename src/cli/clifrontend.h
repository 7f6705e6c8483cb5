// The command line's front end: no window, so "UI-thread" calls run inline
// one at a time, messages go to standard error, and no browser window
// exists (a verification page cannot be passed).
#pragma once

#include <string>

#include "collect/frontend.h"

namespace vq::cli {

class CliFrontEnd : public SerialFrontEnd {
public:
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    Answer askYesNoCancel(const std::string& text, const std::string& title) override;
    bool hasBrowserWindow() const override { return false; }
};

// Text for a terminal: CR LF and lone CR become LF.
std::string forTerminal(const std::string& text);

}  // namespace vq::cli
