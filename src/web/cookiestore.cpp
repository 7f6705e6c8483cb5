#include "web/cookiestore.h"

#include <algorithm>
#include <ctime>

#include "config/atomicfile.h"
#include "text/textops.h"
#include "web/cookiefile.h"
#include "web/cookiejar.h"
#include "web/setcookie.h"
#include "web/webclient.h"

namespace vq::web {
namespace {

std::int64_t now()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

bool expired(const Cookie& cookie, std::int64_t at)
{
    return cookie.expires != 0 && cookie.expires <= at;
}

bool sameCookie(const Cookie& a, const Cookie& b)
{
    return a.name == b.name && a.path == b.path && text::equalsIgnoreCase(a.domain, b.domain);
}

// Control characters would break the one-line-per-cookie file and the
// Cookie header, so such cookies are refused.
bool storable(const Cookie& cookie)
{
    const auto bad = [](const std::string& s) {
        return std::any_of(s.begin(), s.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n' || c == '\0'; });
    };
    return !cookie.name.empty() && !cookie.domain.empty() && !bad(cookie.name) && !bad(cookie.value)
        && !bad(cookie.domain) && !bad(cookie.path);
}

}  // namespace

CookieStore::CookieStore(std::filesystem::path file) : m_file(std::move(file))
{
    load();
}

bool CookieStore::applyLocked(const Cookie& cookie, bool removal)
{
    const auto it = std::find_if(m_cookies.begin(), m_cookies.end(),
        [&cookie](const Cookie& stored) { return sameCookie(stored, cookie); });
    if (removal) {
        if (it == m_cookies.end())
            return false;
        m_cookies.erase(it);
        return true;
    }
    if (it == m_cookies.end()) {
        m_cookies.push_back(cookie);
        return true;
    }
    const bool different = it->value != cookie.value || it->expires != cookie.expires || it->secure != cookie.secure
        || it->httpOnly != cookie.httpOnly || it->includeSubdomains != cookie.includeSubdomains;
    *it = cookie;
    return different;
}

void CookieStore::storeFromResponse(const std::string& address, const std::vector<std::string>& setCookieValues)
{
    if (setCookieValues.empty())
        return;
    const std::string host = UrlHost(address, false);
    const std::string path = UrlPath(address);
    const std::int64_t at = now();
    bool anyChange = false;
    {
        const std::lock_guard lock(m_mutex);
        for (const std::string& value : setCookieValues) {
            const std::optional<ParsedSetCookie> parsed = parseSetCookie(host, path, value, at);
            if (parsed && storable(parsed->cookie))
                anyChange = applyLocked(parsed->cookie, parsed->removal) || anyChange;
        }
    }
    if (anyChange)
        changed();
}

void CookieStore::put(const Cookie& cookie)
{
    Cookie normal = cookie;
    normal.domain = text::toLowerAscii(normal.domain);
    if (text::startsWith(normal.domain, "."))
        normal.includeSubdomains = true;
    if (normal.path.empty())
        normal.path.push_back('/');
    if (!storable(normal))
        return;
    bool anyChange = false;
    {
        const std::lock_guard lock(m_mutex);
        anyChange = applyLocked(normal, expired(normal, now()) || normal.value == "deleted");
    }
    if (anyChange)
        changed();
}

std::vector<Cookie> CookieStore::cookiesFor(const std::string& address, bool includeHttpOnly) const
{
    const std::string host = UrlHost(address, false);
    const std::string path = UrlPath(address);
    const bool secure = text::startsWith(text::toLowerAscii(address), "https://");
    const std::int64_t at = now();
    std::vector<Cookie> found;
    {
        const std::lock_guard lock(m_mutex);
        for (const Cookie& cookie : m_cookies) {
            if (expired(cookie, at) || (cookie.secure && !secure) || (cookie.httpOnly && !includeHttpOnly))
                continue;
            if (domainMatches(cookie, host) && pathMatches(cookie.path, path))
                found.push_back(cookie);
        }
    }
    // Longer paths first; among equal paths the older cookie first.
    std::stable_sort(found.begin(), found.end(),
        [](const Cookie& a, const Cookie& b) { return a.path.size() > b.path.size(); });
    return found;
}

std::string CookieStore::cookieHeaderFor(const std::string& address, bool includeHttpOnly) const
{
    std::string header;
    for (const Cookie& cookie : cookiesFor(address, includeHttpOnly)) {
        if (!header.empty())
            header += "; ";
        header += cookie.name + "=" + cookie.value;
    }
    return header;
}

std::vector<Cookie> CookieStore::all() const
{
    const std::lock_guard lock(m_mutex);
    return m_cookies;
}

void CookieStore::clear()
{
    {
        const std::lock_guard lock(m_mutex);
        m_cookies.clear();
    }
    changed();
}

void CookieStore::changed() const
{
    if (!m_file.empty())
        save();
}

bool CookieStore::save() const
{
    if (m_file.empty())
        return true;
    const std::lock_guard saving(m_saveMutex);
    std::string text;
    {
        const std::lock_guard lock(m_mutex);
        const std::int64_t at = now();
        std::vector<Cookie> keep;
        for (const Cookie& cookie : m_cookies)
            if (!expired(cookie, at))
                keep.push_back(cookie);
        text = writeCookieFile(keep);
    }
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    return config::writeFileAtomically(m_file, text);
}

bool CookieStore::load()
{
    std::string bytes;
    if (m_file.empty() || !config::readFile(m_file, bytes))
        return false;
    const std::int64_t at = now();
    std::vector<Cookie> loaded;
    for (Cookie& cookie : readCookieFile(bytes))
        if (!expired(cookie, at) && storable(cookie))
            loaded.push_back(std::move(cookie));
    const std::lock_guard lock(m_mutex);
    m_cookies = std::move(loaded);
    return true;
}

std::string BrowserCookies(const CookieStore& store, const std::string& hostPath, const std::string& name)
{
    const std::string address = "http://" + hostPath;
    std::string ordinary = store.cookieHeaderFor(address, false);
    std::string withHttpOnly = store.cookieHeaderFor(address, true);
    std::string merged = MergeCookies(ordinary, withHttpOnly);
    if (name.empty())
        return merged;
    return CookieValue(merged, name, false);
}

}  // namespace vq::web
