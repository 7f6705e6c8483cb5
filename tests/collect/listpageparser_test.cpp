#include "collect/listpageparser.h"

#include <gtest/gtest.h>

#include "marketplace.h"
#include "support/tempdir.h"
#include "text/gbk.h"
#include "text/pagetext.h"
#include "text/textops.h"

using namespace vq::collect;
using vq::ItemRow;

namespace {

const std::string kDetail = "http://127.0.0.1:9/single";

// A saved list page of the stand-in, read as the crawler reads a fetched one.
std::string savedPage(const std::string& name)
{
    const std::string bytes = vq::test::readBytes(vq::market::Marketplace::defaultFixtureRoot() / "lists" / name);
    return vq::text::PageText(vq::text::replaceAll(bytes, "{{DETAIL}}", kDetail));
}

ItemRow row(const std::string& title, const std::string& price, const std::string& offerId)
{
    return {title, price, kDetail + "/offer/" + offerId + ".html", offerId};
}

struct LayoutCase {
    const char* name;
    const char* file;
    PageLayout layout;
    std::size_t entries;
    std::vector<ItemRow> rows;

    friend void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }
};

class SavedListPage : public testing::TestWithParam<LayoutCase> {};

TEST_P(SavedListPage, YieldsItsEntriesWithPricesByPosition)
{
    const ListPage page = parseListPage(savedPage(GetParam().file));
    ASSERT_TRUE(page.layout.has_value());
    EXPECT_EQ(pageLayoutName(*page.layout), pageLayoutName(GetParam().layout));
    EXPECT_EQ(page.entryCount, GetParam().entries);
    EXPECT_EQ(page.rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SavedListPage,
    testing::Values(
        // The second entry has no price, so the later prices move up by one;
        // the fourth lacks ".html" and is skipped; the last entry gets none;
        // the entry after the pager marker is never read.
        LayoutCase{"Ordinary", "shop-ordinary.html", PageLayout::Ordinary, 5,
                   {row("夏季纯棉T恤 男款", "25.00", "600000000101"), row("加厚牛仔外套", "33.50", "600000000102"),
                    row("儿童防晒帽&amp;围巾套装", "41.00", "600000000103"), row("真丝睡衣两件套", "", "600000000105")}},
        // Every page the second layout matches is matched by the first one,
        // which is tried before it.
        LayoutCase{"WangpuReadByTheOrdinaryPattern", "shop-wangpu.html", PageLayout::Ordinary, 3,
                   {row("不锈钢保温杯 500ml", "18.90", "600000000201"), row("陶瓷马克杯", "9.80", "600000000202"),
                    row("玻璃水杯 六只装", "26.00", "600000000203")}},
        LayoutCase{"ShopStreetWithYenEntity", "shop-shopstreet.html", PageLayout::ShopStreet, 4,
                   {row("手工编织草帽", "12.80", "600000000301"), row("竹编收纳篮", "15.00", "600000000302"),
                    row("藤编果盘", "22.50", "600000000304")}},
        LayoutCase{"NewTmall", "shop-newtmall.html", PageLayout::NewTmall, 2,
                   {row("蓝牙耳机 降噪款", "199.00", "600000000401"), row("充电宝 20000毫安", "89.00", "600000000402")}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(ListPageLayouts, TheSecondLayoutsOwnPatternReadsItsPage)
{
    const ListPage page = parseListPageAs(savedPage("shop-wangpu.html"), PageLayout::Wangpu);
    ASSERT_EQ(page.layout, PageLayout::Wangpu);
    ASSERT_EQ(page.rows.size(), 3u);
    EXPECT_EQ(page.rows[1], row("陶瓷马克杯", "9.80", "600000000202"));
    // Without the blank after "class=title" the second layout finds nothing.
    EXPECT_FALSE(parseListPageAs(savedPage("shop-ordinary.html"), PageLayout::Wangpu).layout.has_value());
}

TEST(ListPageLayouts, APageWithoutEntriesHasNoLayoutAndNoRows)
{
    for (const std::string& text : {std::string(), std::string("<html><body>该店铺暂无宝贝</body></html>"),
                                   savedPage("shop-empty.html")}) {
        const ListPage page = parseListPage(text);
        EXPECT_FALSE(page.layout.has_value()) << text;
        EXPECT_TRUE(page.rows.empty()) << text;
    }
}

TEST(ListPageLayouts, NothingAfterThePagerMarkerIsSearched)
{
    const std::string entry = "class=title><a href=\"http://x/offer/1.html\" target=_blank>T</A>\r\n"
                              "<DIV class=attributes>";
    EXPECT_EQ(parseListPage(entry).rows.size(), 1u);
    EXPECT_TRUE(parseListPage("分页器&quot;" + entry).rows.empty());
    EXPECT_EQ(parseListPage(entry + "分页器&quot;" + entry).rows.size(), 1u);
}

TEST(ListPageLayouts, PatternsIgnoreLetterCase)
{
    const std::string entry = "CLASS=TITLE><A HREF=\"http://x/offer/7.html\" TARGET=_BLANK>T</a>\r\n"
                              "<div CLASS=attributes><SPAN>￥</SPAN> <EM>3.00</EM>";
    const ListPage page = parseListPage(entry);
    ASSERT_EQ(page.rows.size(), 1u);
    EXPECT_EQ(page.rows[0].offerId, "7");
    EXPECT_EQ(page.rows[0].price, "3.00");
}

struct OfferIdCase {
    const char* name;
    const char* address;
    const char* offerId;

    friend void PrintTo(const OfferIdCase& c, std::ostream* os) { *os << c.name; }
};

class OfferIdOfAddress : public testing::TestWithParam<OfferIdCase> {};

TEST_P(OfferIdOfAddress, IsBetweenOfferSlashAndHtml)
{
    EXPECT_EQ(offerIdOfAddress(GetParam().address), GetParam().offerId);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OfferIdOfAddress,
    testing::Values(OfferIdCase{"Plain", "https://detail.1688.com/offer/612345.html", "612345"},
                    OfferIdCase{"WithQuery", "https://detail.1688.com/offer/612345.html?spm=a", "612345"},
                    OfferIdCase{"NoHtml", "https://detail.1688.com/offer/612345", ""},
                    OfferIdCase{"NoOfferSlash", "https://detail.1688.com/item/612345.html", ""},
                    OfferIdCase{"CaseCounts", "https://detail.1688.com/OFFER/612345.HTML", ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(ListPageAddress, FollowsModeAndKind)
{
    CrawlState state;
    state.shopHost = "shop1.1688.com";
    EXPECT_EQ(listPageAddress(CollectionMode::Shop, state, 3), "http://shop1.1688.com/page/offerlist.htm?&pageNum=3");
    state.listKind = ListKind::ShopCategory;
    state.listKey = "123";
    EXPECT_EQ(listPageAddress(CollectionMode::List, state, 12),
              "http://shop1.1688.com/search.htm?&search=y&scid=123&viewType=grid&orderType=_hotsell&pageNum=12");
    state.listKind = ListKind::Category;
    state.listKey = "778";
    EXPECT_EQ(listPageAddress(CollectionMode::List, state, 1),
              "http://shop1.1688.com/search.htm?&search=y&catId=778&viewType=grid&orderType=_hotsell&pageNum=1");
    state.listKind = ListKind::OfferList;
    state.listKey = "https://s.1688.com/selloffer/offer_search.htm?keywords=cup";
    EXPECT_EQ(listPageAddress(CollectionMode::List, state, 2),
              "https://s.1688.com/selloffer/offer_search.htm?keywords=cup&pageNum=2");
}

}  // namespace
