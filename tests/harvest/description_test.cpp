#include "harvest/description.h"

#include <string>

#include <gtest/gtest.h>

namespace vq::harvest {
namespace {

TEST(DescriptionAddress, IsTheDataTfsUrlValue)
{
    EXPECT_EQ(descriptionAddress(R"(<div id="desc" data-tfs-url="http://h/desc/1.html" data-x="y">)"),
              "http://h/desc/1.html");
    EXPECT_EQ(descriptionAddress("<div id=\"desc\">"), "");
}

struct ContentCase {
    const char* name;
    std::string answer;
    std::string content;
};

class OfferDetailsContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(OfferDetailsContent, LosesEveryBackslash)
{
    EXPECT_EQ(offerDetailsContent(GetParam().answer), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, OfferDetailsContent,
    ::testing::Values(
        ContentCase{"EscapedQuotes", R"(var offer_details={"content":"<img src=\"http://h/a.jpg\">"};)",
                    R"(<img src="http://h/a.jpg">)"},
        ContentCase{"EscapedLineBreakLeavesN", R"(var offer_details={"content":"a\nb"};)", "anb"},
        ContentCase{"EscapedSlash", R"(var offer_details={"content":"<\/p>"};)", "</p>"},
        ContentCase{"UnicodeEscapeLeavesU", R"(var offer_details={"content":"\u4e2d"};)", "u4e2d"},
        ContentCase{"NoSuchForm", R"(var desc='<p>x</p>';)", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(DescVarContent, GivesProtocolRelativeSourcesHttp)
{
    EXPECT_EQ(descVarContent(R"(var desc='<img src="//h/a.jpg"><img src="https://h/b.jpg">';)"),
              R"(<img src="http://h/a.jpg"><img src="https://h/b.jpg">)");
    EXPECT_EQ(descVarContent("nothing"), "");
}

TEST(PrepareDescription, DoublesQuotesAndDropsWebpEndings)
{
    EXPECT_EQ(prepareDescription(R"(<img src="http://h/a.jpg_.webp" alt="x">)"),
              R"(<img src=""http://h/a.jpg"" alt=""x"">)");
}

TEST(RemoveEmptySources, RemovesOnlyEmptySrc)
{
    EXPECT_EQ(removeEmptySources(R"(<img src="""" alt=""a""><img src=""file:///x.jpg"">)"),
              R"(<img  alt=""a""><img src=""file:///x.jpg"">)");
}

TEST(HiddenSourceLink, WhiteTextBetweenMarkers)
{
    EXPECT_EQ(hiddenSourceLink("https://d/offer/2002000001.html"),
              "</p><#1#1#1=\"\"https://d/offer/2002000001.html\"\"><span style=\"\"color:#ffffff;\"\">"
              "https://d/offer/2002000001.html</span>#2#2");
}

}  // namespace
}  // namespace vq::harvest
