#include "web/responseheaders.h"

#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::web {

std::string normaliseSetCookieSpelling(std::string_view headers)
{
    return text::replaceAllIgnoreCase(headers, "Set-Cookie", "Set-Cookie");
}

std::string newCookiesFromHeaders(std::string_view headers)
{
    std::string cookies;
    for (const std::string& line : text::split(headers, "\r\n")) {
        if (!text::contains(line, "Set-Cookie"))
            continue;
        if (line.find(';') == std::string::npos)
            cookies += text::trim(text::replaceAll(line, "Set-Cookie:", ""));
        else
            cookies += text::trim(text::TextBetween(line, "Set-Cookie:", ";"));
        cookies += "; ";
    }
    if (cookies.size() >= 2)
        cookies.resize(cookies.size() - 2);
    return cookies;
}

void appendResponseCookies(std::string& cookieText, std::string_view headers)
{
    for (const std::string& rawLine : text::split(headers, "\r\n")) {
        // Header names are case-insensitive, so every spelling counts.
        const std::string line = normaliseSetCookieSpelling(rawLine);
        const std::size_t at = line.find("Set-Cookie:");
        if (at == std::string::npos)
            continue;
        const std::string value = line.substr(at + 11);
        const std::string item = text::trim(value.substr(0, value.find(';')));
        const std::size_t eq = item.find('=');
        // A cookie without a value (the usual way of clearing one) is not taken.
        if (eq == std::string::npos || text::trim(std::string_view(item).substr(eq + 1)).empty())
            continue;
        if (!cookieText.empty())
            cookieText += "; ";
        cookieText += item;
    }
}

std::vector<std::string> setCookieValues(std::string_view headers)
{
    std::vector<std::string> values;
    for (const std::string& line : text::split(headers, "\r\n")) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        if (text::equalsIgnoreCase(text::trim(std::string_view(line).substr(0, colon)), "Set-Cookie"))
            values.push_back(text::trim(std::string_view(line).substr(colon + 1)));
    }
    return values;
}

}  // namespace vq::web
