// Shops, category lists, offer lists and single product pages for the link
// collection. Pages are GBK, as the marketplace serves them.
//
// Shops are told apart by host name, so that several shops can live on the
// one server: "<name>.localhost:PORT" reaches 127.0.0.1 without any name
// lookup (the HTTP client resolves every *.localhost name to loopback
// itself), and the Host header carries the name. 127.0.0.1 itself serves
// the "ordinary" shop.
//   ordinary, wangpu, shopstreet, newtmall  one page in that layout
//   empty                                   a shop without products
//   pages<N> or pages<N>x<E>                N pages of E entries (default 2)
//   holes<N>                                as pages<N>, but every even page
//                                           drops the connection unanswered
// On every shop host:
//   /search.htm?...&scid=K...&pageNum=n     shop category K, 3 pages
//   /search.htm?...&catId=K...&pageNum=n    category K, 3 pages
//   /category-K.html                        first page of category K
// Offer lists (any host):
//   /page/offerlist_K.htm?...&pageNum=n     2 pages
//   /selloffer/offer_search.htm?keywords=W&pageNum=n
//                                           2 pages; keyword "nothing" finds none
// Single product pages, where list entries point:
//   /single/offer/ID.html        the page; empty when asked with "sk=consignPrivate"
//   /single/spaced/ID.html       title element written "<title >"
//   /single/notitle/ID.html      offer ID but no title element
//   /single/retry/ID.html        empty unless asked with "sk=consignPrivate"
#include <httplib.h>

#include <cstdio>
#include <string>

#include "routes.h"
#include "sharedstate.h"
#include "text/gbk.h"

namespace {

using vq::market::Request;
using vq::market::Response;

const std::string kArea = "lists";

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Up to six leading decimal digits of text.
std::string leadingDigits(const std::string& text)
{
    std::size_t end = 0;
    while (end < text.size() && end < 6 && text[end] >= '0' && text[end] <= '9')
        ++end;
    return text.substr(0, end);
}

void sendGbk(Response& response, const std::string& gbkBytes)
{
    response.set_content(gbkBytes, "text/html; charset=gbk");
}

// The shop name of a request: the Host header up to ".localhost" or the
// port; "ordinary" for a bare loopback address.
std::string shopName(const Request& request)
{
    std::string host = request.get_header_value("Host");
    host = host.substr(0, host.find(':'));
    for (char& c : host)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::size_t local = host.find(".localhost");
    if (local != std::string::npos)
        return host.substr(0, local);
    if (host == "127.0.0.1" || host == "localhost")
        return "ordinary";
    return host;
}

// The page number of a list request: "pageNum=n" anywhere in the query; 1
// when absent.
int pageNumber(const Request& request)
{
    const std::string& target = request.target;
    for (std::size_t at = target.find("pageNum="); at != std::string::npos; at = target.find("pageNum=", at + 1)) {
        if (at == 0 || (target[at - 1] != '?' && target[at - 1] != '&'))
            continue;
        const std::string digits = leadingDigits(target.substr(at + 8));
        return digits.empty() ? 0 : std::stoi(digits);
    }
    return 1;
}

// The value of "&key=" in the request target up to the next "&"; empty
// when absent.
std::string queryValue(const Request& request, const std::string& key)
{
    const std::string& target = request.target;
    const std::size_t at = target.find("&" + key + "=");
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + key.size() + 2;
    return target.substr(start, target.find('&', start) - start);
}

// What the handlers need of the stand-in; captured by value, since the
// route collection itself is gone once the routes are installed.
struct Context {
    vq::market::SharedState* state;
    std::filesystem::path root;

