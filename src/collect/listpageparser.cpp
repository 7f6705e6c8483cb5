#include "collect/listpageparser.h"

#include <array>

#include "text/regex.h"
#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::collect {
namespace {

struct LayoutPatterns {
    PageLayout layout;
    const char* entry;
    const char* price;
};

// Entry patterns capture the product address and the title; price patterns
// capture the price text. "." matches line breaks and letter case is ignored.
// The last two price patterns expect a line feed, eight blanks and a tab.
constexpr std::array<LayoutPatterns, 4> kLayouts = {{
    {PageLayout::Ordinary,
     "class=title.*? href=\"(.*?)\" target=_blank>(.*?)</A>.*?\r\n<DIV class=attributes",
     ">￥</span> <em>(.*?)</em>"},
    {PageLayout::Wangpu,
     "class=title [\\s\\S]*? href=\"(.*?)\" target=_blank>(.*?)</A>.*?\r\n<DIV class=attributes>",
     ">￥</span> <em>(.*?)</em>"},
    {PageLayout::ShopStreet,
     "\n<div class=\"image\">\\s*?<a href=\"(.*?)\" title=\"(.*?)\" target=\"_blank\">",
     "\">&yen;</span>\n        \t<em>(.*?)</em>"},
    {PageLayout::NewTmall,
     "class=\"title\">\n[\\s\\S]*? href=\"(.*?)\" target=\"_blank\">(.*?)</A>[\\s\\S]*?<div class=\"attributes\">",
     ">￥</span>\n        \t<em>(.*?)</em>"},
}};

struct CompiledLayout {
    PageLayout layout;
    text::Regex entry;
    text::Regex price;
};

const std::vector<CompiledLayout>& compiledLayouts()
{
    static const std::vector<CompiledLayout> layouts = [] {
        std::vector<CompiledLayout> compiled;
        const text::Regex::Options options{true, true};
        for (const LayoutPatterns& patterns : kLayouts)
            compiled.push_back({patterns.layout, text::Regex::perl(patterns.entry, options),
                                text::Regex::perl(patterns.price, options)});
        return compiled;
    }();
    return layouts;
}

}  // namespace

std::string pageLayoutName(PageLayout layout)
{
    switch (layout) {
    case PageLayout::Ordinary:
        return "普通";
    case PageLayout::Wangpu:
        return "旺铺";
    case PageLayout::ShopStreet:
        return "店铺街";
    case PageLayout::NewTmall:
        return "新天猫";
    }
    return {};
}

std::string offerIdOfAddress(std::string_view address)
{
    return text::TextBetween(address, "offer/", ".html");
}

namespace {

std::string_view searchedPart(std::string_view pageText)
{
    const std::size_t cut = pageText.find("分页器&quot");
    return cut == std::string_view::npos ? pageText : pageText.substr(0, cut);
}

// The entries of searched under one layout; no layout when its entry
// pattern finds nothing.
ListPage entriesOf(std::string_view searched, const CompiledLayout& layout)
{
    ListPage page;
    const text::RegexMatches entries = layout.entry.matchAll(searched);
    if (entries.empty())
        return page;
    const text::RegexMatches prices = layout.price.matchAll(searched);
    page.layout = layout.layout;
    page.entryCount = entries.count();
    for (std::size_t i = 0; i < entries.count(); ++i) {
        ItemRow row;
        row.address = entries.group(i, 1);
        row.title = entries.group(i, 2);
        row.offerId = offerIdOfAddress(row.address);
        if (row.offerId.empty())
            continue;
        row.price = prices.group(i, 1);
        page.rows.push_back(std::move(row));
    }
    return page;
}

}  // namespace

ListPage parseListPage(std::string_view pageText)
{
    const std::string_view searched = searchedPart(pageText);
    for (const CompiledLayout& layout : compiledLayouts()) {
        ListPage page = entriesOf(searched, layout);
        if (page.layout)
            return page;
    }
    return {};
}

ListPage parseListPageAs(std::string_view pageText, PageLayout layout)
{
    for (const CompiledLayout& compiled : compiledLayouts())
        if (compiled.layout == layout)
            return entriesOf(searchedPart(pageText), compiled);
    return {};
}

std::string listPageAddress(CollectionMode mode, const CrawlState& state, int page)
{
    const std::string n = std::to_string(page);
    if (mode == CollectionMode::Shop)
        return "http://" + state.shopHost + "/page/offerlist.htm?&pageNum=" + n;
    switch (state.listKind) {
    case ListKind::ShopCategory:
        return "http://" + state.shopHost + "/search.htm?&search=y&scid=" + state.listKey
            + "&viewType=grid&orderType=_hotsell&pageNum=" + n;
    case ListKind::Category:
        return "http://" + state.shopHost + "/search.htm?&search=y&catId=" + state.listKey
            + "&viewType=grid&orderType=_hotsell&pageNum=" + n;
    case ListKind::OfferList:
        return state.listKey + "&pageNum=" + n;
    case ListKind::None:
        break;
    }
    return {};
}

}  // namespace vq::collect
