#include "collect/addressrecognition.h"

#include "collect/numbertext.h"
#include "config/endpoints.h"
#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::collect {
namespace {

// The markers of this module are matched with letter case ignored.
std::string between(std::string_view text, std::string_view start, std::string_view end)
{
    return text::TextBetween(text, start, end, 0, true);
}

}  // namespace

std::string withoutConsignPrivate(std::string_view line)
{
    return text::replaceAll(line, "sk=consignPrivate", "");
}

bool ProductPageInfo::recognised() const
{
    return !text::trim(offerId).empty() && !text::trim(title).empty();
}

ProductPageInfo readProductPage(std::string_view pageText)
{
    ProductPageInfo info;
    info.offerId = between(pageText, "offer_id:\"", "\",");
    info.title = between(pageText, "<title>", "</title>");
    if (info.title.empty())
        info.title = between(pageText, "<title >", "</title>");
    return info;
}

std::string shopHostOf(std::string_view addressText)
{
    std::string host = text::trim(between(addressText, "http://", "/"));
    if (host.empty())
        host = text::trim(between(addressText, "https://", "/"));
    return host;
}

bool isRejectedShopHost(std::string_view host, const config::Endpoints& endpoints)
{
    return host.empty() || host == config::Endpoints::hostOf(endpoints.detail)
        || host == config::Endpoints::hostOf(endpoints.tmall_detail);
}

ListAddress recognizeListAddress(std::string_view addressText)
{
    ListAddress address;
    if (text::contains(addressText, "scid=")) {
        address.kind = ListKind::ShopCategory;
        address.key = text::trim(between(addressText, "&scid=", "&"));
    }
    if (text::contains(addressText, "catId=")) {
        address.kind = ListKind::Category;
        address.key = text::trim(between(addressText, "&catId=", "&"));
    }
    if (text::contains(addressText, "category-")) {
        address.kind = ListKind::Category;
        address.key = text::trim(between(addressText, "category-", "."));
    }
    if (text::contains(addressText, "offerlist_") || text::contains(addressText, "keywords=")) {
        address.kind = ListKind::OfferList;
        std::string cleaned = text::trim(addressText);
        cleaned = text::replaceAll(cleaned, "#search-bar", "");
        cleaned = text::replaceAll(cleaned, "&pageNum=1", "");
        address.key = cleaned;
    }
    return address;
}

ListCounts readShopCounts(std::string_view pageText)
{
    ListCounts counts;
    counts.productCount = text::trim(between(pageText, "offer-count\">", "</em>条"));
    if (counts.productCount.empty())
        counts.productCount = text::trim(between(pageText, "erinfo_wplist\">", "条</a>"));
    std::string pages = between(pageText, "<em class=page-count>", "</em>页");
    if (pages.empty())
        pages = between(pageText, "<b class=ui-page-s-len>", "</b>");
    if (pages.empty())
        pages = between(pageText, "<em class=\"page-count\">", "</em>页");
    if (isZero(numberOf(pages))) {
        if (text::trim(between(pageText, "erinfo_wplist\">", "条</a>")) == "0")
            counts.noProducts = true;
        else
            pages = "1";
    }
    counts.pageCount = pages;
    return counts;
}

ListCounts readListCounts(std::string_view pageText)
{
    ListCounts counts;
    counts.productCount = text::trim(between(pageText, "offer-count\">", "</em>条"));
    if (counts.productCount.empty())
        counts.productCount = text::trim(between(pageText, "共搜索到<em>", "</span></em>个符合条件的产品"));
    std::string pages = between(pageText, "<em class=page-count>", "</em>页");
    if (pages.empty())
        pages = between(pageText, "<em class=\"page-count\">", "</em>页");
    if (isZero(numberOf(pages))) {
        if (text::trim(between(pageText, "共搜索到<em>", "</span></em>个符合条件的产品")) == "0")
            counts.noProducts = true;
        else
            pages = "1";
    }
    counts.pageCount = pages;
    return counts;
}

}  // namespace vq::collect
