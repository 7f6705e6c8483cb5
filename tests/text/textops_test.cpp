#include "text/textops.h"

#include <gtest/gtest.h>

using namespace vq::text;

TEST(Replace, AllOccurrencesExactOrIgnoringCase)
{
    EXPECT_EQ(replaceAll("aXbXc", "X", "--"), "a--b--c");
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");  // inserted text is not re-scanned
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("Set-Cookie set-cookie", "set-cookie", "Set-Cookie"), "Set-Cookie Set-Cookie");
    EXPECT_EQ(replaceAllIgnoreCase("SET-COOKIE: a; set-Cookie: b", "set-cookie", "Set-Cookie"),
              "Set-Cookie: a; Set-Cookie: b");
    EXPECT_EQ(replaceFirst("a,b,c", ",", ";"), "a;b,c");
}

TEST(Find, NeverMatchesInsideAMultiByteCharacter)
{
    // "中" is E4 B8 AD; a search for B8 AD alone must not hit its tail when
    // the needle is a whole character elsewhere.
    EXPECT_EQ(find("中文", "文"), 3u);
    EXPECT_EQ(find("ABC", "bc", 0, true), 1u);
    EXPECT_EQ(find("ABC", "bc"), npos);
    EXPECT_TRUE(contains("Content-Type: x", "content-type:", true));
}

TEST(Digits, NonEmptyAsciiDigitsOnly)
{
    EXPECT_TRUE(isAllDigits("0123456789"));
    EXPECT_FALSE(isAllDigits(""));
    EXPECT_FALSE(isAllDigits("12a"));
    EXPECT_FALSE(isAllDigits("-1"));
    EXPECT_FALSE(isAllDigits("１２"));  // full-width digits are not digits here
}

TEST(Trim, OnlyAsciiAndFullWidthBlanks)
{
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(trim("\xE3\x80\x80 a\xE3\x80\x80"), "a");
    EXPECT_EQ(trim("\ta\r\n"), "\ta\r\n");
    EXPECT_EQ(trim(" \t "), "\t");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trimLeft("  a  "), "a  ");
    EXPECT_EQ(trimRight("  a  "), "  a");
    EXPECT_EQ(removeBlanks("a b\xE3\x80\x80" "c"), "abc");
}

TEST(Split, KeepsMiddleEmptiesDropsLastEmpty)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(split("", ";"), V{});
    EXPECT_EQ(split("a;;b", ";"), (V{"a", "", "b"}));
    EXPECT_EQ(split("a;b;", ";"), (V{"a", "b"}));
    EXPECT_EQ(split(";", ";"), (V{""}));
    EXPECT_EQ(split("a||b||c||d", "||"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(join({"a", "b"}, "; "), "a; b");
}

TEST(Lines, CountAndAccess)
{
    EXPECT_EQ(LineCount(""), 0u);
    EXPECT_EQ(LineCount("one"), 1u);
    EXPECT_EQ(LineCount("one\r\n"), 1u);
    EXPECT_EQ(LineCount("one\r\ntwo"), 2u);
    EXPECT_EQ(LineCount("one\r\n\r\ntwo"), 3u);
    EXPECT_EQ(LineAt("one\r\n\r\ntwo", 2), "");
    EXPECT_EQ(LineAt("one\r\n\r\ntwo", 3), "two");
    EXPECT_EQ(LineAt("one\r\n", 1), "one");
    EXPECT_EQ(LineAt("one\r\n", 2), "");
    EXPECT_EQ(LineAt("one", 0), "");
    EXPECT_EQ(LineAt("one", -1), "");
}
