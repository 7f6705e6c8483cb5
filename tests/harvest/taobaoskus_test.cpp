#include "harvest/taobaoskus.h"

#include <ostream>

#include <gtest/gtest.h>

#include "harvest/productstagerig.h"

namespace vq::harvest {
namespace {

struct SkuCase {
    const char* name;
    std::string fixture;
    std::string skuProps;
    std::string price;
};

// Cases print as their names (in test listings and failures).
void PrintTo(const SkuCase& c, std::ostream* os)
{
    *os << c.name;
}


class TaobaoSkuTest : public ::testing::TestWithParam<SkuCase> {};

// Without the adjustment the prices are the page's texts.
TEST_P(TaobaoSkuTest, ReadsSkuTable)
{
    const TaobaoSkus skus = readTaobaoSkus(test::productFixture(GetParam().fixture), RewriteOptions{});
    EXPECT_EQ(skus.skuProps, GetParam().skuProps);
    EXPECT_EQ(skus.price, GetParam().price);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TaobaoSkuTest,
    ::testing::Values(
        SkuCase{"TwoPropertiesDiscountBeforeStock", "1001000001.html",
                "13.50:0::XL;蓝色;13.50:60::L;蓝色;12.34:80::XL;红色;12.34:100::L;红色;", "13.50"},
        SkuCase{"TwoPropertiesDiscountAfterStock", "1001000002.html",
                "22.40:40::XL;蓝色;22.30:60::L;蓝色;22.20:80::XL;红色;22.10:100::L;红色;", "22.40"},
        SkuCase{"TwoPropertiesWithoutDiscountUseReference", "1001000003.html",
                "15.00:40::XL;蓝色;15.00:60::L;蓝色;15.00:80::XL;红色;15.00:100::L;红色;", "15.00"},
        SkuCase{"OnePropertyStockBeforeDiscount", "1001000004.html", "13.34:70::蓝色;12.34:100::红色;", "13.34"},
        SkuCase{"OnePropertyDiscountBeforeStock", "1001000005.html", "13.34:70::蓝色;12.34:100::红色;", "13.34"},
        SkuCase{"OnePropertyStockFirstWithoutDiscount", "1001000006.html", "15.00:70::蓝色;15.00:100::红色;",
                "15.00"},
        SkuCase{"OnePropertyStockLaterWithoutDiscount", "1001000007.html", "15.00:70::蓝色;15.00:100::红色;",
                "15.00"},
        SkuCase{"NoSkuTableOnlyReferencePrice", "1001000008.html", "", "15.00"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

RewriteOptions addFive(bool wholeUnits)
{
    RewriteOptions options;
    options.adjustPrice = true;
    options.priceOperator = PriceOperator::Add;
    options.priceOperand = "5";
    options.priceRounding = wholeUnits;
    return options;
}

TEST(TaobaoSkuAdjustmentTest, EverySkuPriceAndProductPriceAdjusted)
{
    const TaobaoSkus skus = readTaobaoSkus(test::productFixture("1001000001.html"), addFive(true));
    EXPECT_EQ(skus.skuProps, "19:0::XL;蓝色;19:60::L;蓝色;17:80::XL;红色;17:100::L;红色;");
    EXPECT_EQ(skus.price, "19");
}

TEST(TaobaoSkuAdjustmentTest, TwoDecimalsKeepCents)
{
    const TaobaoSkus skus = readTaobaoSkus(test::productFixture("1001000004.html"), addFive(false));
    EXPECT_EQ(skus.skuProps, "18.34:70::蓝色;17.34:100::红色;");
    EXPECT_EQ(skus.price, "18.34");
}

TEST(TaobaoSkuAdjustmentTest, ReferencePriceAdjustedForSkusWithoutPrice)
{
    const TaobaoSkus skus = readTaobaoSkus(test::productFixture("1001000003.html"), addFive(true));
    EXPECT_EQ(skus.skuProps, "20:40::XL;蓝色;20:60::L;蓝色;20:80::XL;红色;20:100::L;红色;");
    EXPECT_EQ(skus.price, "20");
}

TEST(TaobaoSkuAdjustmentTest, DivisionByZeroLeavesPagePrices)
{
    RewriteOptions options;
    options.adjustPrice = true;
    options.priceOperator = PriceOperator::Divide;
    options.priceOperand = "0";
    const TaobaoSkus skus = readTaobaoSkus(test::productFixture("1001000004.html"), options);
    EXPECT_EQ(skus.skuProps, "13.34:70::蓝色;12.34:100::红色;");
    EXPECT_EQ(skus.price, "13.34");
}

TEST(TaobaoSkuEdgeTest, NothingAtAllGivesEmptyPriceWithoutAdjustment)
{
    const TaobaoSkus skus = readTaobaoSkus("<html><body>no data</body></html>", RewriteOptions{});
    EXPECT_EQ(skus.skuProps, "");
    EXPECT_EQ(skus.price, "");
}

TEST(TaobaoSkuEdgeTest, NothingAtAllWithAdjustmentPricesZero)
{
    const TaobaoSkus skus = readTaobaoSkus("<html><body>no data</body></html>", addFive(false));
    EXPECT_EQ(skus.price, "5");
}

// The discount layouts are not tried without the word "discountPrice", so a
// stock-first two-property table falls to the reference-price layout even
// though its entries carry a "price".
TEST(TaobaoSkuEdgeTest, DiscountLayoutsNeedTheWord)
{
    const std::string page = "var c = {'refPrice':'9.90'};\n"
                             "\"skuMap\":{\"红&gt;S\":{\"canBookCount\":5,\"price\":\"20.00\",\"skuId\":1}}\n";
    const TaobaoSkus skus = readTaobaoSkus(page, RewriteOptions{});
    EXPECT_EQ(skus.skuProps, "9.90:5::S;红;");
    EXPECT_EQ(skus.price, "9.90");
}

}  // namespace
}  // namespace vq::harvest
