#include "web/cookiefile.h"

#include "text/textops.h"

namespace vq::web {

std::string writeCookieFile(const std::vector<Cookie>& cookies)
{
    std::string out = "# Netscape HTTP Cookie File\n"
                      "# The shared cookie store of QuorvelVendquill, rewritten whole on every change.\n\n";
    for (const Cookie& cookie : cookies) {
        if (cookie.httpOnly)
            out += "#HttpOnly_";
        out += cookie.domain;
        out += cookie.includeSubdomains ? "\tTRUE\t" : "\tFALSE\t";
        out += cookie.path;
        out += cookie.secure ? "\tTRUE\t" : "\tFALSE\t";
        out += std::to_string(cookie.expires);
        out += '\t';
        out += cookie.name;
        out += '\t';
        out += cookie.value;
        out += '\n';
    }
    return out;
}

std::vector<Cookie> readCookieFile(std::string_view text)
{
    std::vector<Cookie> cookies;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(pos, end - pos));
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Cookie cookie;
        if (text::startsWith(line, "#HttpOnly_")) {
            cookie.httpOnly = true;
            line.erase(0, 10);
        } else if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); fields.size() < 6 && tab != std::string::npos; tab = line.find('\t', start)) {
            fields.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        if (fields.size() != 6)
            continue;
        fields.push_back(line.substr(start));
        try {
            cookie.domain = text::toLowerAscii(fields[0]);
            cookie.includeSubdomains = fields[1] == "TRUE";
            cookie.path = fields[2].empty() ? "/" : fields[2];
            cookie.secure = fields[3] == "TRUE";
            cookie.expires = std::stoll(fields[4]);
            cookie.name = fields[5];
            cookie.value = fields[6];
        } catch (const std::exception&) {
            continue;
        }
        if (cookie.domain.empty() || cookie.name.empty())
            continue;
        cookies.push_back(std::move(cookie));
    }
    return cookies;
}

}  // namespace vq::web
