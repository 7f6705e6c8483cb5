// Product pages for the page, attribute and price steps: detail pages of
// every SKU layout and price form, the verification page, the offer posting
// form and the standard-product level service. Pages are GBK bytes, as the
// marketplace sends them. Offer IDs of this area start with 1001.
//
//   GET  /offer/1001000001.html ... fixtures/product/<ID>.html
//        1001000001/02  two sales properties, discount price before/after the stock count
//        1001000003     two sales properties, no discount price (reference price only)
//        1001000004/05  one sales property, stock count before/after the discount price
//        1001000006/07  one sales property without discount price, stock count first/later
//        1001000008     no SKU table, only the reference price
//        1001000011     business assistant: "priceRange" table, dependent attributes
//        1001000012     business assistant: data-range price rows
//        1001000013     business assistant: one price from a minimum quantity
//        1001000014     title entities, an attribute with two values
//        1001000020  the verification page twice, then the page; again for the next asker
//        1001000021  the verification page until the request carries the cookie
//                    "x5sec" or the login cookie "_nk_"
//        1001000022, 1001000023  the verification page once, then the page
//        1001000030  a full page for both roads, padded to about 500 KB
//   POST /offer/post/fill_product_info.htm  the posting form of secondCategoryId
//   GET  /spu/ajax/getLevelInfoByPath.htm?callback=C&catId=K&pathValues=P
//        C({"success":true,"data":[...]}) for the paths of category 1031910
#include <map>
#include <string>

#include "routes.h"
#include "sharedstate.h"
#include "text/gbk.h"

namespace {

using vq::market::Request;
using vq::market::Response;

const std::string kArea = "product";

// Offers that show the verification page: how many times in a row before
// the page itself (0: until the request carries a passing cookie).
const std::map<std::string, int> kVerifyingOffers = {
    {"1001000020", 2},
    {"1001000021", 0},
    {"1001000022", 1},
    {"1001000023", 1},
};

// The page a verifying offer shows once it lets the request through.
const std::string kVerifiedPage = "1001000001.html";

void sendGbk(Response& response, const std::string& gbkBytes)
{
    response.set_content(gbkBytes, "text/html; charset=gbk");
}

bool hasPassingCookie(const Request& request)
{
    const std::string cookies = request.get_header_value("Cookie");
    for (const std::string name : {"x5sec=", "_nk_="}) {
        const std::size_t at = cookies.find(name);
        if (at != std::string::npos && (at == 0 || cookies[at - 1] == ' ' || cookies[at - 1] == ';'))
            return true;
    }
    return false;
}

// Markup of the kind that fills most of a real detail page: recommendation
// lists, review snippets and scripts, in GBK. About 250 KB per call, so the
// padded page has the half megabyte of a real one.
std::string padding()
{
    std::string utf8;
    utf8.reserve(300 * 1024);
    for (int i = 0; i < 345; ++i) {
        const std::string n = std::to_string(100000 + i);
        utf8 += "<div class=\"mod-recommend-item\" data-offer=\"" + n + "\">\r\n";
        utf8 += "  <a class=\"item-link\" href=\"https://detail.example.com/offer/" + n
            + ".html\" target=\"_blank\" title=\"同款热销 纯棉短袖 第" + n + "款\">\r\n";
        utf8 += "    <img class=\"item-pic\" src=\"https://cbu01.example.com/img/ibank/rec-" + n
            + ".220x220.jpg\" alt=\"推荐商品\" width=\"220\" height=\"220\">\r\n";
        utf8 += "  </a>\r\n";
        utf8 += "  <div class=\"item-info\"><span class=\"item-price\">&yen;" + std::to_string(10 + i % 40)
            + ".00</span><span class=\"item-sold\">成交" + std::to_string(i * 7) + "件</span></div>\r\n";
        utf8 += "  <p class=\"item-review\">买家评价：质量很好，做工精细，发货速度快，包装完好，与描述一致，"
                "面料舒适透气，尺码标准，性价比高，会继续回购。</p>\r\n";
        utf8 += "  <script type=\"text/javascript\">window.__rec = window.__rec || []; window.__rec.push({id: '" + n
            + "', pos: " + std::to_string(i) + ", track: 'd-rec-" + n + "'});</script>\r\n";
        utf8 += "</div>\r\n";
    }
    return vq::text::utf8ToGbk(utf8);
}

std::string largePage(const std::filesystem::path& root)
{
    static const std::string page = [&root] {
        std::string bytes = vq::market::readFixture(root, kArea, "1001000030.html");
        const std::string marker = "<!--padding-->";
        const std::string filler = padding();
        for (std::size_t at = bytes.find(marker); at != std::string::npos; at = bytes.find(marker, at + filler.size()))
            bytes.replace(at, marker.size(), filler);
        return bytes;
    }();
    return page;
}

// The level service's answers for category 1031910: the brand's dependent
// model attribute, and the model's dependent series attribute. Each answer
// ends its line, as the service's script answers do.
std::string levelData(const std::string& catId, const std::string& pathValues)
{
    if (catId != "1031910")
        return "[]";
    if (pathValues == "2176:30001")
        return "[{\"fid\":1398,\"name\":\"型号\",\"childrenFids\":[1399],\"values\":["
               "{\"name\":\"QV-100\",\"vid\":40001},{\"name\":\"QV-200\",\"vid\":40002}]}]";
    if (pathValues == "2176:30001>1398:40001")
        return "[{\"fid\":1399,\"name\":\"系列\",\"childrenFids\":[],\"values\":["
               "{\"name\":\"经典\",\"vid\":50001}]}]";
    return "[]";
}

}  // namespace