    std::string detailBase() const { return state->httpBase() + "/single"; }
    std::string fixture(const std::string& name) const { return vq::market::readFixture(root, kArea, name); }
};

// One entry of the ordinary layout, CR LF lines as the marketplace wrote them.
std::string ordinaryEntry(const std::string& base, const std::string& offerId, const std::string& title,
                          const std::string& price)
{
    return "<li class=\"offer-item\">\r\n<div class=title><a href=\"" + base + "/offer/" + offerId
        + ".html\" target=_blank>" + title + "</A></div>\r\n<DIV class=attributes><span class=rmb>￥</span> <em>"
        + price + "</em></DIV>\r\n</li>\r\n";
}

struct GeneratedList {
    std::string heading;       // count and page-count text of the page head
    std::string idPrefix;      // offer IDs are idPrefix + page + entry
    std::string titlePrefix;
    int entriesPerPage = 2;
};

// A generated list page in the ordinary layout (UTF-8).
std::string generatedPage(const std::string& base, const GeneratedList& list, int page)
{
    std::string text = "<html><head><meta charset=\"gbk\"><title>" + list.titlePrefix
        + "</title></head><body>\r\n" + list.heading + "\r\n<ul class=\"offer-list\">\r\n";
    for (int entry = 1; entry <= list.entriesPerPage; ++entry) {
        char number[32];
        std::snprintf(number, sizeof number, "%03d%02d", page, entry);
        const std::string price = std::to_string(10 + entry) + "." + std::to_string(page % 10) + "0";
        text += ordinaryEntry(base, list.idPrefix + number, list.titlePrefix + " 第" + std::to_string(page) + "页 第"
                                  + std::to_string(entry) + "个",
                              price);
    }
    text += "</ul>\r\n<div class=\"pager\" data-config=\"{&quot;name&quot;:&quot;分页器&quot;}\"></div>\r\n"
            "<div class=title><a href=\"" + base + "/offer/999999999.html\" target=_blank>推荐宝贝</A></div>\r\n"
            "<DIV class=attributes><span class=rmb>￥</span> <em>1.00</em></DIV>\r\n</body></html>\r\n";
    return text;
}

void serveShop(const Context& context, const Request& request, Response& response)
{
    const std::string name = shopName(request);
    const std::string base = context.detailBase();
    const bool holes = name.rfind("holes", 0) == 0;
    if (holes || name.rfind("pages", 0) == 0) {
        const std::string pagesText = leadingDigits(name.substr(5));
        const std::string rest = name.substr(5 + pagesText.size());
        const std::string entriesText = rest.rfind("x", 0) == 0 ? leadingDigits(rest.substr(1)) : std::string();
        if (pagesText.empty() || (!rest.empty() && (entriesText.empty() || rest.size() != entriesText.size() + 1))) {
            response.status = 404;
            return;
        }
        const int pages = std::stoi(pagesText);
        GeneratedList list;
        list.entriesPerPage = entriesText.empty() ? 2 : std::stoi(entriesText);
        list.heading = "<div class=\"offer-header\">共 <em class=\"offer-count\">"
            + std::to_string(pages * list.entriesPerPage) + "</em>条 <em class=page-count>" + std::to_string(pages)
            + "</em>页</div>";
        list.idPrefix = "5" + std::to_string(pages);
        list.titlePrefix = "多页店铺" + std::to_string(pages);
        const int page = pageNumber(request);
        if (page < 1 || page > pages) {
            response.status = 404;
            return;
        }
        if (holes && page % 2 == 0) {
            if (vq::market::Exchange* exchange = vq::market::currentExchange())
                exchange->resetConnection();
            return;
        }
        sendGbk(response, vq::text::utf8ToGbk(generatedPage(base, list, page)));
        return;
    }
    std::string page = context.fixture("shop-" + name + ".html");
    if (page.empty()) {
        response.status = 404;
        return;
    }
    replaceAll(page, "{{DETAIL}}", base);
    sendGbk(response, page);
}

// Category K of a shop: three pages in the ordinary layout.
void serveCategory(const Context& context, Response& response, const std::string& key,
                   const std::string& kind, int page)
{
    GeneratedList list;
    list.heading = "<div class=\"offer-header\">共 <em class=\"offer-count\">6</em>条 <em class=page-count>3</em>页</div>";
    list.idPrefix = "7" + key;
    list.titlePrefix = kind + key;
    if (page < 1 || page > 3) {
        response.status = 404;
        return;
    }
    sendGbk(response, vq::text::utf8ToGbk(generatedPage(context.detailBase(), list, page)));
}

// An offer list or keyword search: two pages; the count in the search
// page's own wording.
void serveOfferList(const Context& context, Response& response, const std::string& idPrefix,
                    const std::string& title, bool empty, int page)
{
    GeneratedList list;
    list.heading = std::string("<div class=\"sm-navigatebar\">共搜索到<em>") + (empty ? "0" : "4")
        + "</span></em>个符合条件的产品" + (empty ? "" : " <em class=\"page-count\">2</em>页") + "</div>";
    list.idPrefix = idPrefix;
    list.titlePrefix = title;
    list.entriesPerPage = empty ? 0 : 2;
    if (page < 1 || page > 2) {
        response.status = 404;
        return;
    }
    sendGbk(response, vq::text::utf8ToGbk(generatedPage(context.detailBase(), list, page)));
}

enum class ProductVariant { Plain, SpacedTitle, NoTitle };

std::string productPage(const Context& context, const std::string& offerId, ProductVariant variant)
{
    std::string page = context.fixture("product.html");
    if (variant == ProductVariant::SpacedTitle)
        replaceAll(page, "<title>", "<title >");
    if (variant == ProductVariant::NoTitle)
        replaceAll(page, "<title>{{TITLE}}</title>", "");
    replaceAll(page, "{{TITLE}}", vq::text::utf8ToGbk("示例宝贝" + offerId));
    replaceAll(page, "{{OFFER}}", offerId);
    return page;
}

bool askedWithConsignPrivate(const Request& request)
{
    return request.target.find("sk=consignPrivate") != std::string::npos;
}

}  // namespace

