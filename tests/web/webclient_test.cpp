// The ordinary request against the stand-in marketplace on 127.0.0.1.
#include "web/webclient.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "echoreader.h"
#include "sharedstate.h"
#include "support/marketplaceenv.h"
#include "web/cookiestore.h"

namespace vq::web {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

std::string http(const std::string& path)
{
    return test::marketplace().httpBase() + path;
}

std::string https(const std::string& path)
{
    return test::marketplace().httpsBase() + path;
}

FetchRequest requestFor(const std::string& address)
{
    FetchRequest request;
    request.address = address;
    return request;
}

class WebClientFetch : public ::testing::Test {
protected:
    CookieStore m_store;
    WebClient m_client{m_store, test::standInClientSettings()};
};

TEST_F(WebClientFetch, DefaultHeadersGoOutInOrder)
{
    const std::string address = http("/base/echo");
    FetchRequest request;
    request.address = address;
    const FetchResult result = m_client.fetch(request);

    EXPECT_EQ(result.completedHeaders, "Accept: */*\r\nReferer: " + address
                                           + "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded");
    EXPECT_EQ(test::echoedRequestLine(result.body), "GET /base/echo HTTP/1.1");
    std::vector<std::string> sent;
    for (const std::string& line : test::echoedHeaders(result.body))
        if (!line.starts_with("Host:"))
            sent.push_back(line);
    EXPECT_THAT(sent, ElementsAre(std::string("User-Agent: ") + kAgent, "Accept: */*", "Referer: " + address,
                                  "Accept-Language: zh-cn", "Content-Type: application/x-www-form-urlencoded"));
}

TEST_F(WebClientFetch, AddressFormOnlyReturnsTheBody)
{
    EXPECT_EQ(m_client.fetch(http("/base/fixture/hello.txt")), "Hello from the stand-in marketplace.\n");
}

struct HeaderCase {
    const char* name;
    std::string extraHeaders;
    std::string completed;            // "{A}" stands for the address
    std::vector<std::string> onWire;  // lines that must arrive exactly so
    std::string agent;                // the User-Agent line that must arrive
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const HeaderCase& c)
{
    return out << c.name;
}

class HeaderCompletion : public WebClientFetch, public ::testing::WithParamInterface<HeaderCase> {};

std::string withAddress(std::string text, const std::string& address)
{
    for (std::size_t at = text.find("{A}"); at != std::string::npos; at = text.find("{A}"))
        text.replace(at, 3, address);
    return text;
}

TEST_P(HeaderCompletion, CompletesAndSends)
{
    const HeaderCase& c = GetParam();
    FetchRequest request;
    request.address = http("/base/echo");
    request.extraHeaders = c.extraHeaders;
    const FetchResult result = m_client.fetch(request);
    EXPECT_EQ(result.completedHeaders, withAddress(c.completed, request.address));
    const std::vector<std::string> sent = test::echoedHeaders(result.body);
    for (const std::string& line : c.onWire)
        EXPECT_THAT(sent, ::testing::Contains(withAddress(line, request.address)));
    EXPECT_THAT(test::echoedHeaderLines(result.body, "User-Agent"), ElementsAre(c.agent));
}

INSTANTIATE_TEST_SUITE_P(Cases, HeaderCompletion,
    ::testing::Values(
        HeaderCase{"LowerCaseContentTypeStillGetsOne", "content-type: text/plain",
                   "content-type: text/plain\r\nAccept: */*\r\nReferer: {A}\r\nAccept-Language: zh-cn\r\n"
                   "Content-Type: application/x-www-form-urlencoded",
                   {"content-type: text/plain", "Content-Type: application/x-www-form-urlencoded"},
                   std::string("User-Agent: ") + kAgent},
        HeaderCase{"LowerCaseUserAgentSetsAgent", "user-agent: Vq Tester/1.0",
                   "user-agent: Vq Tester/1.0\r\nAccept: */*\r\nReferer: {A}\r\nAccept-Language: zh-cn\r\n"
                   "Content-Type: application/x-www-form-urlencoded",
                   {}, "user-agent: Vq Tester/1.0"},
        HeaderCase{"OwnAcceptRefererLanguageKept", "Accept: text/html\r\nReferer: http://from.example/\r\nAccept-Language: en",
                   "Accept: text/html\r\nReferer: http://from.example/\r\nAccept-Language: en\r\n"
                   "Content-Type: application/x-www-form-urlencoded",
                   {"Accept: text/html", "Referer: http://from.example/", "Accept-Language: en"},
                   std::string("User-Agent: ") + kAgent},
        HeaderCase{"LowerCaseAcceptIsNotAccept", "accept: text/html",
                   "accept: text/html\r\nAccept: */*\r\nReferer: {A}\r\nAccept-Language: zh-cn\r\n"
                   "Content-Type: application/x-www-form-urlencoded",
                   {}, std::string("User-Agent: ") + kAgent},
        HeaderCase{"AgentLineWithFollowingLines", "User-Agent:  Special Agent \r\nX-Other: 1",
                   "User-Agent:  Special Agent \r\nX-Other: 1\r\nAccept: */*\r\nReferer: {A}\r\n"
                   "Accept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded",
                   {"X-Other: 1"}, "User-Agent:  Special Agent "}),
    [](const ::testing::TestParamInfo<HeaderCase>& testInfo) { return testInfo.param.name; });

TEST_F(WebClientFetch, SuppliedEmptyJarKeepsTheStoreOut)
{
    Cookie stored;
    stored.domain = "127.0.0.1";
    stored.name = "fromstore";
    stored.value = "1";
    m_store.put(stored);

    FetchRequest request;
    request.address = http("/base/set-cookie?c=a%3D1%3B%20path%3D%2F&c=b%20%3D%202");
    request.cookieJar = std::string();
    const FetchResult result = m_client.fetch(request);

    EXPECT_THAT(test::echoedHeaderLines(result.body, "Cookie"), IsEmpty());
    ASSERT_TRUE(result.cookieJar.has_value());
    EXPECT_EQ(*result.cookieJar, "a=1; b=2");
    EXPECT_EQ(result.newCookies, "a=1;b=2");
    EXPECT_EQ(m_store.cookieHeaderFor(http("/")), "fromstore=1");
}

TEST_F(WebClientFetch, JarIsSentAndMergedWithDeletions)
{
    FetchRequest request;
    request.address = http("/base/set-cookie?c=x%3Ddeleted%3B%20path%3D%2F&c=z%3D9");
    request.cookieJar = "x=5; y=6";
    const FetchResult result = m_client.fetch(request);
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Cookie"), ElementsAre("Cookie: x=5; y=6"));
    EXPECT_EQ(*result.cookieJar, "z=9; y=6");
    EXPECT_THAT(result.completedHeaders, ::testing::EndsWith("\r\nCookie: x=5; y=6"));
    EXPECT_TRUE(m_store.all().empty());
}

TEST_F(WebClientFetch, WithoutJarTheStoreIsReadAndWritten)
{
    Cookie stored;
    stored.domain = "127.0.0.1";
    stored.name = "login";
    stored.value = "yes";
    stored.httpOnly = true;
    m_store.put(stored);

    const FetchResult result = m_client.fetch(requestFor(http("/base/set-cookie?c=fresh%3D1%3B%20HttpOnly")));
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Cookie"), ElementsAre("Cookie: login=yes"));
    // fresh has the longer default path (/base), so it comes first.
    EXPECT_EQ(m_store.cookieHeaderFor(http("/base/x")), "fresh=1; login=yes");
    EXPECT_EQ(m_store.cookieHeaderFor(http("/")), "login=yes");
    EXPECT_FALSE(result.cookieJar.has_value());
}

TEST_F(WebClientFetch, EveryRedirectHopStoresAndSendsCookies)
{
    // The first hop sets a cookie and sends the request on; the second hop
    // must carry it.
    const FetchResult result = m_client.fetch(requestFor(http("/base/redirect?to=/base/echo&c=hop%3D1%3B%20path%3D%2F")));
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Cookie"), ElementsAre("Cookie: hop=1"));
    EXPECT_EQ(m_store.cookieHeaderFor(http("/")), "hop=1");
}

TEST_F(WebClientFetch, JarModeLeavesRedirectCookiesOutOfTheStore)
{
    FetchRequest request;
    request.address = http("/base/redirect?to=/base/echo&c=hop%3D1");
    request.cookieJar = "mine=1";
    const FetchResult result = m_client.fetch(request);
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Cookie"), ElementsAre("Cookie: mine=1"));
    EXPECT_TRUE(m_store.all().empty());
}

struct NewCookiesCase {
    const char* name;
    std::string query;
    std::string newCookies;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const NewCookiesCase& c)
{
    return out << c.name;
}

class ResponseCookies : public WebClientFetch, public ::testing::WithParamInterface<NewCookiesCase> {};

TEST_P(ResponseCookies, NewCookiesFromEverySpelling)
{
    const FetchResult result = m_client.fetch(requestFor(http("/base/set-cookie?" + GetParam().query)));
    EXPECT_EQ(result.newCookies, GetParam().newCookies);
    EXPECT_THAT(result.headers, ::testing::Not(HasSubstr("set-cookie")));
}

INSTANTIATE_TEST_SUITE_P(Cases, ResponseCookies,
    ::testing::Values(
        NewCookiesCase{"LowerCaseWithPathThenPlain", "c=a%3D1%3B%20path%3D%2F&n=set-cookie&c=b%3D2&n=Set-Cookie", "a=1; b=2"},
        NewCookiesCase{"UpperCaseSpelling", "c=u%3D1&name=SET-COOKIE", "u=1"},
        NewCookiesCase{"AttributesDropped", "c=s%3Dx%3B%20Domain%3D127.0.0.1%3B%20Max-Age%3D60%3B%20Secure%3B%20HttpOnly", "s=x"},
        NewCookiesCase{"NoCookies", "", ""}),
    [](const ::testing::TestParamInfo<NewCookiesCase>& testInfo) { return testInfo.param.name; });

TEST_F(WebClientFetch, RawHeaderBlockOfTheResponse)
{
    const FetchResult result = m_client.fetch(requestFor(http("/base/set-cookie?c=a%3D1&name=set-cookie")));
    EXPECT_THAT(result.headers, StartsWith("HTTP/1.1 200 OK\r\n"));
    EXPECT_THAT(result.headers, HasSubstr("\r\nSet-Cookie: a=1\r\n"));
    EXPECT_THAT(result.headers, ::testing::EndsWith("\r\n\r\n"));
}

struct BodyCase {
    const char* name;
    int method;
    std::string postText;
    std::string postBytes;
    std::string requestLineStart;
    std::string sentBody;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const BodyCase& c)
{
    return out << c.name;
}

class RequestBodies : public WebClientFetch, public ::testing::WithParamInterface<BodyCase> {};

TEST_P(RequestBodies, SendsTheRightBody)
{
    const BodyCase& c = GetParam();
    FetchRequest request;
    request.address = http("/base/echo");
    request.method = c.method;
    request.postText = c.postText;
    request.postBytes = c.postBytes;
    const FetchResult result = m_client.fetch(request);
    const std::vector<market::RecordedRequest> seen = test::marketplace().state().recordedFor("/base/echo");
    ASSERT_FALSE(seen.empty());
    const market::RecordedRequest& last = seen.back();
    EXPECT_THAT(last.rawHead, StartsWith(c.requestLineStart));
    EXPECT_EQ(last.body, c.sentBody) << last.rawHead;
    if (c.method != 2) {
        EXPECT_EQ(test::echoedBody(result.body), c.sentBody);
    } else {
        EXPECT_TRUE(result.body.empty());
        EXPECT_THAT(result.headers, HasSubstr("X-Echo-Body-Length: " + std::to_string(c.sentBody.size())));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RequestBodies,
    ::testing::Values(
        BodyCase{"PostBytesBeatPostText", 1, "text=1", std::string("by\0tes", 6), "POST ", std::string("by\0tes", 6)},
        BodyCase{"PostText", 1, "a=1&b=%D6%D0", "", "POST ", "a=1&b=%D6%D0"},
        BodyCase{"PostWithoutBody", 1, "", "", "POST ", ""},
        BodyCase{"HeadSendsPostText", 2, "head=body", "", "HEAD ", "head=body"},
        BodyCase{"HeadWithoutBody", 2, "", "", "HEAD ", ""},
        BodyCase{"GetSendsNoBody", 0, "ignored", "ignored too", "GET ", ""},
        BodyCase{"OutOfRangeMethodIsGet", 7, "ignored", "", "GET ", ""}),
    [](const ::testing::TestParamInfo<BodyCase>& testInfo) { return testInfo.param.name; });

TEST_F(WebClientFetch, UnreachableHostGivesEmpty)
{
    const std::string address = "http://127.0.0.1:" + std::to_string(test::unusedLoopbackPort()) + "/x";
    FetchRequest request;
    request.address = address;
    request.cookieJar = "a = 1";
    const FetchResult result = m_client.fetch(request);
    EXPECT_TRUE(result.body.empty());
    EXPECT_TRUE(result.headers.empty());
    EXPECT_TRUE(result.newCookies.empty());
    EXPECT_EQ(*result.cookieJar, "a=1");
    EXPECT_TRUE(m_client.fetch(address).empty());
}

TEST_F(WebClientFetch, ResetConnectionGivesEmpty)
{
    EXPECT_TRUE(m_client.fetch(http("/base/reset")).empty());
}

TEST_F(WebClientFetch, StatusIsNotExamined)
{
    const FetchResult result = m_client.fetch(requestFor(http("/base/status?code=404")));
    EXPECT_EQ(result.body, "status 404");
    EXPECT_THAT(result.headers, StartsWith("HTTP/1.1 404"));
    EXPECT_EQ(m_client.fetch(http("/base/status?code=500")), "status 500");
}

TEST_F(WebClientFetch, SecureAddressWithExplicitPortUsesTls)
{
    const std::string body = m_client.fetch(https("/base/echo"));
    EXPECT_EQ(test::echoedRequestLine(body), "GET /base/echo HTTP/1.1");
    const std::vector<market::RecordedRequest> seen = test::marketplace().state().recordedFor("/base/echo");
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(seen.back().secure);
}

TEST_F(WebClientFetch, UntrustedCertificateIsRefused)
{
    CookieStore store;
    const WebClient ordinary(store);
    EXPECT_TRUE(ordinary.fetch(https("/base/echo")).empty());
    EXPECT_FALSE(ordinary.fetch(http("/base/echo")).empty());
}

struct RedirectCase {
    const char* name;
    std::string path;       // on the http server; "{S}" is the https base, "{P}" the http port
    int method;
    bool noRedirect;
    std::string requestLine;  // of the final echo, or empty
    std::string body;         // expected body when not an echo
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const RedirectCase& c)
{
    return out << c.name;
}

class Redirects : public WebClientFetch, public ::testing::WithParamInterface<RedirectCase> {};

TEST_P(Redirects, FollowsOrStops)
{
    const RedirectCase& c = GetParam();
    std::string path = c.path;
    if (const std::size_t at = path.find("{S}"); at != std::string::npos)
        path.replace(at, 3, test::marketplace().httpsBase());
    if (const std::size_t at = path.find("{P}"); at != std::string::npos)
        path.replace(at, 3, std::to_string(test::marketplace().httpPort()));
    FetchRequest request;
    request.address = http(path);
    request.method = c.method;
    request.postText = "p=1";
    request.noRedirect = c.noRedirect;
    const FetchResult result = m_client.fetch(request);
    if (c.requestLine.empty()) {
        EXPECT_EQ(result.body, c.body);
    } else {
        EXPECT_EQ(test::echoedRequestLine(result.body), c.requestLine);
        EXPECT_EQ(test::echoedBody(result.body), c.body);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Redirects,
    ::testing::Values(
        RedirectCase{"RelativeFound", "/base/redirect?to=/base/echo%3Fr%3D1", 0, false, "GET /base/echo?r=1 HTTP/1.1", ""},
        RedirectCase{"RelativeWithoutSlash", "/base/redirect?to=echo", 0, false, "GET /base/echo HTTP/1.1", ""},
        RedirectCase{"AbsoluteMovedPermanently", "/base/redirect?code=301&to=http://127.0.0.1:{P}/base/echo", 0, false,
                     "GET /base/echo HTTP/1.1", ""},
        RedirectCase{"PlainToSecure", "/base/redirect-to-https?path=/base/echo", 0, false, "GET /base/echo HTTP/1.1", ""},
        RedirectCase{"PlainToSecureAbsolute", "/base/redirect?to={S}/base/echo", 0, false, "GET /base/echo HTTP/1.1", ""},
        RedirectCase{"NotFollowedWhenAsked", "/base/redirect?to=/base/echo", 0, true, "", "moved"},
        RedirectCase{"PostBecomesGetOn302", "/base/redirect?to=/base/echo", 1, false, "GET /base/echo HTTP/1.1", ""},
        RedirectCase{"PostKeptOn307", "/base/redirect?code=307&to=/base/echo", 1, false, "POST /base/echo HTTP/1.1", "p=1"},
        RedirectCase{"ChainOfTwo", "/base/redirect?to=/base/redirect%3Fto%3D/base/echo", 0, false, "GET /base/echo HTTP/1.1", ""}),
    [](const ::testing::TestParamInfo<RedirectCase>& testInfo) { return testInfo.param.name; });

TEST_F(WebClientFetch, BodyOfExactly64MiBIsReturned)
{
    const std::string body = m_client.fetch(http("/base/large?bytes=67108864"));
    EXPECT_EQ(body.size(), 67108864u);
}

struct OversizeCase {
    const char* name;
    std::string path;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const OversizeCase& c)
{
    return out << c.name;
}

class Oversized : public WebClientFetch, public ::testing::WithParamInterface<OversizeCase> {};

TEST_P(Oversized, BodyOver64MiBIsAFailure)
{
    EXPECT_TRUE(m_client.fetch(http(GetParam().path)).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Oversized,
    ::testing::Values(OversizeCase{"WithLength", "/base/large?bytes=67108865"},
                      OversizeCase{"ChunkedWithoutLength", "/base/large?bytes=100000000&chunked=1"}),
    [](const ::testing::TestParamInfo<OversizeCase>& testInfo) { return testInfo.param.name; });

TEST_F(WebClientFetch, LargeHeaderBlockIsReturnedWhole)
{
    // Sixty cookies of about a hundred bytes each: far more header text than
    // a fixed 5000-character buffer holds, and none of it may be lost.
    std::string query;
    std::string expected;
    for (int i = 0; i < 60; ++i) {
        const std::string value(90, static_cast<char>('a' + i % 26));
        query += "&c=k" + std::to_string(i) + "%3D" + value + "%3B%20path%3D%2F";
        expected += (i ? "; k" : "k") + std::to_string(i) + "=" + value;
    }
    FetchRequest request = requestFor(http("/base/set-cookie?" + query.substr(1)));
    request.cookieJar = std::string();
    const FetchResult result = m_client.fetch(request);
    EXPECT_GT(result.headers.size(), 6000u);
    std::string withoutBlanks = expected;
    std::erase(withoutBlanks, ' ');
    // The jar merge takes the blanks out of the new cookies as well.
    EXPECT_EQ(result.newCookies, withoutBlanks);
    EXPECT_EQ(*result.cookieJar, expected);
}

TEST_F(WebClientFetch, RedirectLoopEndsEmpty)
{
    EXPECT_TRUE(m_client.fetch(http("/base/loop")).empty());
    WinHttpRequest request;
    request.address = http("/base/loop");
    EXPECT_TRUE(m_client.fetchViaWinHttpObject(request).body.empty());
}

TEST_F(WebClientFetch, TotalTimeoutEndsASlowAnswer)
{
    // The program's limit is 300 s; a client made with one second shows
    // that the limit holds without making the test slow.
    WebClientSettings settings = test::standInClientSettings();
    settings.totalTimeout = std::chrono::seconds(1);
    const WebClient impatient(m_store, settings);
    EXPECT_TRUE(impatient.fetch(http("/base/slow?ms=60000")).empty());
    EXPECT_EQ(impatient.fetch(http("/base/slow?ms=0")), "slow answer");
}

TEST_F(WebClientFetch, ProxyReceivesTheRequest)
{
    // The proxy is the stand-in itself; the host name is never looked up.
    FetchRequest request;
    request.address = "http://proxied.invalid/base/proxied";
    request.proxy = "127.0.0.1:" + std::to_string(test::marketplace().httpPort());
    const FetchResult result = m_client.fetch(request);
    EXPECT_EQ(test::echoedRequestLine(result.body), "GET http://proxied.invalid/base/proxied HTTP/1.1");
}

TEST_F(WebClientFetch, EnvironmentProxyIsIgnored)
{
    const std::string dead = "http://127.0.0.1:" + std::to_string(test::unusedLoopbackPort());
    ::setenv("http_proxy", dead.c_str(), 1);
    ::setenv("HTTPS_PROXY", dead.c_str(), 1);
    ::setenv("ALL_PROXY", dead.c_str(), 1);
    const std::string plain = m_client.fetch(http("/base/fixture/hello.txt"));
    const std::string secure = m_client.fetch(https("/base/fixture/hello.txt"));
    ::unsetenv("http_proxy");
    ::unsetenv("HTTPS_PROXY");
    ::unsetenv("ALL_PROXY");
    EXPECT_EQ(plain, "Hello from the stand-in marketplace.\n");
    EXPECT_EQ(secure, plain);
}

}  // namespace
}  // namespace vq::web
