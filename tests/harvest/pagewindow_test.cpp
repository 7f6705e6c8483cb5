#include "harvest/pagewindow.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "harvest/productstagerig.h"
#include "harvest/taobaoskus.h"
#include "text/regex.h"

namespace vq::harvest {
namespace {

std::vector<std::vector<std::string>> groupsOf(const text::RegexMatches& matches)
{
    std::vector<std::vector<std::string>> groups;
    for (const text::RegexMatch& match : matches.all())
        groups.push_back(match.groups);
    return groups;
}

// Every SKU-table pattern finds the same matches, in the same order, in the
// window as in the whole page.
::testing::AssertionResult windowKeepsMatches(const std::string& page)
{
    const std::string_view window = skuTableWindow(page);
    for (const std::string_view pattern : taobaoSkuPatterns()) {
        const text::Regex regex = text::Regex::vbscript(pattern);
        const auto whole = groupsOf(regex.matchAll(page));
        const auto cut = groupsOf(regex.matchAll(window));
        if (whole != cut)
            return ::testing::AssertionFailure() << "pattern " << pattern << ": " << whole.size()
                                                 << " matches in the page, " << cut.size() << " in the window";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult linesKeepMatches(const std::string& page, const std::string& pattern,
                                            const std::string& literal)
{
    const text::Regex regex = text::Regex::vbscript(pattern);
    if (groupsOf(regex.matchAll(page)) != groupsOf(regex.matchAll(linesContaining(page, literal))))
        return ::testing::AssertionFailure() << "pattern " << pattern << " differs on the kept lines";
    return ::testing::AssertionSuccess();
}

TEST(SkuTableWindowTest, SavedPagesKeepEveryMatch)
{
    for (const char* name : {"1001000001.html", "1001000002.html", "1001000003.html", "1001000004.html",
                             "1001000005.html", "1001000006.html", "1001000007.html", "1001000008.html",
                             "1001000011.html", "1001000012.html", "1001000013.html"})
        EXPECT_TRUE(windowKeepsMatches(test::productFixture(name))) << name;
}

TEST(SkuTableWindowTest, LargePageShrinksToTheSkuData)
{
    test::ProductStageRig rig;
    const std::string page = text::PageText(rig.web.fetch(rig.endpoints.detail + "/offer/1001000030.html"));
    ASSERT_GT(page.size(), 400u * 1024u);
    EXPECT_LT(skuTableWindow(page).size(), 8u * 1024u);
    EXPECT_TRUE(windowKeepsMatches(page));
    EXPECT_TRUE(linesKeepMatches(page, "(img.*?)\",\"name\":\"(.*?)\"}", "\",\"name\":\""));
}

TEST(SkuTableWindowTest, NoStockMarkerNoWindow)
{
    EXPECT_TRUE(skuTableWindow("\"a\":{\"price\":\"1\"}").empty());
}

// Layouts whose matches reach far: a key far before its entry, an entry
// spread over lines, braces inside a discount price, a marker in other
// letter case, an entry's end beyond a brace on its line.
TEST(SkuTableWindowTest, FarReachingLayouts)
{
    const std::vector<std::string> pages{
        "x{\"red\n\n\nsmall&gt;L\":{\"discountPrice\":\"1\",\"canBookCount\":2,\"a\":1}",
        "{\"a\":1}\n{\"red\":{\n\"discountPrice\":\"{1}\",\n\"canBookCount\":3,\n\"b\":\"c\"}\nz{",
        "{ {\"k\":{\"discountPrice\":\"9{{\",\n\"CANBOOKCOUNT\":4,x}\n{\n}",
        "\"a\n\"b&gt;c\":{\"canBookCount\":1,\"discountPrice\":\"2\",\"q\":1}\n\"d&gt;e\":{\"canBookCount\":5,}",
        "\"key\":{\"canBookCount\":7,\"p\":1}   \"key2\":{ \"canBookCount\":8,\"p\":2}",
        "\"k\":{\"canBookCount\":1,\"discountPrice\":\"2{\",x}\n",
        "\"k\":{\"discountPrice\":\"2\",\"canBookCount\":1,{x}\n{"};
    for (const std::string& page : pages)
        EXPECT_TRUE(windowKeepsMatches(page)) << page;
}

// Random pages made of the pieces the patterns care about.
TEST(SkuTableWindowTest, RandomPagesKeepEveryMatch)
{
    const std::vector<std::string> pieces{"{", "}", "\"", "&gt;", "canBookCount\":", "discountPrice\":\"", "\n",
                                          ",", ":", "1", "ab", " ", "\":{", "\",", "红"};
    std::mt19937 random(20261211);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 80);
    for (int round = 0; round < 400; ++round) {
        std::string page;
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            page += pieces[pick(random)];
        ASSERT_TRUE(windowKeepsMatches(page)) << "round " << round << ": " << page;
    }
}

TEST(LinesContainingTest, KeepsWholeLinesWithTheLiteral)
{
    EXPECT_EQ(linesContaining("a\nxNAMEy\nb\nname\n", "name"), "xNAMEy\nname\n");
    EXPECT_EQ(linesContaining("name name\nlast name", "name"), "name name\nlast name");
    EXPECT_EQ(linesContaining("nothing", "name"), "");
}

// The cuts compare ASCII letters ignoring case and nothing else; the
// pattern matching must not fold other characters into ASCII letters.
TEST(LinesContainingTest, MatchingFoldsOnlyAsciiLetters)
{
    EXPECT_FALSE(text::Regex::vbscript("k").search("\u212A"));  // KELVIN SIGN
    EXPECT_FALSE(text::Regex::vbscript("i").search("\u0130"));  // CAPITAL I WITH DOT ABOVE
    EXPECT_TRUE(text::Regex::vbscript("k").search("K"));
}

}  // namespace
}  // namespace vq::harvest
