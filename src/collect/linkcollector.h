// The add command of the collection tab: turns pasted product, shop or
// category-list addresses into rows of the item list, crawling the list
// pages of shops and categories. Runs on the UI thread and blocks it while
// a page is fetched; the crawl lets pending window events be handled after
// each page and each row.
//
// Use from a front end without windows (the command line's `add`):
//   PresetCollectPort port(PresetCollectPort::Range{first, last});  // --pages
//   PresetCollectPort port;                                         // no --pages
//   LinkCollector collector(web, endpoints, list, log, frontEnd, port);
//   single mode, several addresses at once:
//     collector.pasteAddresses(addresses joined by "\r\n");
//     collector.addToList(CollectionMode::Single, std::string(kMultiLinePrompt));
//   single mode with one address, or list and shop mode (one address a call):
//     collector.addToList(mode, address);
// A list or shop of more than 35 pages needs a page range: without one, or
// with one the page-range rules refuse, addToList adds nothing and answers
// AddOutcome::RangeNotChosen, with listPages the list's page count and
// message the rule's text ("起始页或结束页输入有误！请修改！" or
// "超始页大于结束页或间隔大于35页！请修改！") when a given range was refused.
// What happened is also in the log panel, line by line, as the window shows it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "collect/collectstate.h"

namespace vq {
class FrontEnd;
class ItemList;
class LogPanel;
}  // namespace vq

namespace vq::config {
struct Endpoints;
}

namespace vq::web {
class WebClient;
}

namespace vq::collect {

class CollectPort;

enum class AddOutcome {
    Nothing,          // blank address box, no mode chosen or no pasted addresses
    Done,             // lines processed, or the list crawled
    AddressRejected,  // shop or list address not recognised, or its first page failed
    NoProducts,       // the list says it holds no products
    RangeNotChosen    // more than 35 pages and no valid page range
};

struct AddResult {
    AddOutcome outcome = AddOutcome::Nothing;
    std::size_t rowsAdded = 0;
    std::size_t linesNotRecognised = 0;  // single-product mode
    int listPages = 0;                   // page count read from a list's first page
    std::string message;                 // RangeNotChosen: why a given range was refused
};

class LinkCollector {
public:
    // Log lines of the add command and the crawl, after the date-time text.
    static constexpr std::string_view kProductNotRecognised = "  地址输入不正确，未识别到宝贝！\r\n";
    static constexpr std::string_view kShopNotRecognised = "  店铺地址输入不正确，未识别到宝贝！\r\n";
    static constexpr std::string_view kListNotRecognised = "  分类地址输入不正确，未识别到宝贝！\r\n";
    static constexpr std::string_view kListPageFailed = "  店铺地址输入不正确，未识别到宝贝！1\r\n";
    static constexpr std::string_view kNoProducts = "  该分类未识别到宝贝！\r\n";

    // All references must outlive the collector.
    LinkCollector(const web::WebClient& web, const config::Endpoints& endpoints, ItemList& list, LogPanel& log,
                  FrontEnd& frontEnd, CollectPort& port);

    // The add button "添加到列表" with the address box's text in mode.
    AddResult addToList(CollectionMode mode, const std::string& addressBoxText);

    // Reads pages pagesDone+1 .. lastPage of the recognised list and appends
    // their products. label appears in the log lines only.
    void crawlListPages(int label);

    // The multi-line addresses of single-product mode, lines joined by CR LF.
    const std::string& pastedAddresses() const { return m_pastedAddresses; }
    void setPastedAddresses(std::string addresses) { m_pastedAddresses = std::move(addresses); }

    // Stores editText as the multi-line window's "确定保存" does. Returns the
    // text the address box must show afterwards ("已粘贴多行地址"), or
    // nothing when no address remains (the box stays as it is).
    std::optional<std::string> pasteAddresses(std::string_view editText);
    // Opens the multi-line window through the port (double click on the
    // address box); returns what pasteAddresses returns, nothing on cancel.
    std::optional<std::string> openMultiLineAddressDialog();

    const CrawlState& crawlState() const { return m_state; }
    // The mode of the last recognised list or shop, which the crawl follows.
    CollectionMode crawlMode() const { return m_crawlMode; }

private:
    AddResult addSingleProducts(const std::string& addressBoxText);
    AddResult recognizeShop(const std::string& addressBoxText);
    AddResult recognizeList(const std::string& addressBoxText);
    AddResult takeCounts(bool shop, const std::string& pageText);
    void log(std::string_view message);

    const web::WebClient& m_web;
    const config::Endpoints& m_endpoints;
    ItemList& m_list;
    LogPanel& m_log;
    FrontEnd& m_frontEnd;
    CollectPort& m_port;

    std::string m_pastedAddresses;
    CrawlState m_state;
    CollectionMode m_crawlMode = CollectionMode::None;
};

}  // namespace vq::collect
