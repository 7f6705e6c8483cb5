// Recognising what the user pasted into the address box: product pages
// (offer ID and title), shop addresses and shop-category list addresses,
// and the product and page counts of a first list page. Pure text work on
// texts already at hand; nothing here fetches.
#pragma once

#include <string>
#include <string_view>

#include "collect/collectstate.h"

namespace vq::config {
struct Endpoints;
}

namespace vq::collect {

// The text the address box shows once several addresses were pasted.
inline constexpr std::string_view kMultiLinePrompt = "已粘贴多行地址";

// The product address of one pasted line with every "sk=consignPrivate"
// removed (exact case).
std::string withoutConsignPrivate(std::string_view line);

struct ProductPageInfo {
    std::string offerId;  // as found, untrimmed
    std::string title;    // as found, untrimmed
    // Both the offer ID and the title are non-empty after trimming.
    bool recognised() const;
};

// The offer ID (between "offer_id:\"" and "\",") and the page title of a
// product page text, letter case of the markers ignored.
ProductPageInfo readProductPage(std::string_view pageText);

// The host of a shop or list address: the text between "http://" and the
// next "/", else between "https://" and the next "/", trimmed; a port stays.
std::string shopHostOf(std::string_view addressText);

// Whether shop mode must refuse host: empty, or exactly the marketplace's
// or the Tmall product-detail host of endpoints.
bool isRejectedShopHost(std::string_view host, const config::Endpoints& endpoints);

struct ListAddress {
    ListKind kind = ListKind::None;
    std::string key;  // empty: not recognised
};

// The list kind and key of a list address; a later kind in the order scid,
// catId, category-, offer list/keywords overrides an earlier one.
ListAddress recognizeListAddress(std::string_view addressText);

struct ListCounts {
    std::string productCount;  // trimmed; may be empty
    std::string pageCount;     // the page-count text; "1" when the page shows none
    bool noProducts = false;   // the page says it holds 0 products: nothing to crawl
};

// Product and page counts of a shop's first offer-list page.
ListCounts readShopCounts(std::string_view pageText);
// Product and page counts of a category or offer list's first page.
ListCounts readListCounts(std::string_view pageText);

}  // namespace vq::collect
