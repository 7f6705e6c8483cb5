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

}  // namespace vq
