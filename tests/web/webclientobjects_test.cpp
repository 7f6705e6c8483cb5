// The request-object variants against the stand-in marketplace.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "echoreader.h"
#include "support/marketplaceenv.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace vq::web {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kLongAccept =
    "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

std::string http(const std::string& path)
{
    return test::marketplace().httpBase() + path;
}

std::string https(const std::string& path)
{
    return test::marketplace().httpsBase() + path;
}

class ObjectVariants : public ::testing::Test {
protected:
    CookieStore m_store;
    // Deliberately not trusting the stand-in: the WinHttp variant must not care.
    WebClient m_client{m_store};
};

TEST_F(ObjectVariants, WinHttpFillsTheStatus)
{
    WinHttpRequest request;
    request.address = http("/base/status?code=404");
    const WinHttpResult result = m_client.fetchViaWinHttpObject(request);
    EXPECT_EQ(result.status, 404);
    EXPECT_EQ(result.body, "status 404");
    // The object's header text starts after the status line.
    EXPECT_THAT(result.headers, ::testing::Not(HasSubstr("HTTP/1.1")));
    EXPECT_THAT(result.headers, HasSubstr("Content-Length: 10\r\n"));
}

TEST_F(ObjectVariants, InvalidCertificatePageFetchedByWinHttpOnly)
{
    WinHttpRequest request;
    request.address = https("/base/fixture/hello.txt");
    const WinHttpResult result = m_client.fetchViaWinHttpObject(request);
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "Hello from the stand-in marketplace.\n");
    EXPECT_TRUE(m_client.fetch(request.address).empty());
    EXPECT_TRUE(m_client.fetchViaComObject(request.address).empty());
}

TEST_F(ObjectVariants, WinHttpHeadersCookieFirstThenCompletedLines)
{
    WinHttpRequest request;
    request.address = http("/base/set-cookie?c=a%3D2%3B%20path%3D%2F&c=c%3D3");
    request.cookieText = "a=1; b=1";
    request.extraHeaders = "X-First: 1";
    const WinHttpResult result = m_client.fetchViaWinHttpObject(request);

    EXPECT_EQ(result.completedHeaders,
              "X-First: 1\r\nAccept: */*\r\nReferer: " + request.address
                  + "\r\nAccept-Language: zh-cn\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"
                    "\r\nContent-Type: application/x-www-form-urlencoded");
    std::vector<std::string> sent;
    for (const std::string& line : test::echoedHeaders(result.body))
        if (!line.starts_with("Host:"))
            sent.push_back(line);
    EXPECT_THAT(sent, ElementsAre("Cookie: a=1; b=1", "X-First: 1", "Accept: */*", "Referer: " + request.address,
                                  "Accept-Language: zh-cn", "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)",
                                  "Content-Type: application/x-www-form-urlencoded"));
    EXPECT_EQ(result.newCookies, "a=2;c=3");
    EXPECT_EQ(result.cookieText, "a=2; c=3; b=1");
    EXPECT_TRUE(m_store.all().empty());
}

TEST_F(ObjectVariants, WinHttpPostBytesBeatText)
{
    WinHttpRequest request;
    request.address = http("/base/echo");
    request.method = 1;
    request.postText = "text";
    request.postBytes = "bytes";
    EXPECT_EQ(test::echoedBody(m_client.fetchViaWinHttpObject(request).body), "bytes");
}

struct TimeoutCase {
    const char* name;
    int timeoutSeconds;
    long long expectedMs[4];  // resolve, connect, send, receive afterwards
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const TimeoutCase& c)
{
    return out << c.name;
}

class WinHttpTimeouts : public ObjectVariants, public ::testing::WithParamInterface<TimeoutCase> {};

TEST_P(WinHttpTimeouts, SetsFourEqualTimeouts)
{
    const TimeoutCase& c = GetParam();
    WinHttpObject object;
    object.resolveTimeout = std::chrono::milliseconds(1);
    object.connectTimeout = std::chrono::milliseconds(22000);
    object.sendTimeout = std::chrono::milliseconds(33000);
    object.receiveTimeout = std::chrono::milliseconds(44000);
    WinHttpRequest request;
    request.address = http("/base/fixture/hello.txt");
    request.timeoutSeconds = c.timeoutSeconds;
    EXPECT_EQ(m_client.fetchViaWinHttpObject(request, object).status, 200);
    EXPECT_EQ(object.resolveTimeout.count(), c.expectedMs[0]);
    EXPECT_EQ(object.connectTimeout.count(), c.expectedMs[1]);
    EXPECT_EQ(object.sendTimeout.count(), c.expectedMs[2]);
    EXPECT_EQ(object.receiveTimeout.count(), c.expectedMs[3]);
}

INSTANTIATE_TEST_SUITE_P(Cases, WinHttpTimeouts,
    ::testing::Values(TimeoutCase{"MinusOneKeepsTheObjects", -1, {1, 22000, 33000, 44000}},
                      TimeoutCase{"ZeroMeans15s", 0, {15000, 15000, 15000, 15000}},
                      TimeoutCase{"NegativeMeans15s", -7, {15000, 15000, 15000, 15000}},
                      TimeoutCase{"SecondsTimes1000", 3, {3000, 3000, 3000, 3000}}),
    [](const ::testing::TestParamInfo<TimeoutCase>& testInfo) { return testInfo.param.name; });

