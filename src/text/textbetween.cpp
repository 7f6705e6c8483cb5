#include "text/textbetween.h"

#include "text/textops.h"

namespace vq::text {
namespace {

std::string withQuotes(std::string_view marker)
{
    return replaceAll(marker, "#引号", "\"");
}

}  // namespace

std::string TextBetween(std::string_view text, std::string_view start, std::string_view end,
                        std::size_t from, bool ignoreCase)
{
    const std::string startMarker = withQuotes(start);
    const std::string endMarker = withQuotes(end);
    if (startMarker.empty() || endMarker.empty() || from >= text.size())
        return {};
    const std::size_t startPos = find(text, startMarker, from, ignoreCase);
    if (startPos == npos)
        return {};
    const std::size_t contentPos = startPos + startMarker.size();
    const std::size_t endPos = find(text, endMarker, contentPos, ignoreCase);
    if (endPos == npos)
        return {};
    return std::string(text.substr(contentPos, endPos - contentPos));
}

std::string TextAfterLast(std::string_view text, std::string_view marker)
{
    if (marker.empty())
        return {};
    const std::size_t pos = text.rfind(marker);
    if (pos == std::string_view::npos)
        return {};
    return std::string(text.substr(pos + marker.size()));
}

std::string TextBeforeFirst(std::string_view text, std::string_view marker)
{
    if (marker.empty())
        return {};
    const std::size_t pos = text.find(marker);
    if (pos == std::string_view::npos)
        return {};
    return std::string(text.substr(0, pos));
}

}  // namespace vq::text
