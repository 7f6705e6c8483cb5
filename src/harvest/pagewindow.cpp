#include "harvest/pagewindow.h"

#include <algorithm>

#include "text/textops.h"

namespace vq::harvest {

namespace {

constexpr std::string_view kStockMarker = "canbookcount";
constexpr std::size_t kNone = std::string_view::npos;

// Position of the n-th (1 = last) occurrence of c strictly before end, or
// kNone when there are fewer.
std::size_t nthBefore(std::string_view text, char c, std::size_t end, int n)
{
    std::size_t pos = std::min(end, text.size());
    while (n > 0) {
        if (pos == 0)
            return kNone;
        pos = text.rfind(c, pos - 1);
        if (pos == kNone)
            return kNone;
        --n;
    }
    return pos;
}

std::size_t lineStart(std::string_view text, std::size_t pos)
{
    if (pos == 0)
        return 0;
    const std::size_t feed = text.rfind('\n', pos - 1);
    return feed == kNone ? 0 : feed + 1;
}

// Where a match holding the first stock marker at c can start at the
// earliest, for each layout of the SKU table:
//  - key with "&gt;" then "{"-free text: the key's quote is the last quote
//    before a "&gt;" that follows the second-last "{" before c;
//  - key with "&gt;" then one line: the quote is at most the second-last
//    quote before the line of c;
//  - one-property key: the entry's "{" is the last "{" before c, or (when
//    a discount price on one line holds braces) the last "{" before that
//    line; the key's quote is at most the second-last quote before it.
// The bounds only grow with c, so the first marker bounds every match.
std::size_t earliestStart(std::string_view text, std::size_t c)
{
    const auto quoteBefore = [&text](std::size_t end, int n) {
        const std::size_t pos = nthBefore(text, '"', end, n);
        return pos == kNone ? 0 : pos;
    };
    std::size_t earliest = quoteBefore(lineStart(text, c), 2);

    const std::size_t secondBrace = nthBefore(text, '{', c, 2);
    earliest = std::min(earliest, quoteBefore(secondBrace == kNone ? 0 : secondBrace + 1, 1));

    const std::size_t lastBrace = nthBefore(text, '{', c, 1);
    if (lastBrace == kNone)
        return 0;
    const std::size_t braceBeforeLine = nthBefore(text, '{', lineStart(text, lastBrace), 1);
    if (braceBeforeLine == kNone || braceBeforeLine < 2)
        return 0;
    return std::min(earliest, quoteBefore(braceBeforeLine - 2, 2));
}

// Where a match holding the last stock marker at c ends at the latest: no
// layout crosses a "{" after the marker except on the line of that "{".
std::size_t latestEnd(std::string_view text, std::size_t c)
{
    const std::size_t brace = text.find('{', c);
    if (brace == kNone)
        return text.size();
    const std::size_t feed = text.find('\n', brace);
    return feed == kNone ? text.size() : feed + 1;
}

std::size_t lastOccurrence(std::string_view text, std::string_view needle)
{
    std::size_t last = kNone;
    for (std::size_t pos = text::find(text, needle, 0, true); pos != kNone;
         pos = text::find(text, needle, pos + 1, true))
        last = pos;
    return last;
}

}  // namespace

std::string linesContaining(std::string_view text, std::string_view literal)
{
    std::string lines;
    std::size_t searchFrom = 0;
    while (true) {
        const std::size_t hit = text::find(text, literal, searchFrom, true);
        if (hit == kNone)
            break;
        const std::size_t start = lineStart(text, hit);
        const std::size_t feed = text.find('\n', hit);
        const std::size_t end = feed == kNone ? text.size() : feed + 1;
        lines.append(text.substr(start, end - start));
        searchFrom = end;
    }
    return lines;
}

std::string_view skuTableWindow(std::string_view pageText)
{
    const std::size_t first = text::find(pageText, kStockMarker, 0, true);
    if (first == kNone)
        return {};
    const std::size_t start = earliestStart(pageText, first);
    const std::size_t end = latestEnd(pageText, lastOccurrence(pageText, kStockMarker));
    return pageText.substr(start, end - start);
}

}  // namespace vq::harvest
