#include "collect/addressrecognition.h"

#include <gtest/gtest.h>

#include "config/endpoints.h"

using namespace vq::collect;

namespace {

struct ProductCase {
    const char* name;
    const char* page;
    const char* offerId;
    const char* title;
    bool recognised;

    friend void PrintTo(const ProductCase& c, std::ostream* os) { *os << c.name; }
};

class ProductPage : public testing::TestWithParam<ProductCase> {};

TEST_P(ProductPage, FindsOfferIdAndTitle)
{
    const ProductPageInfo info = readProductPage(GetParam().page);
    EXPECT_EQ(info.offerId, GetParam().offerId);
    EXPECT_EQ(info.title, GetParam().title);
    EXPECT_EQ(info.recognised(), GetParam().recognised);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProductPage,
    testing::Values(
        ProductCase{"Plain", "<title>保温杯</title> offer_id:\"612\",", "612", "保温杯", true},
        ProductCase{"MarkersInUpperCase", "<TITLE>保温杯</TITLE> OFFER_ID:\"612\",", "612", "保温杯", true},
        ProductCase{"SpacedTitleElement", "<title >保温杯</title> offer_id:\"612\",", "612", "保温杯", true},
        ProductCase{"TitleKeptUntrimmed", "<title> 保温杯 </title> offer_id:\" 612\",", " 612", " 保温杯 ", true},
        ProductCase{"NoTitleElement", "<h1>保温杯</h1> offer_id:\"612\",", "612", "", false},
        ProductCase{"BlankTitle", "<title>  </title> offer_id:\"612\",", "612", "  ", false},
        ProductCase{"NoOfferId", "<title>保温杯</title>", "", "保温杯", false},
        ProductCase{"BlankOfferId", "<title>保温杯</title> offer_id:\"  \",", "  ", "保温杯", false},
        ProductCase{"EmptyPage", "", "", "", false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(ConsignPrivate, EveryOccurrenceIsRemovedInExactCase)
{
    EXPECT_EQ(withoutConsignPrivate("http://a/offer/1.html?sk=consignPrivate"), "http://a/offer/1.html?");
    EXPECT_EQ(withoutConsignPrivate("x?sk=consignPrivate&sk=consignPrivate"), "x?&");
    EXPECT_EQ(withoutConsignPrivate("x?SK=CONSIGNPRIVATE"), "x?SK=CONSIGNPRIVATE");
}

struct HostCase {
    const char* name;
    const char* address;
    const char* host;

    friend void PrintTo(const HostCase& c, std::ostream* os) { *os << c.name; }
};

class ShopHost : public testing::TestWithParam<HostCase> {};

TEST_P(ShopHost, IsTheTextAfterTheSchemeUpToTheNextSlash)
{
    EXPECT_EQ(shopHostOf(GetParam().address), GetParam().host);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShopHost,
    testing::Values(HostCase{"Http", "http://shop1.1688.com/page/index.htm", "shop1.1688.com"},
                    HostCase{"Https", "https://shop1.1688.com/", "shop1.1688.com"},
                    HostCase{"SchemeInUpperCase", "HTTP://shop1.1688.com/", "shop1.1688.com"},
                    HostCase{"PortKept", "http://ordinary.localhost:8080/x", "ordinary.localhost:8080"},
                    HostCase{"NoSlashAfterHost", "http://shop1.1688.com", ""},
                    HostCase{"NoScheme", "shop1.1688.com/", ""},
                    HostCase{"BlanksTrimmed", "http:// shop1.1688.com /", "shop1.1688.com"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(ShopHostCheck, RefusesTheProductDetailHosts)
{
    const vq::config::Endpoints endpoints;
    EXPECT_TRUE(isRejectedShopHost("", endpoints));
    EXPECT_TRUE(isRejectedShopHost("detail.1688.com", endpoints));
    EXPECT_TRUE(isRejectedShopHost("detail.tmall.com", endpoints));
    EXPECT_FALSE(isRejectedShopHost("shop1.1688.com", endpoints));
    // Exact comparison: another spelling of the host is not refused.
    EXPECT_FALSE(isRejectedShopHost("DETAIL.1688.com", endpoints));

    vq::config::Endpoints local;
    local.detail = "http://127.0.0.1:8123";
    local.tmall_detail = "http://127.0.0.1:8123";
    // The detail endpoint is compared by host name alone, so a shop on the
    // same address with a port is still a shop.
    EXPECT_TRUE(isRejectedShopHost("127.0.0.1", local));
    EXPECT_FALSE(isRejectedShopHost("127.0.0.1:8123", local));
}

struct ListCase {
    const char* name;
    const char* address;
    ListKind kind;
    const char* key;

    friend void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }
};

class ListAddressRecognition : public testing::TestWithParam<ListCase> {};

TEST_P(ListAddressRecognition, FindsKindAndKey)
{
    const ListAddress address = recognizeListAddress(GetParam().address);
    EXPECT_EQ(address.kind, GetParam().kind);
    EXPECT_EQ(address.key, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListAddressRecognition,
    testing::Values(
        ListCase{"Scid", "http://s.1688.com/search.htm?&scid=12345&viewType=grid", ListKind::ShopCategory, "12345"},
        ListCase{"ScidWithoutFollowingAmpersand", "http://s.1688.com/search.htm?&scid=12345", ListKind::ShopCategory,
                 ""},
        ListCase{"CatId", "http://s.1688.com/search.htm?&catId=778&x=1", ListKind::Category, "778"},
        ListCase{"CatIdMarkerIgnoresCase", "http://s.1688.com/search.htm?&CATID=778&catId=9", ListKind::Category,
                 "778"},
        ListCase{"CategoryDash", "http://s.1688.com/category-4455.html", ListKind::Category, "4455"},
        ListCase{"CategoryOverridesScid", "http://s.1688.com/category-4455.html?&scid=1&", ListKind::Category, "4455"},
        ListCase{"OfferList", "  http://s.1688.com/page/offerlist_99.htm?a=1#search-bar&pageNum=1  ",
                 ListKind::OfferList, "http://s.1688.com/page/offerlist_99.htm?a=1"},
        ListCase{"Keywords", "http://s.1688.com/selloffer/offer_search.htm?keywords=cup&pageNum=1&pageNum=12",
                 ListKind::OfferList, "http://s.1688.com/selloffer/offer_search.htm?keywords=cup2"},
        ListCase{"ScidAndOfferListIsKindThree", "http://s.1688.com/page/offerlist_9.htm?&scid=12&x",
                 ListKind::OfferList, "http://s.1688.com/page/offerlist_9.htm?&scid=12&x"},
        ListCase{"Nothing", "http://s.1688.com/page/index.htm", ListKind::None, ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct CountCase {
    const char* name;
    const char* page;
    const char* products;
    const char* pages;
    bool noProducts;

    friend void PrintTo(const CountCase& c, std::ostream* os) { *os << c.name; }
};

class ShopCounts : public testing::TestWithParam<CountCase> {};

TEST_P(ShopCounts, ReadsProductAndPageCounts)
{
    const ListCounts counts = readShopCounts(GetParam().page);
    EXPECT_EQ(counts.productCount, GetParam().products);
    EXPECT_EQ(counts.pageCount, GetParam().pages);
    EXPECT_EQ(counts.noProducts, GetParam().noProducts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShopCounts,
    testing::Values(
        CountCase{"OfferCountAndPageCount", "<em class=\"offer-count\"> 80 </em>条 <em class=page-count>4</em>页", "80",
                  "4", false},
        CountCase{"WangpuPageLength", "<em class=\"offer-count\">80</em>条 <b class=ui-page-s-len>4</b>", "80", "4",
                  false},
        CountCase{"QuotedPageCount", "<a class=\"erinfo_wplist\">12条</a> <em class=\"page-count\">2</em>页", "12", "2",
                  false},
        CountCase{"NoPageCountIsOnePage", "<em class=\"offer-count\">3</em>条", "3", "1", false},
        CountCase{"NothingAtAllIsOnePage", "<html></html>", "", "1", false},
        CountCase{"ZeroPagesIsOnePage", "<em class=\"offer-count\">3</em>条 <em class=page-count>0</em>页", "3", "1",
                  false},
        CountCase{"ZeroProducts", "<a class=\"erinfo_wplist\"> 0 条</a>", "0", "", true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

class ListCountsOfList : public testing::TestWithParam<CountCase> {};

TEST_P(ListCountsOfList, ReadsProductAndPageCounts)
{
    const ListCounts counts = readListCounts(GetParam().page);
    EXPECT_EQ(counts.productCount, GetParam().products);
    EXPECT_EQ(counts.pageCount, GetParam().pages);
    EXPECT_EQ(counts.noProducts, GetParam().noProducts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListCountsOfList,
    testing::Values(
        CountCase{"OfferCount", "<em class=\"offer-count\">6</em>条 <em class=page-count>3</em>页", "6", "3", false},
        CountCase{"SearchWording", "共搜索到<em>4</span></em>个符合条件的产品 <em class=\"page-count\">2</em>页", "4",
                  "2", false},
        CountCase{"WangpuPageLengthIsNotReadForLists", "<em class=\"offer-count\">6</em>条 <b class=ui-page-s-len>3</b>",
                  "6", "1", false},
        CountCase{"ZeroProducts", "共搜索到<em>0</span></em>个符合条件的产品", "0", "", true},
        CountCase{"MissingCountIsOnePage", "<p>nothing</p>", "", "1", false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
