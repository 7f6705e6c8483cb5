// Product addresses for the demo's single-product collection: a small page
// per offer ID that carries what the address recognition reads (the offer ID
// and a title), while the product-detail routes serve the full product.
#include <string>

#include "routes.h"
#include "text/gbk.h"

VQ_MARKETPLACE_ROUTES(demo)
{
    routes.get(R"(/demo/offer/(\d{1,12})\.html)", [](const vq::market::Request& request, vq::market::Response& response) {
        const std::string offerId = request.matches[1].str();
        const std::string page = "<html><head><title>演示宝贝 " + offerId + "</title></head><body>\r\n"
                                 "<script>var iDetailConfig={offer_id:\"" + offerId + "\",price:\"\"};</script>\r\n"
                                 "</body></html>\r\n";
        response.set_content(vq::text::utf8ToGbk(page), "text/html; charset=gbk");
    });
}
