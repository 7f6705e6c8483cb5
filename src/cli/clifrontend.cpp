#include "cli/clifrontend.h"

#include <cstdio>

#include "text/textops.h"

namespace vq::cli {

void CliFrontEnd::runOnUiThread(const std::function<void()>& task)
{
    // Workers take turns, as they would on a single UI thread.
    std::lock_guard lock(m_uiMutex);
    task();
}

void CliFrontEnd::showMessage(const std::string& text, const std::string& title, MessageIcon)
{
    const std::string line = (title.empty() ? std::string("信息：") : title) + ": " + forTerminal(text);
    {
        std::lock_guard lock(m_messagesMutex);
        m_messages += line + "\n";
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

Answer CliFrontEnd::askYesNoCancel(const std::string&, const std::string&)
{
    return Answer::Cancel;
}

std::string CliFrontEnd::shownMessages() const
{
    std::lock_guard lock(m_messagesMutex);
    return m_messages;
}

std::string forTerminal(const std::string& text)
{
    return text::replaceAll(text::replaceAll(text, "\r\n", "\n"), "\r", "\n");
}

}  // namespace vq::cli
