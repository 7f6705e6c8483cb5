// Reading the product entries of one shop or category list page, and the
// addresses of a list's pages. The marketplace has used four page layouts;
// each is tried in a fixed order. Pure text work; nothing here fetches.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "collect/collectstate.h"
#include "collect/itemlist.h"

namespace vq::collect {

// The layouts in the order they are tried.
enum class PageLayout { Ordinary, Wangpu, ShopStreet, NewTmall };

// "普通", "旺铺", "店铺街", "新天猫".
std::string pageLayoutName(PageLayout layout);

struct ListPage {
    std::optional<PageLayout> layout;  // none when no entry pattern matched
    std::size_t entryCount = 0;        // entries found, including those skipped
    std::vector<ItemRow> rows;         // entries with an offer ID, in page order
};

// The offer ID of a product address: the text after the first "offer/" up
// to the next ".html" (exact case); empty when either is missing.
std::string offerIdOfAddress(std::string_view address);

// The entries of a list page text. Only the text before the first
// "分页器&quot" is searched. Prices pair with entries by position: an entry
// without a price shifts the prices of the entries after it.
ListPage parseListPage(std::string_view pageText);
// The entries of a list page text under one given layout only.
ListPage parseListPageAs(std::string_view pageText, PageLayout layout);

// The address of page n of the list described by mode and state.
std::string listPageAddress(CollectionMode mode, const CrawlState& state, int page);

}  // namespace vq::collect
