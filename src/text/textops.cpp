#include "text/textops.h"

#include <algorithm>

namespace vq::text {
namespace {

constexpr std::string_view kFullWidthBlank = "\xE3\x80\x80";  // U+3000

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of a blank at pos (1 for ASCII blank, 3 for U+3000), else 0.
std::size_t blankAt(std::string_view text, std::size_t pos)
{
    if (text[pos] == ' ')
        return 1;
    if (text.substr(pos, kFullWidthBlank.size()) == kFullWidthBlank)
        return kFullWidthBlank.size();
    return 0;
}

std::size_t blankEndingAt(std::string_view text, std::size_t end)
{
    if (text[end - 1] == ' ')
        return 1;
    if (end >= kFullWidthBlank.size() && text.substr(end - kFullWidthBlank.size(), kFullWidthBlank.size()) == kFullWidthBlank)
        return kFullWidthBlank.size();
    return 0;
}

template <typename Finder>
std::string replaceWith(std::string_view text, std::string_view from, std::string_view to, bool firstOnly,
                        Finder finder)
{
    if (from.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = finder(text, from, pos);
        if (hit == npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
        if (firstOnly)
            break;
    }
    out.append(text.substr(pos));
    return out;
}

}  // namespace

std::size_t find(std::string_view haystack, std::string_view needle, std::size_t from, bool ignoreCase)
{
    if (from > haystack.size())
        return npos;
    if (!ignoreCase)
        return haystack.find(needle, from);
    const auto it = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from), haystack.end(),
                                needle.begin(), needle.end(),
                                [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    if (it == haystack.end() && !needle.empty())
        return npos;
    return static_cast<std::size_t>(it - haystack.begin());
}

bool contains(std::string_view haystack, std::string_view needle, bool ignoreCase)
{
    return find(haystack, needle, 0, ignoreCase) != npos;
}

std::string toLowerAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool isAllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool endsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    return replaceWith(text, from, to, false,
                       [](std::string_view t, std::string_view f, std::size_t p) { return t.find(f, p); });
}

std::string replaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to)
{
    return replaceWith(text, from, to, false,
                       [](std::string_view t, std::string_view f, std::size_t p) { return find(t, f, p, true); });
}

std::string replaceFirst(std::string_view text, std::string_view from, std::string_view to)
{
    return replaceWith(text, from, to, true,
                       [](std::string_view t, std::string_view f, std::size_t p) { return t.find(f, p); });
}

std::string trimLeft(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t blank = blankAt(text, pos);
        if (!blank)
            break;
        pos += blank;
    }
    return std::string(text.substr(pos));
}

std::string trimRight(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0) {
        const std::size_t blank = blankEndingAt(text, end);
        if (!blank)
            break;
        end -= blank;
    }
    return std::string(text.substr(0, end));
}

std::string trim(std::string_view text)
{
    return trimLeft(trimRight(text));
}

std::string removeBlanks(std::string_view text)
{
    return replaceAll(replaceAll(text, " ", ""), kFullWidthBlank, "");
}

std::vector<std::string> split(std::string_view text, std::string_view separator)
{
    std::vector<std::string> pieces;
    if (text.empty())
        return pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = text.find(separator, pos);
        if (hit == std::string_view::npos) {
            if (pos < text.size())
                pieces.emplace_back(text.substr(pos));
            break;
        }
        pieces.emplace_back(text.substr(pos, hit - pos));
        pos = hit + separator.size();
    }
    return pieces;
}

std::string join(const std::vector<std::string>& pieces, std::string_view separator)
{
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i)
            out.append(separator);
        out.append(pieces[i]);
    }
    return out;
}

std::size_t LineCount(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto feeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return feeds + (text.back() != '\n' ? 1 : 0);
}

std::string LineAt(std::string_view text, long long i)
{
    if (i < 1)
        return {};
    const std::vector<std::string> lines = split(text, "\r\n");
    if (static_cast<unsigned long long>(i) > lines.size())
        return {};
    return lines[static_cast<std::size_t>(i - 1)];
}

}  // namespace vq::text
