#include "harvest/picturelist.h"

#include <string>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

namespace vq::harvest {
namespace {

TEST(FindSkuPictures, GivesAddressAndValueNameInPageOrder)
{
    const std::string page =
        R"(x{"imageUrl":"http://h/a.jpg","name":"红色"},{"imageUrl":"http://h/b.jpg","name":"蓝色"}y)";
    const auto links = findSkuPictures(page);
    ASSERT_EQ(links.size(), 2U);
    EXPECT_EQ(links[0].address, "http://h/a.jpg");
    EXPECT_EQ(links[0].valueName, "红色");
    EXPECT_EQ(links[1].address, "http://h/b.jpg");
    EXPECT_EQ(links[1].valueName, "蓝色");
}

TEST(FindSkuPictures, MarkerIsMatchedIgnoringCase)
{
    const auto links = findSkuPictures(R"({"IMAGEURL":"http://h/a.jpg","NAME":"黑"})");
    ASSERT_EQ(links.size(), 1U);
    EXPECT_EQ(links[0].valueName, "黑");
}

TEST(FindMainPictures, TakesAtMostFive)
{
    std::string page;
    for (int i = 0; i < 8; ++i)
        page += "<li data-imgs='{\"preview\":\"p\",\"original\":\"http://h/" + std::to_string(i) + ".jpg\"}'>\n";
    const auto addresses = findMainPictures(page);
    ASSERT_EQ(addresses.size(), 5U);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(addresses[static_cast<std::size_t>(i)], "http://h/" + std::to_string(i) + ".jpg");
}

TEST(FindDescriptionPictures, ImgAddressBetweenDoubledQuotes)
{
    const std::string description =
        R"(<p><img src=""http://h/a.jpg"" alt=""""><IMG class=""x"" src=""http://h/b.png?a=1&amp;b=2""></p>)";
    const auto addresses = findDescriptionImgPictures(description);
    ASSERT_EQ(addresses.size(), 2U);
    EXPECT_EQ(addresses[0], "http://h/a.jpg");
    EXPECT_EQ(addresses[1], "http://h/b.png?a=1&amp;b=2");
}

TEST(FindDescriptionPictures, BackgroundAddresses)
{
    const std::string description = R"(<table background=""http://h/bg.gif""><td background=""http://h/c.jpg"">)";
    const auto addresses = findDescriptionBackgroundPictures(description);
    ASSERT_EQ(addresses.size(), 2U);
    EXPECT_EQ(addresses[0], "http://h/bg.gif");
    EXPECT_EQ(addresses[1], "http://h/c.jpg");
}

TEST(PictureEntries, SkuAndMainForms)
{
    EXPECT_EQ(skuPictureEntry("abc", "红色"), "abc:2:0:红色|;");
    EXPECT_EQ(mainPictureEntry("abc", 0), "abc:1:0:|;");
    EXPECT_EQ(mainPictureEntry("def", 4), "def:1:4:|;");
}

struct SwapCase {
    const char* name;
    std::string before;
    std::string after;

    friend void PrintTo(const SwapCase& c, std::ostream* os) { *os << c.name; }
};

class SwapFirstThirdPicture : public ::testing::TestWithParam<SwapCase> {};

TEST_P(SwapFirstThirdPicture, ExchangesPositionsZeroAndTwo)
{
    EXPECT_EQ(swapFirstThirdPicture(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SwapFirstThirdPicture,
    ::testing::Values(SwapCase{"ThreePictures", "a:1:0:|;b:1:1:|;c:1:2:|;", "a:1:2:|;b:1:1:|;c:1:0:|;"},
                      SwapCase{"FivePicturesWithSku", "s:2:0:红|;a:1:0:|;b:1:1:|;c:1:2:|;d:1:3:|;e:1:4:|;",
                               "s:2:0:红|;a:1:2:|;b:1:1:|;c:1:0:|;d:1:3:|;e:1:4:|;"},
                      SwapCase{"TwoPicturesStay", "a:1:0:|;b:1:1:|;", "a:1:0:|;b:1:1:|;"},
                      SwapCase{"Empty", "", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vq::harvest
