#include "harvest/postingform.h"

#include <gtest/gtest.h>

#include "text/textops.h"

namespace vq::harvest {
namespace {

TEST(PostingFormBodyTest, FixedLayoutOf705Characters)
{
    const std::string body = postingFormBody("{cate}");
    EXPECT_EQ(body.size(), 705u);
    const std::size_t blank = body.find("\r\n\r\n");
    ASSERT_NE(blank, std::string::npos);
    EXPECT_EQ(blank, 419u);
    const std::string fragment = body.substr(0, blank);
    for (const char* cookie : {"; login=", "; _cn_slid_=", "; userIDNum=", "; tbsnid=", "; _nk_=", "; LoginUmid="})
        EXPECT_NE(fragment.find(cookie), std::string::npos) << cookie;
    EXPECT_LT(fragment.find("; login="), fragment.find("; LoginUmid="));
}

TEST(PostingFormBodyTest, FieldsInOrderWithCategory)
{
    const std::string body = postingFormBody("1031910");
    EXPECT_EQ(body.size(), 705u - 6u + 7u);
    const std::string fields = body.substr(body.find("\r\n\r\n") + 4);
    const std::vector<std::string> pairs = text::split(fields, "&");
    const std::vector<std::string> names{"_csrf_token",   "previewMode",      "site",          "tradeType",
                                         "operator",      "offerDraftId",     "fromWhere",     "adGroupId",
                                         "productId",     "details",          "subject",       "unit",
                                         "price",         "picUrl",           "isCategoryChanged", "currentPage",
                                         "topCategoryId", "secondCategoryId", "catType"};
    ASSERT_EQ(pairs.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_TRUE(pairs[i].starts_with(names[i] + "=")) << pairs[i];
    EXPECT_EQ(pairs[0].size(), std::string("_csrf_token=").size() + 32);
    EXPECT_EQ(pairs[3], "tradeType=1");
    EXPECT_EQ(pairs[4], "operator=new");
    EXPECT_EQ(pairs[6], "fromWhere=normal");
    EXPECT_EQ(pairs[12], "price=0.0");
    EXPECT_EQ(pairs[14], "isCategoryChanged=true");
    EXPECT_EQ(pairs[15], "currentPage=chooseCategory");
    EXPECT_EQ(pairs[17], "secondCategoryId=1031910");
    EXPECT_EQ(pairs[18], "catType=0");
}

TEST(PostingFormRequestTest, AddressAndHeaderLinesInOrder)
{
    config::Endpoints endpoints;
    endpoints.posting = "https://127.0.0.1:4443";
    EXPECT_EQ(postingFormAddress(endpoints), "https://127.0.0.1:4443/offer/post/fill_product_info.htm");
    EXPECT_EQ(postingFormHeaders(endpoints),
              "User-Agent: Mozilla/5.0 (Windows NT 6.3; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
              "Chrome/31.0.1650.63 Safari/537.36 TheWorld 6\r\n"
              "content-type: application/x-www-form-urlencoded\r\n"
              "Referer: http://127.0.0.1:4443/offer/post/choose_category.htm?operator=new&fromWhere=normal");
}

TEST(PostingFormRequestTest, LevelServiceAddress)
{
    config::Endpoints endpoints;
    EXPECT_EQ(spuLevelAddress(endpoints, "1031910", "2176%3A30001"),
              "https://spu.1688.com/spu/ajax/getLevelInfoByPath.htm?callback=jQuery172097093808716732_1472268712951"
              "&catId=1031910&pathValues=2176%3A30001");
}

}  // namespace
}  // namespace vq::harvest
