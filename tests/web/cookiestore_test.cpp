#include "web/cookiestore.h"

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "support/tempdir.h"
#include "web/cookiefile.h"

namespace vq::web {
namespace {

struct MatchCase {
    const char* name;
    std::string setFrom;                  // address the response came from
    std::vector<std::string> setCookies;  // Set-Cookie values
    std::string requestTo;                // address of the later request
    std::string expectedHeader;           // the Cookie text it gets
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const MatchCase& c)
{
    return out << c.name;
}

class CookieMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(CookieMatchTest, SendsWhatApplies)
{
    const MatchCase& c = GetParam();
    CookieStore store;
    store.storeFromResponse(c.setFrom, c.setCookies);
    EXPECT_EQ(store.cookieHeaderFor(c.requestTo), c.expectedHeader);
}

INSTANTIATE_TEST_SUITE_P(Cases, CookieMatchTest,
    ::testing::Values(
        MatchCase{"HostOnlyToSameHost", "http://a.example.com/x", {"s=1"}, "http://a.example.com/", "s=1"},
        MatchCase{"HostOnlyNotToSubdomain", "http://example.com/", {"s=1"}, "http://www.example.com/", ""},
        MatchCase{"DomainCookieToSubdomain", "http://www.example.com/", {"s=1; Domain=.example.com"},
                  "http://shop.example.com/", "s=1"},
        MatchCase{"DomainWithoutDotToSubdomain", "http://www.example.com/", {"s=1; domain=example.com"},
                  "http://example.com/", "s=1"},
        MatchCase{"ForeignDomainRefused", "http://www.example.com/", {"s=1; Domain=other.com"},
                  "http://other.com/", ""},
        MatchCase{"LookalikeDomainNotMatched", "http://example.com/", {"s=1; Domain=example.com"},
                  "http://badexample.com/", ""},
        MatchCase{"PortIgnored", "http://127.0.0.1:1000/", {"s=1"}, "http://127.0.0.1:2000/", "s=1"},
        MatchCase{"PathAttributeLimits", "http://a.com/", {"s=1; Path=/shop"}, "http://a.com/other", ""},
        MatchCase{"PathAttributeMatchesBelow", "http://a.com/", {"s=1; Path=/shop"}, "http://a.com/shop/item?x=1",
                  "s=1"},
        MatchCase{"PathPrefixNeedsBoundary", "http://a.com/", {"s=1; Path=/shop"}, "http://a.com/shopping", ""},
        MatchCase{"DefaultPathIsDirectory", "http://a.com/dir/page.html", {"s=1"}, "http://a.com/dir/other", "s=1"},
        MatchCase{"DefaultPathNotAbove", "http://a.com/dir/page.html", {"s=1"}, "http://a.com/", ""},
        MatchCase{"SecureOnlyOverHttps", "https://a.com/", {"s=1; Secure", "p=2"}, "http://a.com/", "p=2"},
        MatchCase{"SecureSentOverHttps", "https://a.com/", {"s=1; Secure"}, "https://a.com/", "s=1"},
        MatchCase{"LongerPathFirst", "http://a.com/", {"a=1; Path=/", "b=2; Path=/deep"}, "http://a.com/deep/x",
                  "b=2; a=1"},
        MatchCase{"ExpiredNotKept", "http://a.com/", {"s=1; Expires=Thu, 01 Jan 1970 00:00:10 GMT"}, "http://a.com/",
                  ""},
        MatchCase{"MaxAgeZeroNotKept", "http://a.com/", {"s=1; Max-Age=0"}, "http://a.com/", ""},
        MatchCase{"MaxAgeBeatsPastExpires", "http://a.com/", {"s=1; Expires=Thu, 01 Jan 1970 00:00:10 GMT; Max-Age=600"},
                  "http://a.com/", "s=1"},
        MatchCase{"LaterValueReplaces", "http://a.com/", {"s=1", "s=2"}, "http://a.com/", "s=2"},
        MatchCase{"DeletedRemoves", "http://a.com/", {"s=1", "s=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT"},
                  "http://a.com/", ""},
        MatchCase{"DeletedWithoutExpiryRemoves", "http://a.com/", {"s=1", "t=2", "s=deleted"}, "http://a.com/", "t=2"},
        MatchCase{"WithoutEqualsIgnored", "http://a.com/", {"garbage", "ok=1"}, "http://a.com/", "ok=1"}),
    [](const ::testing::TestParamInfo<MatchCase>& testInfo) { return testInfo.param.name; });

TEST(CookieStore, HttpOnlyListedOnlyWhenAsked)
{
    CookieStore store;
    store.storeFromResponse("http://a.com/", {"plain=1", "hidden=2; HttpOnly"});
    EXPECT_EQ(store.cookieHeaderFor("http://a.com/", true), "plain=1; hidden=2");
    EXPECT_EQ(store.cookieHeaderFor("http://a.com/", false), "plain=1");
    const std::vector<Cookie> all = store.cookiesFor("http://a.com/");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_TRUE(all[1].httpOnly);
}

TEST(CookieStore, AttributesAreKept)
{
    CookieStore store;
    store.storeFromResponse("https://www.example.com/shop/x",
                            {"s=v; Domain=.example.com; Path=/shop; Secure; HttpOnly; Max-Age=3600"});
    const std::vector<Cookie> all = store.all();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].domain, ".example.com");
    EXPECT_TRUE(all[0].includeSubdomains);
    EXPECT_EQ(all[0].path, "/shop");
    EXPECT_TRUE(all[0].secure);
    EXPECT_TRUE(all[0].httpOnly);
    EXPECT_GT(all[0].expires, static_cast<std::int64_t>(std::time(nullptr)) + 3000);
    EXPECT_EQ(all[0].name, "s");
    EXPECT_EQ(all[0].value, "v");
}

