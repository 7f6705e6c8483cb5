// The business-assistant attribute step against the stand-in's posting form
// and level service, over HTTPS.
#include <gtest/gtest.h>

#include "harvest/postingform.h"
#include "harvest/productstagerig.h"
#include "harvest/stages.h"
#include "sharedstate.h"

namespace vq::harvest {
namespace {

const std::string kFormPath = "/offer/post/fill_product_info.htm";
const std::string kLevelPath = "/spu/ajax/getLevelInfoByPath.htm";

std::vector<market::RecordedRequest> recordedSince(const std::string& path, std::size_t before)
{
    std::vector<market::RecordedRequest> all = test::marketplace().state().recordedFor(path);
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(before, all.size())), all.end()};
}

std::size_t recordedCount(const std::string& path)
{
    return test::marketplace().state().recordedFor(path).size();
}

TEST(BusinessAttributesTest, MapsPageAttributesWithPostingFormAndLevels)
{
    test::ProductStageRig rig(config::PackageKind::AliAssistant);
    rig.takeRow(0, "1001000011");
    acquireProductPage(rig.context());
    ASSERT_EQ(rig.record.title, "奎维纯棉T恤 批发");
    const std::size_t levelsBefore = recordedCount(kLevelPath);

    mapBusinessAttributes(rig.context());

    EXPECT_EQ(rig.record.categoryId, "1031910");
    EXPECT_EQ(rig.record.featurePairs,
              "，\"\"3216\"\":\"\"红色，蓝色\"\"，\"\"450\"\":\"\"L，XL\"\"，\"\"287\"\":\"\"棉\"\"，"
              "\"\"2176\"\":\"\"奎维\"\"，\"\"1398\"\":\"\"QV-100\"\"，\"\"1399\"\":\"\"经典\"\"，");
    EXPECT_NE(rig.record.postingFormText.find("J_CateAttributes"), std::string::npos);
    EXPECT_NE(rig.record.postingFormText.find("\"name\":\"系列\""), std::string::npos);

    const std::vector<market::RecordedRequest> levels = recordedSince(kLevelPath, levelsBefore);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_TRUE(levels[0].secure);
    EXPECT_EQ(levels[0].target, kLevelPath + "?callback=jQuery172097093808716732_1472268712951&catId=1031910"
                                             "&pathValues=2176%3A30001");
    EXPECT_EQ(levels[1].target, kLevelPath + "?callback=jQuery172097093808716732_1472268712951&catId=1031910"
                                             "&pathValues=2176%3A30001%3E1398%3A40001");
}

TEST(BusinessAttributesTest, PostingFormRequestCarriesBrowserLoginAndRecordedBody)
{
    test::ProductStageRig rig(config::PackageKind::AliAssistant);
    web::Cookie login;
    login.domain = "127.0.0.1";
    login.name = "cookie2";
    login.value = "userlogin42";
    rig.store.put(login);
    rig.takeRow(0, "1001000014");
    acquireProductPage(rig.context());
    const std::size_t before = recordedCount(kFormPath);

    mapBusinessAttributes(rig.context());

    const std::vector<market::RecordedRequest> forms = recordedSince(kFormPath, before);
    ASSERT_EQ(forms.size(), 1u);
    const market::RecordedRequest& form = forms[0];
    EXPECT_EQ(form.method, "POST");
    EXPECT_TRUE(form.secure);
    EXPECT_EQ(form.body, postingFormBody("1031910"));
    const std::string& head = form.rawHead;
    EXPECT_NE(head.find("cookie2=userlogin42"), std::string::npos) << head;
    const std::size_t agent = head.find("User-Agent: Mozilla/5.0 (Windows NT 6.3; WOW64) AppleWebKit/537.36 "
                                        "(KHTML, like Gecko) Chrome/31.0.1650.63 Safari/537.36 TheWorld 6\r\n");
    const std::size_t type = head.find("content-type: application/x-www-form-urlencoded\r\n");
    const std::size_t referer = head.find("Referer: http://" + web::UrlHost(rig.endpoints.posting, true) +
                                          "/offer/post/choose_category.htm?operator=new&fromWhere=normal\r\n");
    ASSERT_NE(agent, std::string::npos) << head;
    ASSERT_NE(type, std::string::npos) << head;
    ASSERT_NE(referer, std::string::npos) << head;
    EXPECT_LT(agent, type);
    EXPECT_LT(type, referer);
    EXPECT_EQ(rig.record.featurePairs, "，\"\"3216\"\":\"\"红，蓝\"\"，\"\"450\"\":\"\"L\"\"，");
}

TEST(BusinessAttributesTest, UnreachablePostingFormDropsAttributes)
{
    test::ProductStageRig rig(config::PackageKind::AliAssistant);
    rig.takeRow(0, "1001000014");
    acquireProductPage(rig.context());
    rig.endpoints.posting = "https://127.0.0.1:" + std::to_string(test::unusedLoopbackPort());

    mapBusinessAttributes(rig.context());

    EXPECT_EQ(rig.record.categoryId, "1031910");
    EXPECT_EQ(rig.record.postingFormText, "");
    EXPECT_EQ(rig.record.featurePairs, "，");
}

}  // namespace
}  // namespace vq::harvest
