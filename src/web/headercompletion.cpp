#include "web/headercompletion.h"

#include "text/textops.h"

namespace vq::web {

std::string userAgentOf(const std::string& headers)
{
    const std::size_t at = text::find(headers, "User-Agent:", 0, true);
    if (at == text::npos)
        return kDefaultUserAgent;
    const std::size_t start = at + 11;
    const std::size_t end = headers.find("\r\n", start);
    return text::trim(std::string_view(headers).substr(start, end == std::string::npos ? std::string::npos : end - start));
}

void addAcceptRefererLanguage(std::string& headers, const std::string& address)
{
    if (headers.empty())
        headers = "Accept: */*";
    else if (!text::contains(headers, "Accept:"))
        headers += "\r\nAccept: */*";
    if (!text::contains(headers, "Referer:"))
        headers += "\r\nReferer: " + address;
    if (!text::contains(headers, "Accept-Language:"))
        headers += "\r\nAccept-Language: zh-cn";
}

void addContentType(std::string& headers)
{
    if (!text::contains(headers, "Content-Type:"))
        headers += "\r\nContent-Type: application/x-www-form-urlencoded";
}

std::vector<std::string> headerLines(const std::string& headers)
{
    std::vector<std::string> lines;
    for (std::string& line : text::split(headers, "\r\n"))
        if (!line.empty())
            lines.push_back(std::move(line));
    return lines;
}

std::string headerLine(const std::string& name, const std::string& value)
{
    return value.empty() ? name + ";" : name + ": " + value;
}

}  // namespace vq::web
