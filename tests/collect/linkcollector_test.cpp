#include "collect/linkcollector.h"

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <utility>

#include "collect/addressrecognition.h"
#include "collect/collectport.h"
#include "collect/frontend.h"
#include "collect/itemlist.h"
#include "collect/logpanel.h"
#include "collect/multilineaddressdialog.h"
#include "collect/pagerangedialog.h"
#include "config/endpoints.h"
#include "sharedstate.h"
#include "support/marketplaceenv.h"
#include "text/textops.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

using namespace vq::collect;
using vq::ItemRow;

namespace {

class CountingFrontEnd : public vq::FrontEnd {
public:
    void processPendingEvents() override { ++m_events; }
    int events() const { return m_events; }

private:
    int m_events = 0;
};

// Answers the page-range window as a user would: one pair of box texts per
// press of "确定", until the window accepts a range.
class ScriptedPort : public CollectPort {
public:
    std::deque<std::pair<std::string, std::string>> presses;
    std::vector<std::string> messages;  // the message label after each refused press
    int asked = 0;
    std::optional<std::string> multiLineAnswer;

    bool runPageRangeDialog(PageRangeDialog& dialog) override
    {
        ++asked;
        EXPECT_EQ(dialog.message(), PageRangeDialog::kInitialMessage);
        while (!presses.empty()) {
            const auto [first, last] = presses.front();
            presses.pop_front();
            if (dialog.confirm(first, last))
                return true;
            messages.push_back(dialog.message());
        }
        return false;
    }

    std::optional<std::string> runMultiLineAddressDialog(const MultiLineAddressDialog&) override
    {
        return multiLineAnswer;
    }
};

class LinkCollection : public testing::Test {
protected:
    LinkCollection()
        : m_endpoints(vq::test::standInEndpoints()),
          m_web(m_store, vq::web::WebClientSettings{vq::test::standInCertificate()}),
          m_collector(m_web, m_endpoints, m_list, m_log, m_frontEnd, m_port)
    {
        vq::test::marketplace().state().clearRecorded();
    }

    std::string base() const { return vq::test::marketplace().httpBase(); }
    std::string port() const { return std::to_string(vq::test::marketplace().httpPort()); }
    std::string shop(const std::string& name) const { return "http://" + name + ".localhost:" + port() + "/"; }
    std::string product(const std::string& kind, const std::string& id) const
    {
        return base() + "/single/" + kind + "/" + id + ".html";
    }

    // The log lines without their date-time text.
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const std::string& line : m_log.lines()) {
            const std::size_t at = line.find("  ");
            out.push_back(at == std::string::npos ? line : line.substr(at));
        }
        return out;
    }

    std::vector<std::string> targetsOf(const std::string& path) const
    {
        std::vector<std::string> targets;
        for (const auto& request : vq::test::marketplace().state().recordedFor(path))
            targets.push_back(request.target);
        return targets;
    }

    vq::config::Endpoints m_endpoints;
    vq::web::CookieStore m_store;
    vq::web::WebClient m_web;
    vq::ItemList m_list;
    vq::LogPanel m_log;
    CountingFrontEnd m_frontEnd;
    ScriptedPort m_port;
    LinkCollector m_collector;
};

// ---- single-product mode -------------------------------------------------

TEST_F(LinkCollection, SingleProductAddsTitleAddressAndOfferId)
{
    const std::string line = product("offer", "612000000001");
    const AddResult result = m_collector.addToList(CollectionMode::Single, "  " + line + "  ");
    EXPECT_EQ(result.outcome, AddOutcome::Done);
    EXPECT_EQ(result.rowsAdded, 1u);
    ASSERT_EQ(m_list.rowCount(), 1u);
    EXPECT_EQ(m_list.row(0), (ItemRow{"示例宝贝612000000001", "", line, "612000000001"}));
    EXPECT_TRUE(m_log.lines().empty());
    // The box text is kept untrimmed as the pasted addresses.
    EXPECT_EQ(m_collector.pastedAddresses(), "  " + line + "  ");
}

