#include "web/responseheaders.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vq::web {
namespace {

TEST(ResponseHeaders, EverySpellingOfSetCookieIsNormalised)
{
    EXPECT_EQ(normaliseSetCookieSpelling("HTTP/1.1 200 OK\r\nset-cookie: a=1\r\nSET-COOKIE: b=2\r\nSeT-cOoKiE: c=3\r\n"),
              "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nSet-Cookie: b=2\r\nSet-Cookie: c=3\r\n");
}

struct NewCookiesCase {
    const char* name;
    std::string headers;
    std::string expected;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const NewCookiesCase& c)
{
    return out << c.name;
}

class NewCookiesTest : public ::testing::TestWithParam<NewCookiesCase> {};

TEST_P(NewCookiesTest, OneItemPerSetCookieLine)
{
    const NewCookiesCase& c = GetParam();
    EXPECT_EQ(newCookiesFromHeaders(normaliseSetCookieSpelling(c.headers)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NewCookiesTest,
    ::testing::Values(
        NewCookiesCase{"LowerCaseWithPathThenPlain",
                       "HTTP/1.1 200 OK\r\nset-cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n", "a=1; b=2"},
        NewCookiesCase{"NoCookies", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", ""},
        NewCookiesCase{"AttributesDropped",
                       "HTTP/1.1 200 OK\r\nSet-Cookie: s=x; Domain=.a.com; Expires=Wed, 21 Oct 2037 07:28:00 GMT; HttpOnly\r\n",
                       "s=x"},
        NewCookiesCase{"KeepsResponseOrder", "HTTP/1.1 302 Found\r\nSet-Cookie: z=9\r\nSet-Cookie: a=1; path=/\r\n",
                       "z=9; a=1"},
        NewCookiesCase{"DeletionMarkerKept", "HTTP/1.1 200 OK\r\nSet-Cookie: x=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT\r\n",
                       "x=deleted"}),
    [](const ::testing::TestParamInfo<NewCookiesCase>& testInfo) { return testInfo.param.name; });

struct AppendCase {
    const char* name;
    std::string cookieText;
    std::string headers;
    std::string expected;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const AppendCase& c)
{
    return out << c.name;
}

class AppendResponseCookiesTest : public ::testing::TestWithParam<AppendCase> {};

TEST_P(AppendResponseCookiesTest, AppendsWithoutMerging)
{
    const AppendCase& c = GetParam();
    std::string cookieText = c.cookieText;
    appendResponseCookies(cookieText, c.headers);
    EXPECT_EQ(cookieText, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AppendResponseCookiesTest,
    ::testing::Values(
        AppendCase{"AppendsAfterCallersText", "a=1", "Set-Cookie: b=2; path=/\r\n", "a=1; b=2"},
        AppendCase{"StartsEmptyText", "", "Set-Cookie: b=2; path=/\r\n", "b=2"},
        AppendCase{"NoMergeOfSameName", "a=1", "Set-Cookie: a=2; path=/\r\n", "a=1; a=2"},
        AppendCase{"EmptyValueNotTaken", "a=1", "Set-Cookie: gone=; path=/\r\n", "a=1"},
        AppendCase{"LineWithoutSemicolonTaken", "a=1", "Set-Cookie: b=2\r\n", "a=1; b=2"},
        AppendCase{"LowerCaseHeaderTaken", "", "set-cookie: c=3; path=/\r\n", "c=3"}),
    [](const ::testing::TestParamInfo<AppendCase>& testInfo) { return testInfo.param.name; });

TEST(ResponseHeaders, SetCookieValuesKeepAttributes)
{
    const std::vector<std::string> values =
        setCookieValues("HTTP/1.1 200 OK\r\nset-cookie: a=1; Path=/x\r\nX-Set-Cookie-Note: no\r\nSet-Cookie:b=2\r\n\r\n");
    EXPECT_EQ(values, (std::vector<std::string>{"a=1; Path=/x", "b=2"}));
}

}  // namespace
}  // namespace vq::web