TEST_F(ObjectVariants, WinHttpTimeoutEndsASilentServer)
{
    WinHttpRequest request;
    request.address = http("/base/slow?ms=60000");
    request.timeoutSeconds = 1;
    const WinHttpResult result = m_client.fetchViaWinHttpObject(request);
    EXPECT_TRUE(result.body.empty());
    EXPECT_EQ(result.status, 0);
}

TEST_F(ObjectVariants, WinHttpRedirects)
{
    WinHttpRequest request;
    request.address = http("/base/redirect-to-https?path=/base/fixture/hello.txt");
    WinHttpResult result = m_client.fetchViaWinHttpObject(request);
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "Hello from the stand-in marketplace.\n");

    request.noRedirect = true;
    result = m_client.fetchViaWinHttpObject(request);
    EXPECT_EQ(result.status, 302);

    // From https down to http is not followed.
    request.noRedirect = false;
    request.address = https("/base/redirect?to=" + http("/base/echo"));
    result = m_client.fetchViaWinHttpObject(request);
    EXPECT_EQ(result.status, 302);
    EXPECT_EQ(result.body, "moved");
}

TEST_F(ObjectVariants, WinHttpFailureGivesEmptyAndNormalisedCookies)
{
    WinHttpRequest request;
    request.address = http("/base/reset");
    request.cookieText = "a = 1;b=2";
    const WinHttpResult result = m_client.fetchViaWinHttpObject(request);
    EXPECT_TRUE(result.body.empty());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.cookieText, "a=1; b=2");
}

TEST_F(ObjectVariants, ComSendsTheBrowserHeaders)
{
    ComRequest request;
    request.address = http("/base/echo");
    request.cookieText = "k=v";
    const ComResult result = m_client.fetchViaComObject(request);
    std::vector<std::string> sent;
    for (const std::string& line : test::echoedHeaders(result.body))
        if (!line.starts_with("Host:") && !line.starts_with("User-Agent:"))
            sent.push_back(line);
    EXPECT_THAT(sent, ElementsAre("Referrer: " + request.address, std::string("Accept: ") + kLongAccept,
                                  "Accept-Language: zh-cn", "Content-Type: application/x-www-form-urlencoded",
                                  "Cookie: k=v"));
    EXPECT_EQ(result.referrer, request.address);
    EXPECT_EQ(test::echoedRequestLine(result.body), "GET /base/echo HTTP/1.1");
}

TEST_F(ObjectVariants, ComKeepsAGivenReferrerAndSendsNoEmptyCookie)
{
    ComRequest request;
    request.address = http("/base/echo");
    request.referrer = "http://shop.example/";
    request.method = "POST";
    request.postText = "x=1";
    const ComResult result = m_client.fetchViaComObject(request);
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Referrer"), ElementsAre("Referrer: http://shop.example/"));
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Cookie"), IsEmpty());
    EXPECT_EQ(test::echoedRequestLine(result.body), "POST /base/echo HTTP/1.1");
    EXPECT_EQ(test::echoedBody(result.body), "x=1");
}

struct ComCookieCase {
    const char* name;
    std::string cookieText;
    bool want;
    std::string query;
    std::string expected;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const ComCookieCase& c)
{
    return out << c.name;
}

class ComCookies : public ObjectVariants, public ::testing::WithParamInterface<ComCookieCase> {};

TEST_P(ComCookies, AppendsOnlyWhenAsked)
{
    const ComCookieCase& c = GetParam();
    ComRequest request;
    request.address = http("/base/set-cookie?" + c.query);
    request.cookieText = c.cookieText;
    request.wantNewCookies = c.want;
    EXPECT_EQ(m_client.fetchViaComObject(request).cookieText, c.expected);
    EXPECT_TRUE(m_store.all().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ComCookies,
    ::testing::Values(
        ComCookieCase{"AppendsWithPath", "a=1", true, "c=b%3D2%3B%20path%3D%2F", "a=1; b=2"},
        ComCookieCase{"NotAskedLeavesText", "a=1", false, "c=b%3D2%3B%20path%3D%2F", "a=1"},
        ComCookieCase{"NoMerge", "a=1", true, "c=a%3D2%3B%20path%3D%2F", "a=1; a=2"},
        ComCookieCase{"EmptyValueSkipped", "a=1", true, "c=b%3D%3B%20path%3D%2F", "a=1"},
        ComCookieCase{"WithoutSemicolonCollected", "", true, "c=b%3D2", "b=2"},
        ComCookieCase{"LowerCaseHeader", "", true, "c=b%3D2%3B%20path%3D%2F&name=set-cookie", "b=2"}),
    [](const ::testing::TestParamInfo<ComCookieCase>& testInfo) { return testInfo.param.name; });

TEST_F(ObjectVariants, ComVerifiesCertificates)
{
    CookieStore store;
    const WebClient trusting(store, test::standInClientSettings());
    EXPECT_EQ(trusting.fetchViaComObject(https("/base/fixture/hello.txt")), "Hello from the stand-in marketplace.\n");
    EXPECT_TRUE(m_client.fetchViaComObject(https("/base/fixture/hello.txt")).empty());
}

TEST_F(ObjectVariants, UnreachableGivesEmpty)
{
    const std::string address = "http://127.0.0.1:" + std::to_string(test::unusedLoopbackPort()) + "/";
    EXPECT_TRUE(m_client.fetchViaComObject(address).empty());
    EXPECT_TRUE(m_client.fetchViaWinHttpObject(address).empty());
}

}  // namespace
}  // namespace vq::web