VQ_MARKETPLACE_ROUTES(lists)
{
    const Context context{&routes.state(), routes.fixtureRoot()};
    routes.get("/page/offerlist\\.htm", [context](const Request& request, Response& response) {
        serveShop(context, request, response);
    });
    routes.get("/search\\.htm", [context](const Request& request, Response& response) {
        const std::string scid = queryValue(request, "scid");
        const std::string catId = queryValue(request, "catId");
        if (!scid.empty())
            serveCategory(context, response, scid, "店铺分类", pageNumber(request));
        else if (!catId.empty())
            serveCategory(context, response, catId, "类目", pageNumber(request));
        else
            response.status = 404;
    });
    routes.get("/category-(\\w+)\\.html", [context](const Request& request, Response& response) {
        serveCategory(context, response, request.matches[1].str(), "类目", 1);
    });
    routes.get("/page/offerlist_(\\d+)\\.htm", [context](const Request& request, Response& response) {
        const std::string key = request.matches[1].str();
        serveOfferList(context, response, "6" + key, "产品列表" + key, false, pageNumber(request));
    });
    routes.get("/selloffer/offer_search\\.htm", [context](const Request& request, Response& response) {
        const std::string words = request.get_param_value("keywords");
        serveOfferList(context, response, "65", "搜索" + words, words == "nothing", pageNumber(request));
    });

    routes.get("/single/offer/(\\d+)\\.html", [context](const Request& request, Response& response) {
        // The stand-in refuses the consignment form of an address, so only
        // the cleaned address finds the page.
        if (askedWithConsignPrivate(request))
            return sendGbk(response, "");
        sendGbk(response, productPage(context, request.matches[1].str(), ProductVariant::Plain));
    });
    routes.get("/single/spaced/(\\d+)\\.html", [context](const Request& request, Response& response) {
        sendGbk(response, productPage(context, request.matches[1].str(), ProductVariant::SpacedTitle));
    });
    routes.get("/single/notitle/(\\d+)\\.html", [context](const Request& request, Response& response) {
        sendGbk(response, productPage(context, request.matches[1].str(), ProductVariant::NoTitle));
    });
    routes.get("/single/retry/(\\d+)\\.html", [context](const Request& request, Response& response) {
        // Only the address as pasted, consignment part included, finds the
        // page: the cleaned first request gets an empty answer.
        if (!askedWithConsignPrivate(request))
            return sendGbk(response, "");
        sendGbk(response, productPage(context, request.matches[1].str(), ProductVariant::Plain));
    });
}
