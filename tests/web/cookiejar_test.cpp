#include "web/cookiejar.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vq::web {
namespace {

struct MergeCase {
    const char* name;
    std::string jar;
    std::string newCookies;
    std::string merged;
    std::string newCookiesAfter;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const MergeCase& c)
{
    return out << c.name;
}

class MergeCookiesTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeCookiesTest, MergesAsTheJarRulesSay)
{
    const MergeCase& c = GetParam();
    std::string jar = c.jar;
    std::string newCookies = c.newCookies;
    const std::string returned = MergeCookies(jar, newCookies);
    EXPECT_EQ(returned, c.merged);
    EXPECT_EQ(jar, c.merged);
    EXPECT_EQ(newCookies, c.newCookiesAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeCookiesTest,
    ::testing::Values(
        MergeCase{"NewReplacesOldAndGoesFirst", "a=1; b=1", "a=2; c=3", "a=2; c=3; b=1", "a=2;c=3"},
        MergeCase{"DeletedDropsBoth", "x=5; y=6", "x=deleted", "y=6", "x=deleted"},
        MergeCase{"EmptyJarTakesNewWithoutSpaces", "", "a = 1; b=2 ; a = 1", "a=1; b=2", "a=1;b=2;a=1"},
        MergeCase{"NothingNewNormalisesJar", "a=1;b=2 ;  c=3;", "", "a=1; b=2; c=3", ""},
        MergeCase{"DuplicateNameKeepsFirst", "a=1; a=2; b=3", "", "a=1; b=3", ""},
        MergeCase{"FullWidthBlankRemoved", "a=1\u3000; b=2", "c=\u30003", "c=3; a=1; b=2", "c=3"},
        MergeCase{"BothEmpty", "", "", "", ""},
        MergeCase{"NameComparedWithCase", "A=1", "a=2", "a=2; A=1", "a=2"},
        MergeCase{"DeletedNewWithoutOld", "b=1", "a=deleted; c=2", "c=2; b=1", "a=deleted;c=2"},
        MergeCase{"IdenticalItemsCollapse", "a=1", "b=1; b=1", "b=1; a=1", "b=1;b=1"},
        MergeCase{"ItemWithoutEqualsIsItsOwnName", "flag; a=1", "flag", "flag; a=1", "flag"}),
    [](const ::testing::TestParamInfo<MergeCase>& testInfo) { return testInfo.param.name; });

struct ValueCase {
    const char* name;
    std::string jar;
    std::string cookie;
    bool valueOnly;
    std::string expected;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const ValueCase& c)
{
    return out << c.name;
}

class CookieValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(CookieValueTest, FindsTheNamedCookie)
{
    const ValueCase& c = GetParam();
    EXPECT_EQ(CookieValue(c.jar, c.cookie, c.valueOnly), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CookieValueTest,
    ::testing::Values(
        ValueCase{"FirstItem", "a=1; b=2", "a", true, "1"},
        ValueCase{"LaterItemAfterBlank", "a=1; b=2", "b", true, "2"},
        ValueCase{"NameIgnoringCase", "Token=xyz; b=2", "tOKEN", true, "xyz"},
        ValueCase{"NameAndValue", "a=1; b=2", "b", false, "b=2"},
        ValueCase{"ValueWithEqualsTakesAfterLast", "t=k=v", "t", true, "v"},
        ValueCase{"ValueWithColonTakesUpToColon", "t=abc:def", "t", true, "abc"},
        ValueCase{"Missing", "a=1", "z", true, ""},
        ValueCase{"EmptyValue", "a=; b=2", "a", false, ""},
        ValueCase{"ItemWithoutEqualsSkipped", "a; a=5", "a", true, "5"},
        ValueCase{"FirstMatchWins", "a=1; a=2", "a", true, "1"},
        ValueCase{"EmptyJar", "", "a", true, ""}),
    [](const ::testing::TestParamInfo<ValueCase>& testInfo) { return testInfo.param.name; });

struct DuplicateCase {
    const char* name;
    std::string text;
    std::string separator;
    std::string expected;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const DuplicateCase& c)
{
    return out << c.name;
}

class RemoveDuplicateItemsTest : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(RemoveDuplicateItemsTest, KeepsFirstOccurrences)
{
    const DuplicateCase& c = GetParam();
    EXPECT_EQ(RemoveDuplicateItems(c.text, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveDuplicateItemsTest,
    ::testing::Values(
        DuplicateCase{"Repeats", "a; b; a; c; b", "; ", "a; b; c"},
        DuplicateCase{"ExactComparison", "a; A; a ", "; ", "a; A; a "},
        DuplicateCase{"EmptyText", "", "; ", ""},
        DuplicateCase{"TrailingSeparatorDropped", "x,y,x,", ",", "x,y"},
        DuplicateCase{"EmptyPiecesCollapse", "x,,y,,z", ",", "x,,y,z"}),
    [](const ::testing::TestParamInfo<DuplicateCase>& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace vq::web