TEST(CookieStore, PutTakesBrowserCookies)
{
    CookieStore store;
    Cookie cookie;
    cookie.domain = ".Example.com";
    cookie.name = "login";
    cookie.value = "yes";
    cookie.httpOnly = true;
    store.put(cookie);
    EXPECT_EQ(store.cookieHeaderFor("http://offer.example.com/post"), "login=yes");
    cookie.value = "deleted";
    store.put(cookie);
    EXPECT_EQ(store.cookieHeaderFor("http://offer.example.com/post"), "");
}

TEST(CookieStore, RefusesCookiesThatWouldBreakTheFile)
{
    CookieStore store;
    Cookie cookie;
    cookie.domain = "a.com";
    cookie.name = "bad";
    cookie.value = "line\nbreak";
    store.put(cookie);
    EXPECT_TRUE(store.all().empty());
}

TEST(CookieStore, LoginSurvivesRestart)
{
    test::TempDir dir;
    const auto file = dir / "options" / "cookies.txt";
    {
        CookieStore store(file);
        store.storeFromResponse("https://login.example.com/member/login.jhtml",
                                {"session=abc; Domain=.example.com; Path=/; HttpOnly",
                                 "remember=1; Path=/; Max-Age=86400", "gone=1; Max-Age=0"});
        // Written at once, without an explicit save.
    }
    const std::string text = test::readBytes(file);
    EXPECT_NE(text.find("#HttpOnly_.example.com\tTRUE\t/\tFALSE\t0\tsession\tabc\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("gone"), std::string::npos);

    CookieStore restarted(file);
    EXPECT_EQ(restarted.cookieHeaderFor("https://work.example.com/"), "session=abc");
    EXPECT_EQ(restarted.cookieHeaderFor("https://login.example.com/"), "session=abc; remember=1");
    EXPECT_EQ(BrowserCookies(restarted, "offer.example.com/offer/post.htm", "session"), "session=abc");
}

TEST(CookieStore, LoadSkipsExpiredAndMalformedLines)
{
    test::TempDir dir;
    const auto file = dir / "cookies.txt";
    test::writeBytes(file,
        "# Netscape HTTP Cookie File\n"
        "a.com\tFALSE\t/\tFALSE\t0\tkeep\t1\n"
        "a.com\tFALSE\t/\tFALSE\t100\told\t1\n"
        "not a cookie line\n"
        "a.com\tFALSE\t/\tFALSE\tsoon\tbadexpiry\t1\n"
        "#HttpOnly_a.com\tFALSE\t/\tFALSE\t0\thidden\t2\r\n"
        "a.com\tFALSE\t/\tFALSE\t0\tempty\t\n");
    CookieStore store(file);
    EXPECT_EQ(store.cookieHeaderFor("http://a.com/"), "keep=1; hidden=2; empty=");
    EXPECT_EQ(store.cookieHeaderFor("http://a.com/", false), "keep=1; empty=");
}

TEST(CookieStore, LoadOfMissingFileKeepsContents)
{
    test::TempDir dir;
    CookieStore store(dir / "missing.txt");
    store.storeFromResponse("http://a.com/", {"s=1"});
    CookieStore other(dir / "none.txt");
    EXPECT_FALSE(other.load());
    EXPECT_EQ(store.cookieHeaderFor("http://a.com/"), "s=1");
}

TEST(CookieFile, WritesAndReadsEveryField)
{
    Cookie cookie;
    cookie.domain = ".b.com";
    cookie.includeSubdomains = true;
    cookie.path = "/p";
    cookie.secure = true;
    cookie.httpOnly = true;
    cookie.expires = 2000000000;
    cookie.name = "n";
    cookie.value = "v=1";
    const std::string text = writeCookieFile({cookie});
    EXPECT_NE(text.find("#HttpOnly_.b.com\tTRUE\t/p\tTRUE\t2000000000\tn\tv=1\n"), std::string::npos);
    const std::vector<Cookie> back = readCookieFile(text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].domain, cookie.domain);
    EXPECT_EQ(back[0].includeSubdomains, cookie.includeSubdomains);
    EXPECT_EQ(back[0].path, cookie.path);
    EXPECT_EQ(back[0].secure, cookie.secure);
    EXPECT_EQ(back[0].httpOnly, cookie.httpOnly);
    EXPECT_EQ(back[0].expires, cookie.expires);
    EXPECT_EQ(back[0].name, cookie.name);
    EXPECT_EQ(back[0].value, cookie.value);
}

struct BrowserCase {
    const char* name;
    std::string hostPath;
    std::string cookie;
    std::string expected;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const BrowserCase& c)
{
    return out << c.name;
}

class BrowserCookiesTest : public ::testing::TestWithParam<BrowserCase> {};

TEST_P(BrowserCookiesTest, ReadsTheStoreForAnAddress)
{
    CookieStore store;
    store.storeFromResponse("https://login.example.com/",
                            {"cna=abc; Domain=.example.com; Path=/", "cookie2=s3; Domain=.example.com; Path=/; HttpOnly",
                             "_tb_token_=t1; Domain=.example.com; Path=/", "sec=1; Domain=.example.com; Path=/; Secure"});
    const BrowserCase& c = GetParam();
    EXPECT_EQ(BrowserCookies(store, c.hostPath, c.cookie), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BrowserCookiesTest,
    ::testing::Values(
        BrowserCase{"AllIncludingHttpOnlyNoSecure", "offer.example.com/offer/post.htm", "",
                    "cna=abc; cookie2=s3; _tb_token_=t1"},
        BrowserCase{"OneByName", "offer.example.com/offer/post.htm", "_tb_token_", "_tb_token_=t1"},
        BrowserCase{"HttpOnlyByName", "offer.example.com", "cookie2", "cookie2=s3"},
        BrowserCase{"MissingName", "offer.example.com", "nothing", ""},
        BrowserCase{"OtherSite", "other.com/x", "", ""}),
    [](const ::testing::TestParamInfo<BrowserCase>& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace vq::web
