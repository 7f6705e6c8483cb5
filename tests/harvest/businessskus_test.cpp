#include "harvest/businessskus.h"

#include <gtest/gtest.h>

#include "harvest/productstagerig.h"
#include "text/textops.h"

namespace vq::harvest {
namespace {

// The feature list of the stand-in's category after the attribute mapping.
const std::string kFeatureList =
    "{\"\"3216\"\":\"\"红色,蓝色\"\",\"\"450\"\":\"\"L,XL\"\",\"\"287\"\":\"\"棉\"\",\"\"2176\"\":\"\"奎维\"\","
    "\"\"4341\"\":\"\"2,,10.50;10,,9.80;50,,8.00\"\",\"\"1459\"\":\"\"件\"\",\"\"8021\"\":\"\"12.00\"\"}";

std::string doubled(const std::string& text)
{
    return text::replaceAll(text, "\"", "\"\"");
}

TEST(SkuArrayTest, TwoPropertyKeysBecomeIdPairs)
{
    const std::string features = "{\"\"3216\"\":\"\"红色\"\",\"\"450\"\":\"\"L\"\",\"\"4341\"\":\"\"3,,11.00\"\"}";
    EXPECT_EQ(buildSkuArray(test::productFixture("1001000012.html"), features),
              doubled("[{\"specAttributes\":{\"3216\":\"红色\",\"450\":\"L\"},\"amountOnSale\":30,"
                      "\"price\":\"11.00\",\"skuId\":3201}]"));
}

TEST(SkuArrayTest, OnePropertyKeyBecomesOnePair)
{
    const std::string features = "{\"\"3216\"\":\"\"红色\"\",\"\"4341\"\":\"\"3,,12.50\"\"}";
    EXPECT_EQ(buildSkuArray(test::productFixture("1001000013.html"), features),
              doubled("[{\"specAttributes\":{\"3216\":\"红色\"},\"amountOnSale\":30,\"price\":\"12.50\","
                      "\"skuId\":3301}]"));
}

// The feature-list search reads one attribute item up to its first comma,
// so only the first of several values of an attribute finds its ID; the
// others keep an empty one.
TEST(SkuArrayTest, LaterValuesOfAnAttributeFindNoId)
{
    EXPECT_EQ(buildSkuArray(test::productFixture("1001000011.html"), kFeatureList),
              doubled("[{\"specAttributes\":{\"3216\":\"红色\",\"450\":\"L\"},\"amountOnSale\":100,"
                      "\"price\":\"10.50\",\"skuId\":3101},"
                      "{\"specAttributes\":{\"3216\":\"红色\",\"\":\"XL\"},\"amountOnSale\":80,"
                      "\"price\":\"10.50\",\"skuId\":3102},"
                      "{\"specAttributes\":{\"\":\"蓝色\",\"450\":\"L\"},\"amountOnSale\":60,"
                      "\"price\":\"10.50\",\"skuId\":3103}]"));
}

// With two matches for the second value the second one counts.
TEST(SkuArrayTest, SecondValueTakesSecondMatch)
{
    const std::string page = "\"skuMap\":{\"红&gt;M\":{\"canBookCount\":1,\"skuId\":9}}";
    const std::string features = "{\"\"1\"\":\"\"红\"\",\"\"2\"\":\"\"M\"\",\"\"3\"\":\"\"M码\"\"}";
    EXPECT_EQ(buildSkuArray(page, features),
              doubled("[{\"specAttributes\":{\"1\":\"红\",\"3\":\"M\"},\"amountOnSale\":1,\"skuId\":9}]"));
}

TEST(SkuArrayTest, KeyWithNothingAfterSeparatorKeepsItsTail)
{
    const std::string page = "\"skuMap\":{\"红&gt;\":{\"canBookCount\":1}}";
    const std::string features = "{\"\"1\"\":\"\"红\"\"}";
    EXPECT_EQ(buildSkuArray(page, features), doubled("[{\"specAttributes\":{\"1\":\"红\",;\"},\"amountOnSale\":1}]"));
}

TEST(SkuArrayTest, NoSkuMap)
{
    EXPECT_EQ(buildSkuArray("<html></html>", kFeatureList), "[}]");
}

TEST(SkuPicturesTest, LastPictureFirstUnderPropertyId)
{
    const std::string postingForm = text::PageText(
        test::readBytes(market::Marketplace::defaultFixtureRoot() / "product" / "postingform-1031910.html"));
    EXPECT_EQ(buildSkuPictures(test::productFixture("1001000011.html"), postingForm),
              "{\"\"3216\"\":[{\"\"蓝色\"\":\"\"img/ibank/1001000011-blue.jpg\"\"},"
              "{\"\"红色\"\":\"\"img/ibank/1001000011-red.jpg\"\"},]}");
}

TEST(SkuPicturesTest, WithoutPostingFormTheIdIsEmpty)
{
    EXPECT_EQ(buildSkuPictures(test::productFixture("1001000012.html"), ""),
              "{\"\"\"\":[{\"\"蓝色\"\":\"\"img/ibank/1001000012-blue.jpg\"\"},"
              "{\"\"红色\"\":\"\"img/ibank/1001000012-red.jpg\"\"},]}");
}

TEST(SkuPicturesTest, NoPicturesNoList)
{
    EXPECT_EQ(buildSkuPictures(test::productFixture("1001000013.html"), "fid&quot;:3216,颜色"), "");
}

}  // namespace
}  // namespace vq::harvest
