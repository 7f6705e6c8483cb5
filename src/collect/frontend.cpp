#include "collect/frontend.h"

namespace vq {

FrontEnd::~FrontEnd() = default;

void FrontEnd::runOnUiThread(const std::function<void()>& task)
{
    task();
}

void FrontEnd::processPendingEvents() {}

void FrontEnd::showMessage(const std::string&, const std::string&, MessageIcon) {}

Answer FrontEnd::askYesNoCancel(const std::string&, const std::string&)
{
    return Answer::Cancel;
}

void FrontEnd::openBrowserWindow(const std::string&) {}

bool FrontEnd::hasBrowserWindow() const
{
    return false;
}

bool FrontEnd::openWithSystemHandler(const std::string&)
{
    return false;
}

void FrontEnd::copyToClipboard(const std::string&) {}

void SerialFrontEnd::runOnUiThread(const std::function<void()>& task)
{
    std::lock_guard lock(m_uiMutex);
    task();
}

}  // namespace vq