TEST_F(LinkCollection, SingleProductFetchesTheAddressWithoutConsignPrivate)
{
    // The stand-in answers nothing to the consignment form of the address.
    const std::string line = product("offer", "612000000002") + "?sk=consignPrivate";
    m_collector.addToList(CollectionMode::Single, line);
    ASSERT_EQ(m_list.rowCount(), 1u);
    EXPECT_EQ(m_list.cell(0, 2), line);
    EXPECT_EQ(m_list.cell(0, 3), "612000000002");
    EXPECT_EQ(targetsOf("/single/offer/612000000002.html"),
              std::vector<std::string>{"/single/offer/612000000002.html?"});
}

TEST_F(LinkCollection, SingleProductRetriesAnEmptyAnswerWithTheLineAsPasted)
{
    // Only the form with "sk=consignPrivate" is answered, so the product is
    // found by the retry alone.
    const std::string line = product("retry", "612000000003") + "?sk=consignPrivate";
    m_collector.addToList(CollectionMode::Single, line);
    ASSERT_EQ(m_list.rowCount(), 1u);
    EXPECT_EQ(m_list.cell(0, 3), "612000000003");
    EXPECT_EQ(targetsOf("/single/retry/612000000003.html"),
              (std::vector<std::string>{"/single/retry/612000000003.html?",
                                        "/single/retry/612000000003.html?sk=consignPrivate"}));
}

TEST_F(LinkCollection, SingleProductReadsTheSpacedTitleElement)
{
    m_collector.addToList(CollectionMode::Single, product("spaced", "612000000004"));
    ASSERT_EQ(m_list.rowCount(), 1u);
    EXPECT_EQ(m_list.cell(0, 0), "示例宝贝612000000004");
}

TEST_F(LinkCollection, UnrecognisedLinesAreLoggedOnceEachAndTheRestGoesOn)
{
    const std::string unreachable = "http://127.0.0.1:" + std::to_string(vq::test::unusedLoopbackPort()) + "/offer/1.html";
    m_collector.pasteAddresses(product("notitle", "612000000005") + "\r\n" + unreachable + "\r\n"
                               + product("offer", "612000000006"));
    const AddResult result = m_collector.addToList(CollectionMode::Single, std::string(kMultiLinePrompt));
    EXPECT_EQ(result.linesNotRecognised, 2u);
    ASSERT_EQ(m_list.rowCount(), 1u);
    EXPECT_EQ(m_list.cell(0, 3), "612000000006");
    EXPECT_EQ(messages(), (std::vector<std::string>{std::string(LinkCollector::kProductNotRecognised),
                                                    std::string(LinkCollector::kProductNotRecognised)}));
    for (const std::string& line : m_log.lines())
        EXPECT_NE(line.find("年"), std::string::npos) << "no date-time text: " << line;
}

TEST_F(LinkCollection, TheSameAddressTwiceGivesTwoRows)
{
    const std::string line = product("offer", "612000000007");
    m_collector.pasteAddresses(line + "\r\n\r\n" + line);
    m_collector.addToList(CollectionMode::Single, std::string(kMultiLinePrompt));
    ASSERT_EQ(m_list.rowCount(), 2u);
    EXPECT_EQ(m_list.row(0), m_list.row(1));
}

