#include "harvest/businessprices.h"

#include <ostream>

#include <gtest/gtest.h>

#include "harvest/productstagerig.h"
#include "harvest/stockamount.h"

namespace vq::harvest {
namespace {

struct RangeCase {
    const char* name;
    std::string page;  // fixture name, or the page itself
    std::string ranges;
    std::string isSkuTradeSupported;
};

// Cases print as their names (in test listings and failures).
void PrintTo(const RangeCase& c, std::ostream* os)
{
    *os << c.name;
}


class PriceRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PriceRangeTest, ReadsRangesFromTheFormThePageHas)
{
    const std::string& page = GetParam().page;
    const PriceRanges ranges = readPriceRanges(page.ends_with(".html") ? test::productFixture(page) : page);
    EXPECT_EQ(ranges.ranges, GetParam().ranges);
    EXPECT_EQ(ranges.isSkuTradeSupported, GetParam().isSkuTradeSupported);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, PriceRangeTest,
    ::testing::Values(RangeCase{"PriceRangeTable", "1001000011.html", "2:10.50`10:9.80`50:8.00", "0"},
                      RangeCase{"DataRangeRows", "1001000012.html", "3:11.00`20:10.00`100:9.00", "0"},
                      RangeCase{"SinglePriceFromMinimum", "1001000013.html", "3:12.50", "1"},
                      RangeCase{"OneRowTable", "x\"priceRange\":[[1, 5.00]],y", "1:5.00", "0"},
                      RangeCase{"NoPriceAnywhere", "<html></html>", ":", "1"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ProductFeatureListTest, AppendsRangesUnitAndPrice)
{
    const std::string featurePairs = "，\"\"3216\"\":\"\"红，蓝\"\"，\"\"450\"\":\"\"L\"\"，";
    EXPECT_EQ(buildProductFeatureList(featurePairs, "2:10.50`10:9.80", test::productFixture("1001000011.html")),
              "{\"\"3216\"\":\"\"红,蓝\"\",\"\"450\"\":\"\"L\"\",\"\"4341\"\":\"\"2,,10.50;10,,9.80\"\","
              "\"\"1459\"\":\"\"件\"\",\"\"8021\"\":\"\"12.00\"\"}");
}

// An empty attribute text leaves "，，" as featurePairs; one comma of it
// survives the removal of the first.
TEST(ProductFeatureListTest, EmptyAttributesStartWithBraceAndComma)
{
    EXPECT_EQ(buildProductFeatureList("，，", "3:12.50", test::productFixture("1001000013.html")),
              "{,\"\"4341\"\":\"\"3,,12.50\"\",\"\"1459\"\":\"\"件\"\",\"\"8021\"\":\"\"12.00\"\"}");
}

TEST(StockAmountTest, ReadsMaximumQuantity)
{
    EXPECT_EQ(readStockAmount(test::productFixture("1001000001.html")), "500");
    EXPECT_EQ(readStockAmount("{\"min\":\"1\"}"), "");
}

}  // namespace
}  // namespace vq::harvest
