#include "collect/linkcollector.h"

#include "collect/addressrecognition.h"
#include "collect/collectport.h"
#include "collect/frontend.h"
#include "collect/itemlist.h"
#include "collect/listpageparser.h"
#include "collect/logpanel.h"
#include "collect/multilineaddressdialog.h"
#include "collect/numbertext.h"
#include "collect/pagerangedialog.h"
#include "text/pagetext.h"
#include "text/textops.h"
#include "web/webclient.h"

namespace vq::collect {

LinkCollector::LinkCollector(const web::WebClient& web, const config::Endpoints& endpoints, ItemList& list,
                             LogPanel& log, FrontEnd& frontEnd, CollectPort& port)
    : m_web(web), m_endpoints(endpoints), m_list(list), m_log(log), m_frontEnd(frontEnd), m_port(port)
{
}

void LinkCollector::log(std::string_view message)
{
    m_log.log(std::string(message));
}

AddResult LinkCollector::addToList(CollectionMode mode, const std::string& addressBoxText)
{
    if (text::trim(addressBoxText).empty())
        return {};
    m_state.listKey.clear();
    m_state.listKind = ListKind::None;

    AddResult result;
    switch (mode) {
    case CollectionMode::Single:
        return addSingleProducts(addressBoxText);
    case CollectionMode::Shop:
        result = recognizeShop(addressBoxText);
        break;
    case CollectionMode::List:
        result = recognizeList(addressBoxText);
        break;
    case CollectionMode::None:
        return {};
    }
    if (result.outcome != AddOutcome::Done)
        return result;

    m_crawlMode = mode;
    if (m_state.lastPage > PageRangeDialog::kMaxSpan) {
        PageRangeDialog dialog(m_state.lastPage);
        if (!m_port.runPageRangeDialog(dialog) || !dialog.accepted()) {
            result.outcome = AddOutcome::RangeNotChosen;
            if (dialog.messageVisible() && dialog.message() != PageRangeDialog::kInitialMessage)
                result.message = dialog.message();
            return result;
        }
        m_state.lastPage = dialog.lastPage();
        m_state.pagesDone = dialog.firstPage() - 1;
    }
    const std::size_t before = m_list.rowCount();
    crawlListPages(1);
    const std::size_t after = m_list.rowCount();
    result.rowsAdded = after > before ? after - before : 0;
    return result;
}

AddResult LinkCollector::addSingleProducts(const std::string& addressBoxText)
{
    if (addressBoxText != kMultiLinePrompt)
        m_pastedAddresses = addressBoxText;

    AddResult result;
    const std::size_t lines = text::LineCount(m_pastedAddresses);
    if (lines == 0)
        return result;
    result.outcome = AddOutcome::Done;
    for (std::size_t i = 1; i <= lines; ++i) {
        const std::string line = text::trim(text::LineAt(m_pastedAddresses, static_cast<long long>(i)));
        const std::string address = withoutConsignPrivate(line);
        std::string body = m_web.fetch(address);
        // The request-object variant gets past some refusals of the ordinary
        // request; it is given the line as pasted.
        if (body.empty())
            body = m_web.fetchViaWinHttpObject(line);
        const ProductPageInfo info = readProductPage(text::PageText(body));
        if (!info.recognised()) {
            log(kProductNotRecognised);
            ++result.linesNotRecognised;
            continue;
        }
        m_list.appendRow({info.title, "", line, info.offerId});
        ++result.rowsAdded;
    }
    return result;
}

AddResult LinkCollector::recognizeShop(const std::string& addressBoxText)
{
    AddResult result;
    result.outcome = AddOutcome::AddressRejected;
    const std::string host = shopHostOf(addressBoxText);
    m_state.shopHost = host;
    if (isRejectedShopHost(host, m_endpoints)) {
        log(kShopNotRecognised);
        return result;
    }
    const std::string page = text::PageText(m_web.fetch("http://" + host + "/page/offerlist.htm"));
    if (page.empty()) {
        log(kShopNotRecognised);
        return result;
    }
    return takeCounts(true, page);
}

AddResult LinkCollector::recognizeList(const std::string& addressBoxText)
{
    AddResult result;
    result.outcome = AddOutcome::AddressRejected;
    const ListAddress address = recognizeListAddress(addressBoxText);
    m_state.listKind = address.kind;
    m_state.listKey = address.key;
    if (address.key.empty()) {
        log(kListNotRecognised);
        return result;
    }
    const std::string page = text::PageText(m_web.fetch(addressBoxText));
    if (page.empty()) {
        log(kListPageFailed);
        return result;
    }
    m_state.shopHost = shopHostOf(addressBoxText);
    return takeCounts(false, page);
}

AddResult LinkCollector::takeCounts(bool shop, const std::string& pageText)
{
    AddResult result;
    const ListCounts counts = shop ? readShopCounts(pageText) : readListCounts(pageText);
    log("  共搜索到：" + counts.productCount + " 个商品\r\n");
    if (counts.noProducts) {
        log(kNoProducts);
        result.outcome = AddOutcome::NoProducts;
        return result;
    }
    log("  宝贝页码从第 1 页到第  " + counts.pageCount + "  页下载，总页码数是 " + counts.pageCount + " 页！\r\n");
    m_state.lastPage = integerOf(counts.pageCount);
    m_state.pagesDone = 0;
    result.outcome = AddOutcome::Done;
    result.listPages = m_state.lastPage;
    return result;
}

void LinkCollector::crawlListPages(int label)
{
    const std::string thread = "  线程：" + std::to_string(label);
    while (m_state.pagesDone < m_state.lastPage) {
        ++m_state.pagesDone;
        const int n = m_state.pagesDone;
        const std::string page = text::PageText(m_web.fetch(listPageAddress(m_crawlMode, m_state, n)));
        m_frontEnd.processPendingEvents();
        log(thread + "  正在读取宝贝列表 第：  " + std::to_string(n) + " /" + std::to_string(m_state.lastPage)
            + " 页\r\n");

        const ListPage entries = parseListPage(page);
        for (const ItemRow& row : entries.rows) {
            m_list.appendRow(row);
            m_frontEnd.processPendingEvents();
        }
        const std::string total = std::to_string(m_list.rowCount());
        log(thread + "  读取成功，成功提取了：  " + total + "  个宝贝\r\n");
        if (m_state.pagesDone == m_state.lastPage)
            log("  宝贝下载完成 【共提取了：  " + total + "  个宝贝】\r\n");
        m_frontEnd.processPendingEvents();
    }
}

std::optional<std::string> LinkCollector::pasteAddresses(std::string_view editText)
{
    m_pastedAddresses = MultiLineAddressDialog::savedAddresses(editText);
    if (m_pastedAddresses.empty())
        return std::nullopt;
    return std::string(kMultiLinePrompt);
}

std::optional<std::string> LinkCollector::openMultiLineAddressDialog()
{
    const MultiLineAddressDialog dialog(m_pastedAddresses);
    const std::optional<std::string> editText = m_port.runMultiLineAddressDialog(dialog);
    if (!editText)
        return std::nullopt;
    return pasteAddresses(*editText);
}

}  // namespace vq::collect
