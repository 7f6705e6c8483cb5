#include "text/regex.h"

#include <chrono>

#include <gtest/gtest.h>

using namespace vq::text;

TEST(RegexVbscript, IgnoresCaseAndCollectsAllMatches)
{
    const RegexMatches m = Regex::vbscript("offer/(\\d+)\\.html").matchAll("OFFER/1.html x offer/22.HTML");
    ASSERT_EQ(m.count(), 2u);
    EXPECT_EQ(m.group(0, 1), "1");
    EXPECT_EQ(m.group(1, 1), "22");
    EXPECT_EQ(m.group(1, 0), "offer/22.HTML");
    // Missing matches and groups read as empty.
    EXPECT_EQ(m.group(5, 1), "");
    EXPECT_EQ(m.group(0, 7), "");
}

TEST(RegexVbscript, DotDoesNotMatchLineFeedButMatchesCarriageReturn)
{
    EXPECT_FALSE(Regex::vbscript("a.b").search("a\nb"));
    EXPECT_TRUE(Regex::vbscript("a.b").search("a\rb"));
    EXPECT_TRUE(Regex::vbscript("a[.]b").search("a.b"));
}

TEST(RegexVbscript, StrayBracesStandForThemselves)
{
    EXPECT_EQ(Regex::vbscript("\"price\":{(\\d+)}").matchFirst("x\"price\":{12}").group(0, 1), "12");
    EXPECT_TRUE(Regex::vbscript("a{2}").search("xaay"));
    EXPECT_FALSE(Regex::vbscript("a{2}").search("xay"));
    EXPECT_TRUE(Regex::vbscript("a{2,}b").search("aaab"));
    EXPECT_TRUE(Regex::vbscript("{x}").search("{x}"));
    EXPECT_TRUE(Regex::vbscript("a{,2}").search("a{,2}"));
}

TEST(RegexVbscript, MatchesCharactersNotBytes)
{
    // "." consumes one whole Chinese character.
    const RegexMatches m = Regex::vbscript("颜(.)：(.*?)，").matchAll("颜色：红，蓝");
    ASSERT_EQ(m.count(), 1u);
    EXPECT_EQ(m.group(0, 1), "色");
    EXPECT_EQ(m.group(0, 2), "红");
    // Positions are byte offsets into the UTF-8 subject.
    const RegexMatches p = Regex::vbscript("b").matchAll("中b文b");
    ASSERT_EQ(p.count(), 2u);
    EXPECT_EQ(p.all()[0].position, 3u);
    EXPECT_EQ(p.all()[1].position, 7u);
    // An optional empty alternative, as the marketplace patterns use.
    EXPECT_EQ(Regex::vbscript("x(|.[^\\]]*?)\\]").matchFirst("x]").group(0, 1), "");
}

TEST(RegexPerl, CaseAndDotAreTheCallersChoice)
{
    EXPECT_FALSE(Regex::perl("ABC").search("abc"));
    EXPECT_TRUE(Regex::perl("ABC", {true, false}).search("abc"));
    EXPECT_FALSE(Regex::perl("a.b").search("a\nb"));
    EXPECT_TRUE(Regex::perl("a.b", {false, true}).search("a\nb"));
}

TEST(RegexPerl, ReplacementFormats)
{
    const Regex links = Regex::perl("<a(.+?)>|</a>", {true, false});
    EXPECT_EQ(links.replaceAll("x<A href=\"\"u\"\">T</a>y<abbr>z", ""), "xTyz");

    const Regex href = Regex::perl("href=\"\"([\\s\\S]*?)\"\"", {true, false});
    EXPECT_EQ(href.replaceAll("<a href=\"\"old\"\">", "href=\"\"new-$1\"\"", ReplaceFormat::PerlExtended),
              "<a href=\"\"new-old\"\">");
    // Extended format: "(" and ")" group and must be escaped to be literal.
    EXPECT_EQ(href.replaceAll("<a href=\"\"u\"\">", "href=\"\"\\(x\\)\"\"", ReplaceFormat::PerlExtended),
              "<a href=\"\"(x)\"\">");
    EXPECT_EQ(Regex::perl("(a)(b)(c)").replaceAll("abc", "$3$1"), "ca");
    EXPECT_EQ(Regex::perl("b").replaceAll("abc", "$1", ReplaceFormat::Literal), "a$1c");
}

TEST(RegexErrors, BadPatternIsReportedAsNoMatch)
{
    const Regex bad = Regex::perl("(unclosed");
    EXPECT_FALSE(bad.valid());
    EXPECT_FALSE(bad.errorText().empty());
    EXPECT_EQ(bad.matchAll("(unclosed").status(), RegexStatus::BadPattern);
    RegexStatus status = RegexStatus::Ok;
    EXPECT_EQ(bad.replaceAll("keep me", "x", ReplaceFormat::Perl, &status), "keep me");
    EXPECT_EQ(status, RegexStatus::BadPattern);
}

TEST(RegexErrors, CatastrophicBacktrackingIsANonMatchNotAHang)
{
    const std::string subject(64, 'a');
    const auto started = std::chrono::steady_clock::now();
    const RegexMatches m = Regex::vbscript("(a+)+(b|c)").matchAll(subject);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_TRUE(m.empty());
    EXPECT_EQ(m.status(), RegexStatus::TooComplex);
    // Not a timing goal: only a guard that the bound was hit, not 2^64 steps.
    EXPECT_LT(elapsed, std::chrono::seconds(30));

    RegexStatus status = RegexStatus::Ok;
    EXPECT_EQ(Regex::perl("(a+)+(b|c)").replaceAll(subject, "x", ReplaceFormat::Perl, &status), subject);
    EXPECT_EQ(status, RegexStatus::TooComplex);
}