VQ_MARKETPLACE_ROUTES(product)
{
    vq::market::SharedState& state = routes.state();
    const std::filesystem::path root = routes.fixtureRoot();

    routes.get("/offer/(1001\\d+)\\.html", [&state, root](const Request& request, Response& response) {
        const std::string offerId = request.matches[1].str();
        if (offerId == "1001000030") {
            sendGbk(response, largePage(root));
            return;
        }
        const auto verifying = kVerifyingOffers.find(offerId);
        if (verifying != kVerifyingOffers.end()) {
            bool verify = false;
            if (verifying->second == 0) {
                verify = !hasPassingCookie(request);
            } else {
                // Counted per offer: N verification pages, then the page,
                // then N again for whoever asks next.
                const int hit = state.hit("product-verify:" + offerId);
                verify = hit % (verifying->second + 1) != 0;
            }
            sendGbk(response, vq::market::readFixture(root, kArea, verify ? "verification.html" : kVerifiedPage));
            return;
        }
        const std::string bytes = vq::market::readFixture(root, kArea, offerId + ".html");
        if (bytes.empty()) {
            response.status = 404;
            sendGbk(response, vq::text::utf8ToGbk("<html><body>商品不存在</body></html>"));
            return;
        }
        sendGbk(response, bytes);
    });

    routes.post("/offer/post/fill_product_info\\.htm", [root](const Request& request, Response& response) {
        // The form body follows a recorded cookie fragment and a blank line.
        const std::size_t fields = request.body.find("\r\n\r\n");
        httplib::Params params;
        if (fields != std::string::npos)
            httplib::detail::parse_query_text(request.body.substr(fields + 4), params);
        const auto category = params.find("secondCategoryId");
        std::string bytes;
        if (category != params.end())
            bytes = vq::market::readFixture(root, kArea, "postingform-" + category->second + ".html");
        if (bytes.empty())
            bytes = vq::market::readFixture(root, kArea, "postingform-empty.html");
        sendGbk(response, bytes);
    });

    routes.get("/spu/ajax/getLevelInfoByPath\\.htm", [](const Request& request, Response& response) {
        const std::string callback = request.get_param_value("callback");
        const std::string data = levelData(request.get_param_value("catId"), request.get_param_value("pathValues"));
        response.set_content(vq::text::utf8ToGbk(callback + "({\"success\":true,\"data\":" + data + "})\r\n"),
                             "text/javascript; charset=gbk");
    });
}
