// The collection mode chosen in the main window and the crawl state that the
// add command hands to the list crawler. The state lives as long as the
// window and keeps its values between commands.
#pragma once

#include <string>
#include <string_view>

namespace vq::collect {

// "单品", "列表", "店铺"; None until the user first chooses a mode.
enum class CollectionMode { None, Single, List, Shop };

// What kind of list address was recognised: 1 shop category by "scid",
// 2 category by "catId" or "category-", 3 offer-list or keyword address.
enum class ListKind { None = 0, ShopCategory = 1, Category = 2, OfferList = 3 };

// The mode's name as the window shows it ("单品", "列表", "店铺"; empty for None).
std::string collectionModeName(CollectionMode mode);

// The prompt the address box shows when the user switches to mode:
// single-product mode shows "已粘贴多行地址" while multi-line addresses are
// stored, else the paste hint; list and shop mode ask for their address.
std::string addressBoxPrompt(CollectionMode mode, std::string_view pastedAddresses);

struct CrawlState {
    ListKind listKind = ListKind::None;
    std::string listKey;   // category key (kinds 1, 2) or the cleaned list address (kind 3)
    std::string shopHost;  // host of the shop or list address, port included, no scheme or path
    int lastPage = 0;      // the last page the crawl reads
    int pagesDone = 0;     // pages already read; the crawl reads pagesDone+1 .. lastPage
};

}  // namespace vq::collect
