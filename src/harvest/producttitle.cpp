#include "harvest/producttitle.h"

#include <array>
#include <utility>

#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::harvest {

namespace {

// In this order: "&amp;" first becomes a blank, then a leftover "amp;" of a
// doubly escaped ampersand disappears; "&quot;" becomes two double quotes
// because the title goes into a quoted package field as it is.
constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kEntities{{
    {"&amp;", " "},
    {"amp;", ""},
    {"&apos;", "'"},
    {"&lt;", "<"},
    {"&gt;", ">"},
    {"&middot;", "·"},
    {"&rsquo;", "’"},
    {"&mdash;", "—"},
    {"&lsquo;", "‘"},
    {"&quot;", "\"\""},
    {"&deg;", "°"},
}};

}  // namespace

std::string extractTitle(std::string_view pageText)
{
    std::string title = text::TextBetween(pageText, "。这是", "的详细页面。");
    for (const auto& [entity, replacement] : kEntities)
        title = text::replaceAll(title, entity, replacement);
    return title;
}

}  // namespace vq::harvest
