// The address and header-line helpers declared in webclient.h.
#include "web/webclient.h"

#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::web {

std::string UrlHost(const std::string& address, bool keepPort)
{
    std::string lowered = text::toLowerAscii(address);
    if (lowered.empty() || lowered.back() != '/')
        lowered += '/';
    std::string marker = "https://";
    if (!text::startsWith(lowered, marker)) {
        marker = "http://";
        if (!text::contains(lowered, marker))
            lowered.insert(0, marker);
    }
    std::string host = text::TextBetween(lowered, marker, "/");
    if (!keepPort) {
        const std::size_t colon = host.find(':');
        if (colon != std::string::npos)
            host.resize(colon);
    }
    return host;
}

int UrlPort(const std::string& address)
{
    const std::string host = UrlHost(address, true);
    const std::size_t colon = host.rfind(':');
    if (colon == std::string::npos)
        return text::startsWith(text::toLowerAscii(address), "https") ? 443 : 80;
    int port = 0;
    for (std::size_t i = colon + 1; i < host.size() && host[i] >= '0' && host[i] <= '9' && port < 100000; ++i)
        port = port * 10 + (host[i] - '0');
    return port;
}

std::string UrlPath(const std::string& address)
{
    const std::size_t host = text::find(address, UrlHost(address, false), 0, true);
    if (host == text::npos)
        return "/";
    const std::size_t slash = address.find('/', host);
    if (slash == std::string::npos)
        return "/";
    return address.substr(slash);
}

std::string HeaderValue(const std::string& line)
{
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos)
        return {};
    return text::trim(std::string_view(line).substr(colon + 1));
}

std::string HeaderName(const std::string& line)
{
    return text::trim(std::string_view(line).substr(0, line.find(':')));
}

}  // namespace vq::web