TEST_F(LinkCollection, MultiLineWindowStoresTheCleanedAddresses)
{
    m_port.multiLineAnswer = "\r\nhttp://a/1.html\r\n \r\nhttp://a/2.html\r\n";
    EXPECT_EQ(m_collector.openMultiLineAddressDialog(), std::string(kMultiLinePrompt));
    EXPECT_EQ(m_collector.pastedAddresses(), "http://a/1.html\r\nhttp://a/2.html");
    m_port.multiLineAnswer.reset();  // cancelled: nothing changes
    EXPECT_EQ(m_collector.openMultiLineAddressDialog(), std::nullopt);
    EXPECT_EQ(m_collector.pastedAddresses(), "http://a/1.html\r\nhttp://a/2.html");
    m_port.multiLineAnswer = "   ";  // saved empty: the box keeps its text
    EXPECT_EQ(m_collector.openMultiLineAddressDialog(), std::nullopt);
    EXPECT_EQ(m_collector.pastedAddresses(), "");
}

struct NothingCase {
    const char* name;
    CollectionMode mode;
    const char* box;

    friend void PrintTo(const NothingCase& c, std::ostream* os) { *os << c.name; }
};

class AddNothing : public LinkCollection, public testing::WithParamInterface<NothingCase> {};

TEST_P(AddNothing, AddsAndLogsNothing)
{
    const AddResult result = m_collector.addToList(GetParam().mode, GetParam().box);
    EXPECT_EQ(result.outcome, AddOutcome::Nothing);
    EXPECT_EQ(m_list.rowCount(), 0u);
    EXPECT_TRUE(m_log.lines().empty());
    EXPECT_TRUE(vq::test::marketplace().state().recorded().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddNothing,
    testing::Values(NothingCase{"BlankBoxSingle", CollectionMode::Single, "   "},
                    NothingCase{"BlankBoxShop", CollectionMode::Shop, "　 "},
                    NothingCase{"NoModeChosen", CollectionMode::None, "http://ordinary.localhost/"},
                    NothingCase{"MultiLinePromptWithoutAddresses", CollectionMode::Single, "已粘贴多行地址"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// ---- shop mode -------------------------------------------------------------

struct ShopCase {
    const char* name;
    const char* shop;
    const char* products;
    std::vector<std::string> offerIds;
    std::vector<std::string> prices;

    friend void PrintTo(const ShopCase& c, std::ostream* os) { *os << c.name; }
};

class ShopLayouts : public LinkCollection, public testing::WithParamInterface<ShopCase> {};

TEST_P(ShopLayouts, CrawlsEveryLayoutWithItsLogLines)
{
    const AddResult result = m_collector.addToList(CollectionMode::Shop, shop(GetParam().shop));
    EXPECT_EQ(result.outcome, AddOutcome::Done);
    EXPECT_EQ(result.listPages, 1);
    std::vector<std::string> offerIds;
    std::vector<std::string> prices;
    for (const ItemRow& row : m_list.rows()) {
        offerIds.push_back(row.offerId);
        prices.push_back(row.price);
        EXPECT_EQ(row.address, base() + "/single/offer/" + row.offerId + ".html");
        EXPECT_FALSE(row.title.empty());
    }
    EXPECT_EQ(offerIds, GetParam().offerIds);
    EXPECT_EQ(prices, GetParam().prices);
    const std::string total = std::to_string(GetParam().offerIds.size());
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "  共搜索到：" + std::string(GetParam().products) + " 个商品\r\n",
                              "  宝贝页码从第 1 页到第  1  页下载，总页码数是 1 页！\r\n",
                              "  线程：1  正在读取宝贝列表 第：  1 /1 页\r\n",
                              "  线程：1  读取成功，成功提取了：  " + total + "  个宝贝\r\n",
                              "  宝贝下载完成 【共提取了：  " + total + "  个宝贝】\r\n"}));
    // After the page fetch, after each row and after the page.
    EXPECT_EQ(m_frontEnd.events(), 2 + static_cast<int>(GetParam().offerIds.size()));
    EXPECT_EQ(m_port.asked, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ShopLayouts,
    testing::Values(
        ShopCase{"Ordinary", "ordinary", "5", {"600000000101", "600000000102", "600000000103", "600000000105"},
                 {"25.00", "33.50", "41.00", ""}},
        ShopCase{"Wangpu", "wangpu", "3", {"600000000201", "600000000202", "600000000203"}, {"18.90", "9.80", "26.00"}},
        ShopCase{"ShopStreet", "shopstreet", "4", {"600000000301", "600000000302", "600000000304"},
                 {"12.80", "15.00", "22.50"}},
        ShopCase{"NewTmallWithoutPageCount", "newtmall", "2", {"600000000401", "600000000402"}, {"199.00", "89.00"}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(LinkCollection, AnHttpsShopAddressIsCrawledOverHttp)
{
    const AddResult result =
        m_collector.addToList(CollectionMode::Shop, "https://newtmall.localhost:" + port() + "/page/index.htm");
    EXPECT_EQ(result.outcome, AddOutcome::Done);
    EXPECT_EQ(m_list.rowCount(), 2u);
    EXPECT_EQ(m_collector.crawlState().shopHost, "newtmall.localhost:" + port());
    const auto requests = vq::test::marketplace().state().recordedFor("/page/offerlist.htm");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/page/offerlist.htm");
    EXPECT_EQ(requests[1].target, "/page/offerlist.htm?&pageNum=1");
    for (const auto& request : requests)
        EXPECT_FALSE(request.secure);
}

TEST_F(LinkCollection, ProductDetailHostsAreNotShops)
{
    // The stand-in's detail endpoint is http://127.0.0.1:PORT; its host alone
    // is compared.
    ASSERT_EQ(vq::config::Endpoints::hostOf(m_endpoints.detail), "127.0.0.1");
    for (const std::string& address : {std::string("http://127.0.0.1/offer/1.html"),
                                      "https://" + vq::config::Endpoints::hostOf(m_endpoints.tmall_detail) + "/item.htm",
                                      std::string("http://no-slash-after-host"), std::string("shop without scheme")}) {
        const AddResult result = m_collector.addToList(CollectionMode::Shop, address);
        EXPECT_EQ(result.outcome, AddOutcome::AddressRejected) << address;
        EXPECT_EQ(messages().back(), LinkCollector::kShopNotRecognised) << address;
    }
    EXPECT_EQ(m_list.rowCount(), 0u);
    EXPECT_TRUE(vq::test::marketplace().state().recorded().empty());
}

TEST_F(LinkCollection, TheShopPromptItselfIsNoShop)
{
    const AddResult result = m_collector.addToList(CollectionMode::Shop, addressBoxPrompt(CollectionMode::Shop, ""));
    EXPECT_EQ(result.outcome, AddOutcome::AddressRejected);
    EXPECT_EQ(m_collector.crawlState().shopHost, "");
    EXPECT_EQ(messages(), std::vector<std::string>{std::string(LinkCollector::kShopNotRecognised)});
}

TEST_F(LinkCollection, AShopThatCannotBeReachedIsRefused)
{
    const AddResult result = m_collector.addToList(
        CollectionMode::Shop, "http://127.0.0.1:" + std::to_string(vq::test::unusedLoopbackPort()) + "/");
    EXPECT_EQ(result.outcome, AddOutcome::AddressRejected);
    EXPECT_EQ(messages(), std::vector<std::string>{std::string(LinkCollector::kShopNotRecognised)});
}

TEST_F(LinkCollection, AShopWithoutProductsStopsBeforeTheCrawl)
{
    const AddResult result = m_collector.addToList(CollectionMode::Shop, shop("empty"));
    EXPECT_EQ(result.outcome, AddOutcome::NoProducts);
    EXPECT_EQ(messages(), (std::vector<std::string>{"  共搜索到：0 个商品\r\n", std::string(LinkCollector::kNoProducts)}));
    EXPECT_EQ(targetsOf("/page/offerlist.htm").size(), 1u);
}

TEST_F(LinkCollection, ThirtyFivePagesAreCrawledWithoutAskingForARange)
{
    m_collector.addToList(CollectionMode::Shop, shop("pages35"));
    EXPECT_EQ(m_port.asked, 0);
    EXPECT_EQ(m_list.rowCount(), 70u);
    EXPECT_EQ(m_collector.crawlState().pagesDone, 35);
    const std::vector<std::string> lines = messages();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "  宝贝下载完成 【共提取了：  70  个宝贝】\r\n"), 1);
    EXPECT_EQ(lines.back(), "  宝贝下载完成 【共提取了：  70  个宝贝】\r\n");
}

TEST_F(LinkCollection, ThirtySixPagesAskForARange)
{
    m_port.presses = {{"1", "36"}};
    m_collector.addToList(CollectionMode::Shop, shop("pages36"));
    EXPECT_EQ(m_port.asked, 1);
    EXPECT_EQ(m_list.rowCount(), 72u);
}

TEST_F(LinkCollection, FortyPagesAreCrawledInTheChosenRange)
{
    m_port.presses = {{"40", "40"}, {"1", "37"}, {"", ""}, {"5", "40"}};
    const AddResult result = m_collector.addToList(CollectionMode::Shop, shop("pages40"));
    EXPECT_EQ(result.outcome, AddOutcome::Done);
    EXPECT_EQ(result.listPages, 40);
    EXPECT_EQ(m_port.messages, (std::vector<std::string>{std::string(PageRangeDialog::kBadPageMessage),
                                                         std::string(PageRangeDialog::kBadSpanMessage),
                                                         std::string(PageRangeDialog::kBadPageMessage)}));
    // Pages 5 to 40, two products each.
    ASSERT_EQ(m_list.rowCount(), 72u);
    EXPECT_EQ(m_list.cell(0, 3), "5400050" "1");
    EXPECT_EQ(m_list.cell(71, 3), "5400400" "2");
    EXPECT_EQ(m_collector.crawlState().pagesDone, 40);
    EXPECT_EQ(m_collector.crawlState().lastPage, 40);
    const std::vector<std::string> lines = messages();
    EXPECT_EQ(lines[2], "  线程：1  正在读取宝贝列表 第：  5 /40 页\r\n");
    EXPECT_EQ(lines[3], "  线程：1  读取成功，成功提取了：  2  个宝贝\r\n");
    EXPECT_EQ(lines.back(), "  宝贝下载完成 【共提取了：  72  个宝贝】\r\n");
    const std::vector<std::string> targets = targetsOf("/page/offerlist.htm");
    ASSERT_EQ(targets.size(), 37u);  // the first page, then pages 5 to 40
    EXPECT_EQ(targets[1], "/page/offerlist.htm?&pageNum=5");
    EXPECT_EQ(targets.back(), "/page/offerlist.htm?&pageNum=40");
}

struct PresetCase {
    const char* name;
    std::optional<PresetCollectPort::Range> range;
    std::string_view message;

    friend void PrintTo(const PresetCase& c, std::ostream* os) { *os << c.name; }
};

class PresetRange : public LinkCollection, public testing::WithParamInterface<PresetCase> {};

TEST_P(PresetRange, WithoutAValidRangeNothingIsAdded)
{
    PresetCollectPort port(GetParam().range);
    LinkCollector collector(m_web, m_endpoints, m_list, m_log, m_frontEnd, port);
    const AddResult result = collector.addToList(CollectionMode::Shop, shop("pages40"));
    EXPECT_EQ(result.outcome, AddOutcome::RangeNotChosen);
    EXPECT_EQ(result.listPages, 40);
    EXPECT_EQ(result.message, GetParam().message);
    EXPECT_TRUE(port.rangeWasAsked());
    EXPECT_EQ(m_list.rowCount(), 0u);
    EXPECT_EQ(targetsOf("/page/offerlist.htm").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PresetRange,
    testing::Values(PresetCase{"NoRange", std::nullopt, ""},
                    PresetCase{"FirstPageIsTheLast", PresetCollectPort::Range{40, 40}, PageRangeDialog::kBadPageMessage},
                    PresetCase{"ThirtySevenPages", PresetCollectPort::Range{1, 37}, PageRangeDialog::kBadSpanMessage}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(LinkCollection, APresetRangeIsCrawled)
{
    PresetCollectPort port(PresetCollectPort::Range{5, 40});
    LinkCollector collector(m_web, m_endpoints, m_list, m_log, m_frontEnd, port);
    const AddResult result = collector.addToList(CollectionMode::Shop, shop("pages40"));
    EXPECT_EQ(result.outcome, AddOutcome::Done);
    EXPECT_EQ(result.rowsAdded, 72u);
}

TEST_F(LinkCollection, PagesThatFailAreStillLogged)
{
    m_collector.addToList(CollectionMode::Shop, shop("holes4"));
    // Pages 2 and 4 drop the connection.
    EXPECT_EQ(m_list.rowCount(), 4u);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "  共搜索到：8 个商品\r\n", "  宝贝页码从第 1 页到第  4  页下载，总页码数是 4 页！\r\n",
                              "  线程：1  正在读取宝贝列表 第：  1 /4 页\r\n", "  线程：1  读取成功，成功提取了：  2  个宝贝\r\n",
                              "  线程：1  正在读取宝贝列表 第：  2 /4 页\r\n", "  线程：1  读取成功，成功提取了：  2  个宝贝\r\n",
                              "  线程：1  正在读取宝贝列表 第：  3 /4 页\r\n", "  线程：1  读取成功，成功提取了：  4  个宝贝\r\n",
                              "  线程：1  正在读取宝贝列表 第：  4 /4 页\r\n", "  线程：1  读取成功，成功提取了：  4  个宝贝\r\n",
                              "  宝贝下载完成 【共提取了：  4  个宝贝】\r\n"}));
}

TEST_F(LinkCollection, TheSuccessLineCountsTheWholeList)
{
    m_list.appendRow({"已有宝贝", "1.00", "http://x/offer/1.html", "1"});
    m_collector.addToList(CollectionMode::Shop, shop("newtmall"));
    EXPECT_EQ(messages()[3], "  线程：1  读取成功，成功提取了：  3  个宝贝\r\n");
}

// ---- list mode -------------------------------------------------------------

struct ListCase {
    const char* name;
    const char* path;  // after http://cats.localhost:PORT
    ListKind kind;
    const char* key;
    const char* firstPagePath;
    const char* pagePath;  // of page 2, request target
    const char* firstOfferId;
    const char* products;
    const char* pages;

    friend void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }
};

class ListKinds : public LinkCollection, public testing::WithParamInterface<ListCase> {};

TEST_P(ListKinds, CrawlsEveryPageOfTheList)
{
    const std::string address = "http://cats.localhost:" + port() + GetParam().path;
    const AddResult result = m_collector.addToList(CollectionMode::List, address);
    EXPECT_EQ(result.outcome, AddOutcome::Done);
    EXPECT_EQ(m_collector.crawlState().listKind, GetParam().kind);
    EXPECT_EQ(m_collector.crawlState().shopHost, "cats.localhost:" + port());
    const std::string pages = GetParam().pages;
    ASSERT_EQ(m_list.rowCount(), 2u * std::stoul(pages));
    EXPECT_EQ(m_list.cell(0, 3), GetParam().firstOfferId);
    const std::vector<std::string> lines = messages();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "  共搜索到：" + std::string(GetParam().products) + " 个商品\r\n");
    EXPECT_EQ(lines[1], "  宝贝页码从第 1 页到第  " + pages + "  页下载，总页码数是 " + pages + " 页！\r\n");
    std::vector<std::string> targets;
    for (const auto& request : vq::test::marketplace().state().recorded())
        targets.push_back(request.target);
    ASSERT_GE(targets.size(), 3u);
    EXPECT_EQ(targets[0], GetParam().firstPagePath);
    EXPECT_EQ(targets[2], GetParam().pagePath);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ListKinds,
    testing::Values(
        ListCase{"ShopCategoryByScid", "/search.htm?&scid=12&viewType=grid", ListKind::ShopCategory, "12",
                 "/search.htm?&scid=12&viewType=grid",
                 "/search.htm?&search=y&scid=12&viewType=grid&orderType=_hotsell&pageNum=2", "71200101", "6", "3"},
        ListCase{"CategoryByCatId", "/search.htm?&catId=778&viewType=grid", ListKind::Category, "778",
                 "/search.htm?&catId=778&viewType=grid",
                 "/search.htm?&search=y&catId=778&viewType=grid&orderType=_hotsell&pageNum=2", "777800101", "6", "3"},
        ListCase{"CategoryDash", "/category-445.html", ListKind::Category, "445", "/category-445.html",
                 "/search.htm?&search=y&catId=445&viewType=grid&orderType=_hotsell&pageNum=2", "744500101", "6", "3"},
        ListCase{"OfferList", "/page/offerlist_9.htm?tradenum=1#search-bar", ListKind::OfferList, "",
                 "/page/offerlist_9.htm?tradenum=1", "/page/offerlist_9.htm?tradenum=1&pageNum=2", "6900101", "4", "2"},
        ListCase{"Keywords", "/selloffer/offer_search.htm?keywords=cup&pageNum=1", ListKind::OfferList, "",
                 "/selloffer/offer_search.htm?keywords=cup&pageNum=1",
                 "/selloffer/offer_search.htm?keywords=cup&pageNum=2", "6500101", "4", "2"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(LinkCollection, AListAddressWithoutKeyIsRefused)
{
    const AddResult result =
        m_collector.addToList(CollectionMode::List, "http://cats.localhost:" + port() + "/search.htm?&scid=12");
    EXPECT_EQ(result.outcome, AddOutcome::AddressRejected);
    EXPECT_EQ(messages(), std::vector<std::string>{std::string(LinkCollector::kListNotRecognised)});
    EXPECT_TRUE(vq::test::marketplace().state().recorded().empty());
}

TEST_F(LinkCollection, AListWhoseFirstPageFailsIsRefused)
{
    const AddResult result = m_collector.addToList(
        CollectionMode::List,
        "http://127.0.0.1:" + std::to_string(vq::test::unusedLoopbackPort()) + "/search.htm?&catId=1&x");
    EXPECT_EQ(result.outcome, AddOutcome::AddressRejected);
    EXPECT_EQ(messages(), std::vector<std::string>{std::string(LinkCollector::kListPageFailed)});
}

TEST_F(LinkCollection, ASearchWithoutProductsStops)
{
    const AddResult result =
        m_collector.addToList(CollectionMode::List, base() + "/selloffer/offer_search.htm?keywords=nothing");
    EXPECT_EQ(result.outcome, AddOutcome::NoProducts);
    EXPECT_EQ(messages(), (std::vector<std::string>{"  共搜索到：0 个商品\r\n", std::string(LinkCollector::kNoProducts)}));
    EXPECT_EQ(m_list.rowCount(), 0u);
}

TEST_F(LinkCollection, EachAddResetsKindAndKeyButKeepsTheShopHost)
{
    m_collector.addToList(CollectionMode::List, "http://cats.localhost:" + port() + "/search.htm?&scid=12&x");
    ASSERT_EQ(m_collector.crawlState().listKind, ListKind::ShopCategory);
    m_collector.addToList(CollectionMode::Single, product("offer", "612000000009"));
    EXPECT_EQ(m_collector.crawlState().listKind, ListKind::None);
    EXPECT_EQ(m_collector.crawlState().listKey, "");
    EXPECT_EQ(m_collector.crawlState().shopHost, "cats.localhost:" + port());
}

}  // namespace
