#include "cli/clifrontend.h"

#include <cstdio>

#include "text/textops.h"

namespace vq::cli {

void CliFrontEnd::showMessage(const std::string& text, const std::string& title, MessageIcon)
{
    const std::string line = (title.empty() ? std::string("信息：") : title) + ": " + forTerminal(text);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

Answer CliFrontEnd::askYesNoCancel(const std::string&, const std::string&)
{
    return Answer::Cancel;
}

std::string forTerminal(const std::string& text)
{
    return text::replaceAll(text::replaceAll(text, "\r\n", "\n"), "\r", "\n");
}

}  // namespace vq::cli
