#include "harvest/producttitle.h"

#include <ostream>

#include <gtest/gtest.h>

#include "harvest/productstagerig.h"

namespace vq::harvest {
namespace {

struct TitleCase {
    const char* name;
    std::string page;
    std::string expected;
};

// Cases print as their names (in test listings and failures).
void PrintTo(const TitleCase& c, std::ostream* os)
{
    *os << c.name;
}


std::string sentence(const std::string& title)
{
    return "阿里巴巴为您提供产品。这是" + title + "的详细页面。颜色:红。我们还为您精选了更多商品。";
}

class TitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleTest, ReadsTitleBetweenMarkers)
{
    EXPECT_EQ(extractTitle(GetParam().page), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entities, TitleTest,
    ::testing::Values(
        TitleCase{"Plain", sentence("纯棉短袖T恤"), "纯棉短袖T恤"},
        TitleCase{"AmpersandBecomesBlank", sentence("A&amp;B"), "A B"},
        TitleCase{"DoublyEscapedAmpersandBecomesOneBlank", sentence("A&amp;amp;B"), "A B"},
        TitleCase{"LeftoverAmpIsRemoved", sentence("Xamp;Y"), "XY"},
        TitleCase{"AmpersandFirstSoEscapedEntityStaysText", sentence("&amp;lt;"), " lt;"},
        TitleCase{"Apostrophe", sentence("it&apos;s"), "it's"},
        TitleCase{"LessAndGreater", sentence("&lt;新款&gt;"), "<新款>"},
        TitleCase{"MiddleDot", sentence("夏&middot;季"), "夏·季"},
        TitleCase{"RightSingleQuote", sentence("a&rsquo;b"), "a’b"},
        TitleCase{"Dash", sentence("a&mdash;b"), "a—b"},
        TitleCase{"LeftSingleQuote", sentence("&lsquo;x"), "‘x"},
        TitleCase{"QuoteBecomesTwoQuotes", sentence("&quot;潮&quot;"), "\"\"潮\"\""},
        TitleCase{"Degree", sentence("37&deg;"), "37°"},
        TitleCase{"EveryOccurrence", sentence("&lt;&lt;a&gt;&gt;"), "<<a>>"},
        TitleCase{"NoStartMarker", "这是纯棉T恤的详细页面。", ""},
        TitleCase{"NoEndMarker", "。这是纯棉T恤的页面。", ""},
        TitleCase{"EndMarkerOnlyBeforeStart", "的详细页面。。这是纯棉T恤", ""},
        TitleCase{"EmptyPage", "", ""}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(TitleTest, SavedPageWithEntitiesFromGbkBytes)
{
    EXPECT_EQ(extractTitle(test::productFixture("1001000014.html")), "A B 男士\"\"潮\"\"T恤·夏°");
}

TEST(TitleTest, VerificationPageHasNoTitle)
{
    EXPECT_EQ(extractTitle(test::productFixture("verification.html")), "");
}

}  // namespace
}  // namespace vq::harvest
