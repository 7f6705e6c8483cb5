#include "harvest/postingform.h"

#include "text/textops.h"
#include "web/webclient.h"

namespace vq::harvest {

namespace {

// Recorded from a past login: the tail of a session cookie value, then the
// login cookies of that browser. Only the layout matters to the form; the
// user's own login travels in the request's cookie header.
constexpr std::string_view kRecordedCookies =
    "cfcd208495d565ef66e7dff9f98764dac4ca4238a0b923820dcc509a6f75849bc81e728d9d4c2f63"
    "6f067f89cc14862ceccbc87e4b5ce2fe28308fd9f2a7baf3a87ff679a2f3e71d9181a67b7542122c"
    "e4da3b7fbbce2345d7772b0674a318d51679091c5a880faf6fb5e6087eb1b2; login=kFeyVBJLQQ"
    "I%3D; _cn_slid_=Zx3k9LmQ2b; userIDNum=VGhpc0lzTm90UmVhbA%3D%3D; tbsnid=q8Rz0Xh3v"
    "N6pLw2YcT5mJd7aKs4bGf1e; _nk_=quorvel_demo; LoginUmid=Yd3rT6wQpZk8mN2vB5xC7hJ1fL"
    "4sA9gE0uI%2Bo%3D%3D";

constexpr std::string_view kFormFields =
    "_csrf_token=3f9c1e7a5b2d4c8e9a0f6b1d2c3e4f5a&previewMode=&site=&tradeType=1&operator=new"
    "&offerDraftId=&fromWhere=normal&adGroupId=&productId=&details=&subject=&unit=&price=0.0"
    "&picUrl=&isCategoryChanged=true&currentPage=chooseCategory&topCategoryId="
    "&secondCategoryId={cate}&catType=0";

static_assert(kRecordedCookies.size() == 419);
static_assert(kRecordedCookies.size() + 4 + kFormFields.size() == 705);

}  // namespace

std::string postingFormAddress(const config::Endpoints& endpoints)
{
    return endpoints.posting + std::string(kPostingFormPath);
}

std::string postingFormHeaders(const config::Endpoints& endpoints)
{
    return "User-Agent: Mozilla/5.0 (Windows NT 6.3; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
           "Chrome/31.0.1650.63 Safari/537.36 TheWorld 6\r\n"
           "content-type: application/x-www-form-urlencoded\r\n"
           "Referer: http://" +
           web::UrlHost(endpoints.posting, true) +
           "/offer/post/choose_category.htm?operator=new&fromWhere=normal";
}

std::string postingFormBody(std::string_view categoryId)
{
    std::string body(kRecordedCookies);
    body += "\r\n\r\n";
    body += kFormFields;
    return text::replaceAll(body, "{cate}", categoryId);
}

std::string spuLevelAddress(const config::Endpoints& endpoints, std::string_view categoryId,
                            std::string_view pathValues)
{
    std::string address = endpoints.spu;
    address += "/spu/ajax/getLevelInfoByPath.htm?callback=jQuery172097093808716732_1472268712951&catId=";
    address += categoryId;
    address += "&pathValues=";
    address += pathValues;
    return address;
}

}  // namespace vq::harvest
