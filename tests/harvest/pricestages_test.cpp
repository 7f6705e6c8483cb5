// The price and SKU steps of both roads on pages downloaded from the
// stand-in by the page step.
#include <gtest/gtest.h>

#include "harvest/productstagerig.h"
#include "harvest/stages.h"

namespace vq::harvest {
namespace {

void addFive(RewriteOptions& rewrite, bool wholeUnits)
{
    rewrite.adjustPrice = true;
    rewrite.priceOperator = PriceOperator::Add;
    rewrite.priceOperand = "5";
    rewrite.priceRounding = wholeUnits;
}

TEST(TaobaoPricesTest, SkuTextPriceAndStockWithAdjustment)
{
    test::ProductStageRig rig;
    addFive(rig.rewrite, false);
    rig.takeRow(0, "1001000005");
    acquireProductPage(rig.context());

    readTaobaoPricesAndSkus(rig.context());

    EXPECT_EQ(rig.record.skuProps, "18.34:70::蓝色;17.34:100::红色;");
    EXPECT_EQ(rig.record.price, "18.34");
    EXPECT_EQ(rig.record.num, "500");
}

TEST(TaobaoPricesTest, ReplacesPreviousProductsValues)
{
    test::ProductStageRig rig;
    rig.record.skuProps = "1:1::old;";
    rig.record.price = "99";
    rig.takeRow(0, "1001000008");
    acquireProductPage(rig.context());

    readTaobaoPricesAndSkus(rig.context());

    EXPECT_EQ(rig.record.skuProps, "");
    EXPECT_EQ(rig.record.price, "15.00");
}

struct BusinessCase {
    const char* name;
    std::string offerId;
    std::string priceRanges;
    std::string isSkuTradeSupported;
    std::string productFeatureList;
};

void PrintTo(const BusinessCase& c, std::ostream* os)
{
    *os << c.name;
}

class BusinessPricesTest : public ::testing::TestWithParam<BusinessCase> {};

// The adjustment option is on to show that this road ignores it.
TEST_P(BusinessPricesTest, FullRoadFromPageToFeatureList)
{
    const BusinessCase& c = GetParam();
    test::ProductStageRig rig(config::PackageKind::AliAssistant);
    addFive(rig.rewrite, true);
    rig.takeRow(0, c.offerId);
    acquireProductPage(rig.context());
    mapBusinessAttributes(rig.context());

    readBusinessPricesAndSkus(rig.context());

    EXPECT_EQ(rig.record.priceRanges, c.priceRanges);
    EXPECT_EQ(rig.record.isSkuTradeSupported, c.isSkuTradeSupported);
    EXPECT_EQ(rig.record.productFeatureList, c.productFeatureList);
    EXPECT_EQ(rig.record.num, "500");
}

INSTANTIATE_TEST_SUITE_P(
    Sources, BusinessPricesTest,
    ::testing::Values(
        BusinessCase{"PriceRangeTable", "1001000011", "2:10.50`10:9.80`50:8.00", "0",
                     "{\"\"3216\"\":\"\"红色,蓝色\"\",\"\"450\"\":\"\"L,XL\"\",\"\"287\"\":\"\"棉\"\","
                     "\"\"2176\"\":\"\"奎维\"\",\"\"1398\"\":\"\"QV-100\"\",\"\"1399\"\":\"\"经典\"\","
                     "\"\"4341\"\":\"\"2,,10.50;10,,9.80;50,,8.00\"\",\"\"1459\"\":\"\"件\"\","
                     "\"\"8021\"\":\"\"12.00\"\"}"},
        BusinessCase{"DataRangeRows", "1001000012", "3:11.00`20:10.00`100:9.00", "0",
                     "{\"\"3216\"\":\"\"红色\"\",\"\"450\"\":\"\"L\"\",\"\"4341\"\":\"\"3,,11.00;20,,10.00;100,,9.00\"\","
                     "\"\"1459\"\":\"\"件\"\",\"\"8021\"\":\"\"12.00\"\"}"},
        BusinessCase{"SinglePrice", "1001000013", "3:12.50", "1",
                     "{\"\"3216\"\":\"\"红色\"\",\"\"450\"\":\"\"L\"\",\"\"4341\"\":\"\"3,,12.50\"\","
                     "\"\"1459\"\":\"\"件\"\",\"\"8021\"\":\"\"12.00\"\"}"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(BusinessSkusTest, SkuArrayAndPicturesFromTheStandIn)
{
    test::ProductStageRig rig(config::PackageKind::AliAssistant);
    rig.takeRow(0, "1001000012");
    acquireProductPage(rig.context());
    mapBusinessAttributes(rig.context());

    readBusinessPricesAndSkus(rig.context());

    EXPECT_EQ(rig.record.skuArray,
              "[{\"\"specAttributes\"\":{\"\"3216\"\":\"\"红色\"\",\"\"450\"\":\"\"L\"\"},\"\"amountOnSale\"\":30,"
              "\"\"price\"\":\"\"11.00\"\",\"\"skuId\"\":3201}]");
    EXPECT_EQ(rig.record.skuPics,
              "{\"\"3216\"\":[{\"\"蓝色\"\":\"\"img/ibank/1001000012-blue.jpg\"\"},"
              "{\"\"红色\"\":\"\"img/ibank/1001000012-red.jpg\"\"},]}");
}

// A detail page of a real page's size, read on both roads.
TEST(LargePageTest, BothRoadsReadTheFullPage)
{
    test::ProductStageRig taobao;
    taobao.takeRow(0, "1001000030");
    acquireProductPage(taobao.context());
    EXPECT_GT(taobao.record.pageText.size(), 450u * 1024u);
    EXPECT_EQ(taobao.record.title, "奎维纯棉T恤 完整页");
    readTaobaoPricesAndSkus(taobao.context());
    EXPECT_EQ(taobao.record.skuProps, "11.50:40::XL;蓝色;11.50:60::L;蓝色;10.50:80::XL;红色;10.50:100::L;红色;");
    EXPECT_EQ(taobao.record.price, "11.50");

    test::ProductStageRig business(config::PackageKind::AliAssistant);
    business.takeRow(0, "1001000030");
    acquireProductPage(business.context());
    mapBusinessAttributes(business.context());
    readBusinessPricesAndSkus(business.context());
    EXPECT_EQ(business.record.priceRanges, "2:10.50`10:9.80`50:8.00");
    EXPECT_TRUE(business.record.productFeatureList.starts_with("{\"\"3216\"\":\"\"红色,蓝色\"\""));
    EXPECT_TRUE(business.record.skuArray.starts_with(
        "[{\"\"specAttributes\"\":{\"\"3216\"\":\"\"红色\"\",\"\"450\"\":\"\"L\"\"},\"\"discountPrice\"\""));
    EXPECT_EQ(business.record.skuPics,
              "{\"\"3216\"\":[{\"\"蓝色\"\":\"\"img/ibank/1001000030-blue.jpg\"\"},"
              "{\"\"红色\"\":\"\"img/ibank/1001000030-red.jpg\"\"},]}");
}

}  // namespace
}  // namespace vq::harvest
