#include "web/setcookie.h"

#include <curl/curl.h>

#include "text/textops.h"

namespace vq::web {
namespace {

bool isIpAddress(const std::string& host)
{
    if (host.find(':') != std::string::npos)
        return true;
    for (const char c : host)
        if (!(c == '.' || (c >= '0' && c <= '9')))
            return false;
    return !host.empty();
}

// The directory of the request path: "/a/b/c" gives "/a/b", "/a" gives "/".
std::string defaultPath(const std::string& requestPath)
{
    std::string path = requestPath.substr(0, requestPath.find_first_of("?#"));
    if (path.empty() || path.front() != '/')
        return "/";
    const std::size_t last = path.rfind('/');
    if (last == 0)
        return "/";
    return path.substr(0, last);
}

}  // namespace

bool domainMatches(const Cookie& cookie, const std::string& host)
{
    std::string domain = text::toLowerAscii(cookie.domain);
    const bool subdomains = cookie.includeSubdomains || text::startsWith(domain, ".");
    if (text::startsWith(domain, "."))
        domain.erase(0, 1);
    if (host == domain)
        return true;
    return subdomains && !isIpAddress(host) && host.size() > domain.size()
        && text::endsWith(host, domain) && host[host.size() - domain.size() - 1] == '.';
}

bool pathMatches(const std::string& cookiePath, const std::string& requestPath)
{
    std::string path = requestPath.substr(0, requestPath.find_first_of("?#"));
    if (path.empty())
        path.assign(1, '/');
    if (path == cookiePath)
        return true;
    if (!text::startsWith(path, cookiePath))
        return false;
    return cookiePath.back() == '/' || path[cookiePath.size()] == '/';
}

std::optional<ParsedSetCookie> parseSetCookie(const std::string& host, const std::string& requestPath,
                                              const std::string& value, std::int64_t now)
{
    const std::vector<std::string> parts = text::split(value, ";");
    if (parts.empty())
        return std::nullopt;
    const std::size_t eq = parts[0].find('=');
    if (eq == std::string::npos)
        return std::nullopt;

    ParsedSetCookie parsed;
    Cookie& cookie = parsed.cookie;
    cookie.name = text::trim(std::string_view(parts[0]).substr(0, eq));
    cookie.value = text::trim(std::string_view(parts[0]).substr(eq + 1));
    if (cookie.name.empty())
        return std::nullopt;
    cookie.domain = host;
    cookie.path = defaultPath(requestPath);

    bool haveMaxAge = false;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t attributeEq = parts[i].find('=');
        const std::string attribute = text::toLowerAscii(text::trim(std::string_view(parts[i]).substr(0, attributeEq)));
        const std::string argument = attributeEq == std::string::npos
            ? std::string()
            : text::trim(std::string_view(parts[i]).substr(attributeEq + 1));
        if (attribute == "domain" && !argument.empty()) {
            std::string domain = text::toLowerAscii(argument);
            if (text::startsWith(domain, "."))
                domain.erase(0, 1);
            Cookie probe;
            probe.domain = "." + domain;
            probe.includeSubdomains = true;
            if (!domainMatches(probe, host))
                return std::nullopt;
            // A domain attribute naming the host itself on an IP address
            // stays host-only; otherwise the cookie covers the subdomains.
            if (!isIpAddress(host)) {
                cookie.domain = "." + domain;
                cookie.includeSubdomains = true;
            }
        } else if (attribute == "path") {
            if (!argument.empty() && argument.front() == '/')
                cookie.path = argument;
        } else if (attribute == "expires" && !haveMaxAge) {
            const time_t when = curl_getdate(argument.c_str(), nullptr);
            if (when != -1) {
                cookie.expires = when;
                if (cookie.expires <= now)
                    parsed.removal = true;
                // 0 means a session cookie in the store; keep a real expiry.
                if (cookie.expires == 0)
                    cookie.expires = 1;
            }
        } else if (attribute == "max-age" && !argument.empty()) {
            try {
                const long long seconds = std::stoll(argument);
                haveMaxAge = true;
                parsed.removal = seconds <= 0;
                cookie.expires = seconds <= 0 ? 1 : now + seconds;
            } catch (const std::exception&) {
                // An unreadable Max-Age is ignored, as browsers do.
            }
        } else if (attribute == "secure") {
            cookie.secure = true;
        } else if (attribute == "httponly") {
            cookie.httpOnly = true;
        }
    }
    if (cookie.value == "deleted")
        parsed.removal = true;
    return parsed;
}

}  // namespace vq::web
