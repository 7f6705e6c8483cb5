#include "config/endpoints.h"

#include <cctype>
#include <map>

#include "config/atomicfile.h"
#include "text/textops.h"

namespace vq::config {
namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool validHostPort(std::string_view hostPort)
{
    if (hostPort.empty())
        return false;
    const std::size_t colon = hostPort.find(':');
    const std::string_view host = hostPort.substr(0, colon);
    if (host.empty())
        return false;
    for (const char c : host)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-'))
            return false;
    if (colon == std::string_view::npos)
        return true;
    const std::string_view port = hostPort.substr(colon + 1);
    if (port.empty() || port.size() > 5)
        return false;
    for (const char c : port)
        if (c < '0' || c > '9')
            return false;
    const int number = std::stoi(std::string(port));
    return number > 0 && number < 65536;
}

// "scheme://host[:port]", no trailing slash; the work bench may carry a path.
bool validAddress(std::string_view address, bool pathAllowed)
{
    std::string_view rest;
    if (text::startsWith(address, "http://"))
        rest = address.substr(7);
    else if (text::startsWith(address, "https://"))
        rest = address.substr(8);
    else
        return false;
    const std::size_t slash = rest.find('/');
    if (slash != std::string_view::npos && !pathAllowed)
        return false;
    return validHostPort(rest.substr(0, slash));
}

}  // namespace

std::string Endpoints::loginPageUrl() const
{
    return login + "/member/login.jhtml?style=minisimple&redirectURL=" + workbench;
}

std::string Endpoints::hostOf(std::string_view baseAddress)
{
    std::string_view rest = baseAddress;
    const std::size_t scheme = rest.find("://");
    if (scheme != std::string_view::npos)
        rest.remove_prefix(scheme + 3);
    rest = rest.substr(0, rest.find('/'));
    rest = rest.substr(0, rest.find(':'));
    return text::toLowerAscii(rest);
}

bool parseEndpoints(std::string_view text, Endpoints& endpoints, std::string& error)
{
    const std::map<std::string, std::string Endpoints::*> keys = {
        {"detail", &Endpoints::detail},
        {"tmall_detail", &Endpoints::tmall_detail},
        {"posting", &Endpoints::posting},
        {"spu", &Endpoints::spu},
        {"login", &Endpoints::login},
        {"workbench", &Endpoints::workbench},
        {"category_search", &Endpoints::category_search},
        {"props_tool", &Endpoints::props_tool},
        {"mirror", &Endpoints::mirror},
        {"vendor", &Endpoints::vendor},
    };
    Endpoints parsed = endpoints;
    bool inSection = false;
    std::size_t lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (line.front() == '[') {
            if (line != "[endpoints]") {
                error = where + "unknown section " + std::string(line);
                return false;
            }
            inSection = true;
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            error = where + "expected key=value: " + std::string(line);
            return false;
        }
        if (!inSection) {
            error = where + "key outside the [endpoints] section";
            return false;
        }
        const std::string key(trimmed(line.substr(0, eq)));
        const std::string value(trimmed(line.substr(eq + 1)));
        const auto it = keys.find(key);
        if (it == keys.end()) {
            error = where + "unknown key " + key;
            return false;
        }
        const bool isWorkbench = key == "workbench";
        if (!validAddress(value, isWorkbench) || (!isWorkbench && text::endsWith(value, "/"))) {
            error = where + "malformed address for " + key + ": " + value;
            return false;
        }
        parsed.*(it->second) = value;
        if (pos > text.size())
            break;
    }
    endpoints = parsed;
    return true;
}

bool loadEndpoints(const std::filesystem::path& file, Endpoints& endpoints, std::string& error)
{
    std::string bytes;
    if (!readFile(file, bytes)) {
        error = "cannot read endpoints file " + file.string();
        return false;
    }
    return parseEndpoints(bytes, endpoints, error);
}

}  // namespace vq::config
