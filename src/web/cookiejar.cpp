#include "web/cookiejar.h"

#include <algorithm>
#include <vector>

#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::web {
namespace {

// The text before an item's first "=", trimmed; the whole item without "=".
std::string cookieName(std::string_view item)
{
    return text::trim(item.substr(0, item.find('=')));
}

}  // namespace

std::string MergeCookies(std::string& jar, std::string& newCookies)
{
    jar = text::removeBlanks(jar);
    newCookies = text::removeBlanks(newCookies);

    std::vector<std::string> merged = text::split(newCookies, ";");
    for (const std::string& old : text::split(jar, ";")) {
        const std::string name = cookieName(old);
        const bool alreadySet = std::any_of(merged.begin(), merged.end(),
            [&name](const std::string& item) { return cookieName(item) == name; });
        if (!alreadySet)
            merged.push_back(old);
    }

    std::string joined;
    for (const std::string& item : merged) {
        if (text::endsWith(item, "=deleted"))
            continue;
        joined += item;
        joined += "; ";
    }
    if (joined.size() >= 2)
        joined.resize(joined.size() - 2);
    jar = RemoveDuplicateItems(joined, "; ");
    return jar;
}

std::string CookieValue(const std::string& jar, const std::string& name, bool valueOnly)
{
    std::string cookies = text::trim(jar);
    if (!text::endsWith(cookies, ";"))
        cookies += ";";
    std::string value;
    for (const std::string& piece : text::split(cookies, ";")) {
        const std::size_t eq = piece.find('=');
        if (eq == std::string::npos)
            continue;
        // Items after the first follow a "; " separator, so the name is
        // compared without its surrounding blanks.
        if (!text::equalsIgnoreCase(text::trim(std::string_view(piece).substr(0, eq)), name))
            continue;
        const std::string item = text::trim(piece);
        if (item.find(':') == std::string::npos)
            value = item.substr(item.rfind('=') + 1);
        else
            value = text::TextBetween(item, "=", ":");
        break;
    }
    if (value.empty())
        return {};
    return valueOnly ? value : name + "=" + value;
}

std::string RemoveDuplicateItems(const std::string& text, const std::string& separator)
{
    std::vector<std::string> kept;
    for (std::string& item : text::split(text, separator))
        if (std::find(kept.begin(), kept.end(), item) == kept.end())
            kept.push_back(std::move(item));
    return text::join(kept, separator);
}

}  // namespace vq::web
