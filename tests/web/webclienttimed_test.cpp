// fetchWithTimeout against the stand-in marketplace.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <thread>

#include "echoreader.h"
#include "sharedstate.h"
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

bool requested(const std::string& marker)
{
    for (const market::RecordedRequest& request : test::marketplace().state().recorded())
        if (request.target.find(marker) != std::string::npos)
            return true;
    return false;
}

// Waits (boundedly) for abandoned workers to end.
bool workersEnd(int atMost, std::chrono::seconds patience)
{
    const auto until = std::chrono::steady_clock::now() + patience;
    while (RunningTimedRequests() > atMost) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class TimedFetch : public ::testing::Test {
protected:
    CookieStore m_store;
    WebClient m_client{m_store};
};

TEST_F(TimedFetch, ReturnsAtTheTimeoutAndCancelsTheTransfer)
{
    const int before = RunningTimedRequests();
    TimedRequest request;
    request.address = http("/base/slow?ms=30000&c=late%3D1&m=timeout1");
    request.timeoutSeconds = 1;
    request.wantHeaders = true;
    request.storeCookies = true;
    const auto start = std::chrono::steady_clock::now();
    const TimedResult result = m_client.fetchWithTimeout(request);
    const auto waited = std::chrono::steady_clock::now() - start;

    EXPECT_FALSE(result.completed);
    EXPECT_TRUE(result.body.empty());
    EXPECT_TRUE(result.headers.empty());
    // Well before the slow answer would come; how much after one second the
    // wait ends depends on the machine, so only a generous bound is asserted.
    EXPECT_GE(waited, std::chrono::milliseconds(900));
    EXPECT_LT(waited, std::chrono::seconds(15));
    // The abandoned worker ends without its answer and never reaches the store.
    EXPECT_TRUE(workersEnd(before, std::chrono::seconds(20)));
    EXPECT_TRUE(m_store.all().empty());
}

TEST_F(TimedFetch, AddressFormReturnsTheBody)
{
    EXPECT_EQ(m_client.fetchWithTimeout(http("/base/fixture/hello.txt"), 30), "Hello from the stand-in marketplace.\n");
}

TEST_F(TimedFetch, SendsItsOwnHeaders)
{
    TimedRequest request;
    request.address = http("/base/echo");
    request.extraHeaders = "X-Mine: 1";
    const TimedResult result = m_client.fetchWithTimeout(request);
    ASSERT_TRUE(result.completed);
    std::vector<std::string> sent;
    for (const std::string& line : test::echoedHeaders(result.body))
        if (!line.starts_with("Host:"))
            sent.push_back(line);
    EXPECT_THAT(sent, ElementsAre("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", "X-Mine: 1",
                                  std::string("Accept: ") + kLongAccept, "Referer: " + request.address,
                                  "Accept-Language: zh-cn"));
}

struct MethodCase {
    const char* name;
    std::string method;
    std::string postText;
    bool answered;
    std::string requestLine;
    std::string body;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const MethodCase& c)
{
    return out << c.name;
}

class TimedMethods : public TimedFetch, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(TimedMethods, OnlyGetAndPost)
{
    const MethodCase& c = GetParam();
    const std::string marker = std::string("m=") + c.name;
    TimedRequest request;
    request.address = http("/base/echo?" + marker);
    request.method = c.method;
    request.postText = c.postText;
    request.timeoutSeconds = 30;
    const TimedResult result = m_client.fetchWithTimeout(request);
    EXPECT_EQ(result.completed, c.answered);
    EXPECT_EQ(requested(marker), c.answered);
    if (c.answered) {
        EXPECT_EQ(test::echoedRequestLine(result.body), c.requestLine);
        EXPECT_EQ(test::echoedBody(result.body), c.body);
    } else {
        EXPECT_TRUE(result.body.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TimedMethods,
    ::testing::Values(
        MethodCase{"LowerCaseGet", "get", "", true, "GET /base/echo?m=LowerCaseGet HTTP/1.1", ""},
        MethodCase{"EmptyIsGet", "", "ignored", true, "GET /base/echo?m=EmptyIsGet HTTP/1.1", ""},
        MethodCase{"PostWithText", "Post", "a=1", true, "POST /base/echo?m=PostWithText HTTP/1.1", "a=1"},
        MethodCase{"PostWithoutText", "POST", "", true, "POST /base/echo?m=PostWithoutText HTTP/1.1", ""},
        MethodCase{"HeadSendsNothing", "HEAD", "", false, "", ""},
        MethodCase{"PutSendsNothing", "PUT", "x", false, "", ""}),
    [](const ::testing::TestParamInfo<MethodCase>& testInfo) { return testInfo.param.name; });

TEST_F(TimedFetch, PostGetsItsContentType)
{
    TimedRequest request;
    request.address = http("/base/echo");
    request.method = "POST";
    request.postText = "a=1";
    const TimedResult result = m_client.fetchWithTimeout(request);
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Content-Type"),
                ElementsAre("Content-Type: application/x-www-form-urlencoded"));
}

TEST_F(TimedFetch, HttpsAddressGivesEmpty)
{
    const std::string address = test::marketplace().httpsBase() + "/base/echo?m=timed-https";
    EXPECT_TRUE(m_client.fetchWithTimeout(address, 30).empty());
    EXPECT_FALSE(requested("m=timed-https"));
}

TEST_F(TimedFetch, RedirectToHttpsIsNotFollowed)
{
    TimedRequest request;
    request.address = http("/base/redirect-to-https?path=/base/echo%3Fm%3Dtimed-upgrade");
    request.wantHeaders = true;
    const TimedResult result = m_client.fetchWithTimeout(request);
    EXPECT_EQ(result.body, "moved");
    EXPECT_THAT(result.headers, ::testing::StartsWith("HTTP/1.1 302"));
    EXPECT_FALSE(requested("m=timed-upgrade"));
}

TEST_F(TimedFetch, UnreachableGivesEmpty)
{
    const std::string address = "http://127.0.0.1:" + std::to_string(test::unusedLoopbackPort()) + "/x";
    TimedRequest request;
    request.address = address;
    const TimedResult result = m_client.fetchWithTimeout(request);
    EXPECT_FALSE(result.completed);
    EXPECT_TRUE(result.body.empty());
}

TEST_F(TimedFetch, HeadersAndCookiesOnlyWhenWanted)
{
    TimedRequest request;
    request.address = http("/base/set-cookie?c=a%3D1%3B%20path%3D%2F&c=b%3D2");
    request.cookieText = "given=1";
    TimedResult result = m_client.fetchWithTimeout(request);
    EXPECT_TRUE(result.completed);
    EXPECT_TRUE(result.headers.empty());
    EXPECT_TRUE(result.newCookies.empty());

    request.wantHeaders = true;
    request.wantNewCookies = true;
    result = m_client.fetchWithTimeout(request);
    EXPECT_THAT(result.headers, HasSubstr("Set-Cookie: a=1; path=/\r\n"));
    EXPECT_EQ(result.newCookies, "a=1; b=2");
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Cookie"), ElementsAre("Cookie: given=1"));
    // A cookie text of its own and no store-cookies flag: the store stays out.
    EXPECT_TRUE(m_store.all().empty());
}

TEST_F(TimedFetch, StoreCookiesPutsThemIntoTheStore)
{
    TimedRequest request;
    request.address = http("/base/set-cookie?c=kept%3D1%3B%20path%3D%2F");
    request.cookieText = "given=1";
    request.storeCookies = true;
    EXPECT_TRUE(m_client.fetchWithTimeout(request).completed);
    EXPECT_EQ(m_store.cookieHeaderFor(http("/")), "kept=1");
}

TEST_F(TimedFetch, WithoutCookieTextTheStoreIsUsed)
{
    Cookie stored;
    stored.domain = "127.0.0.1";
    stored.name = "login";
    stored.value = "yes";
    m_store.put(stored);
    TimedRequest request;
    request.address = http("/base/set-cookie?c=more%3D2");
    const TimedResult result = m_client.fetchWithTimeout(request);
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Cookie"), ElementsAre("Cookie: login=yes"));
    // more has the longer default path (/base), so it comes first.
    EXPECT_EQ(m_store.cookieHeaderFor(http("/base/")), "more=2; login=yes");
}

TEST_F(TimedFetch, ExtraHeadersWithoutLineEndStayApart)
{
    TimedRequest request;
    request.address = http("/base/echo");
    request.extraHeaders = "X-One: 1\r\nX-Two: 2";
    const TimedResult result = m_client.fetchWithTimeout(request);
    EXPECT_THAT(test::echoedHeaderLines(result.body, "X-Two"), ElementsAre("X-Two: 2"));
    EXPECT_THAT(test::echoedHeaderLines(result.body, "Accept"), ElementsAre(std::string("Accept: ") + kLongAccept));
}

TEST_F(TimedFetch, ManyAtOnce)
{
    std::vector<std::thread> callers;
    std::atomic<int> good{0};
    for (int i = 0; i < 6; ++i)
        callers.emplace_back([this, &good] {
            if (m_client.fetchWithTimeout(http("/base/fixture/hello.txt"), 30) == "Hello from the stand-in marketplace.\n")
                ++good;
        });
    for (std::thread& caller : callers)
        caller.join();
    EXPECT_EQ(good.load(), 6);
}

}  // namespace
}  // namespace vq::web
