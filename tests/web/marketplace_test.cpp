// The stand-in marketplace itself, reached through the program's client.
#include "marketplace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "config/endpoints.h"
#include "echoreader.h"
#include "sharedstate.h"
#include "support/marketplaceenv.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace vq::market {
namespace {

using ::testing::ElementsAre;

class StandIn : public ::testing::Test {
protected:
    StandIn()
    {
        m_client = std::make_unique<web::WebClient>(m_store, test::standInClientSettings());
    }
    web::CookieStore m_store;
    std::unique_ptr<web::WebClient> m_client;
};

TEST_F(StandIn, SameRoutesOnBothServers)
{
    Marketplace& market = test::marketplace();
    EXPECT_NE(market.httpPort(), market.httpsPort());
    EXPECT_EQ(market.httpBase(), "http://127.0.0.1:" + std::to_string(market.httpPort()));
    EXPECT_EQ(market.httpsBase(), "https://127.0.0.1:" + std::to_string(market.httpsPort()));
    const std::string plain = m_client->fetch(market.httpBase() + "/base/fixture/hello.txt");
    EXPECT_EQ(plain, "Hello from the stand-in marketplace.\n");
    EXPECT_EQ(m_client->fetch(market.httpsBase() + "/base/fixture/hello.txt"), plain);
}

TEST_F(StandIn, RawHeadKeepsOrderAndSpelling)
{
    web::FetchRequest request;
    request.address = test::marketplace().httpBase() + "/base/echo";
    request.extraHeaders = "X-Zeta: 1\r\nx-alpha: 2\r\nX-Middle: 3";
    const std::vector<std::string> sent = test::echoedHeaders(m_client->fetch(request).body);
    std::vector<std::string> mine;
    for (const std::string& line : sent)
        if (line.starts_with("X-") || line.starts_with("x-"))
            mine.push_back(line);
    EXPECT_THAT(mine, ElementsAre("X-Zeta: 1", "x-alpha: 2", "X-Middle: 3"));
}

TEST_F(StandIn, EndpointsPointEveryServiceAtIt)
{
    const config::Endpoints endpoints = test::standInEndpoints();
    const Marketplace& market = test::marketplace();
    EXPECT_EQ(endpoints.detail, market.httpsBase());
    EXPECT_EQ(endpoints.tmall_detail, market.httpsBase());
    EXPECT_EQ(endpoints.posting, market.httpsBase());
    EXPECT_EQ(endpoints.spu, market.httpsBase());
    EXPECT_EQ(endpoints.login, market.httpsBase());
    EXPECT_EQ(endpoints.workbench, market.httpsBase() + "/workbench/");
    EXPECT_EQ(endpoints.category_search, market.httpsBase());
    EXPECT_EQ(endpoints.props_tool, market.httpBase());
    EXPECT_EQ(endpoints.mirror, market.httpBase());
    EXPECT_EQ(endpoints.vendor, market.httpBase());
}

TEST_F(StandIn, CountersAndRecordedRequests)
{
    const std::string base = test::marketplace().httpBase();
    EXPECT_EQ(m_client->fetch(base + "/base/count?key=k1"), "1");
    EXPECT_EQ(m_client->fetch(base + "/base/count?key=k1"), "2");
    EXPECT_EQ(m_client->fetch(base + "/base/count?key=k2"), "1");
    EXPECT_EQ(test::marketplace().state().count("base-count:k1"), 2);

    web::FetchRequest request;
    request.address = base + "/base/echo?recorded=1";
    request.method = 1;
    request.postText = "posted";
    m_client->fetch(request);
    const std::vector<RecordedRequest> seen = test::marketplace().state().recordedFor("/base/echo");
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().method, "POST");
    EXPECT_EQ(seen.back().target, "/base/echo?recorded=1");
    EXPECT_EQ(seen.back().body, "posted");
    EXPECT_FALSE(seen.back().secure);
}

TEST_F(StandIn, StatusesAndMissingFixtures)
{
    const std::string base = test::marketplace().httpBase();
    web::WinHttpRequest request;
    for (const int code : {200, 201, 204, 403, 404, 500, 503}) {
        request.address = base + "/base/status?code=" + std::to_string(code);
        EXPECT_EQ(m_client->fetchViaWinHttpObject(request).status, code);
    }
    request.address = base + "/base/fixture/no-such-file.txt";
    EXPECT_EQ(m_client->fetchViaWinHttpObject(request).status, 404);
}

TEST_F(StandIn, FixturesKeepTheirBytes)
{
    const std::string page = m_client->fetch(test::marketplace().httpBase() + "/base/fixture/gbk-page.html");
    EXPECT_NE(page.find("\xb2\xe2\xca\xd4\xd2\xb3"), std::string::npos);
}

TEST(StandInLifecycle, SecondInstanceOnOtherPortsStopsPromptly)
{
    Marketplace other;
    std::string error;
    ASSERT_TRUE(other.start(error)) << error;
    EXPECT_NE(other.httpPort(), test::marketplace().httpPort());
    EXPECT_TRUE(std::filesystem::exists(other.certificateFile()));
    web::CookieStore store;
    const web::WebClient client(store);
    // A slow answer in progress does not keep stop() waiting for it.
    std::thread slow([&] { client.fetchWithTimeout(other.httpBase() + "/base/slow?ms=60000", 120); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    other.stop();
    slow.join();
    EXPECT_FALSE(other.running());
}

TEST(StandInLifecycle, BusyFixedPortIsReported)
{
    Marketplace::Settings settings;
    settings.httpPort = test::marketplace().httpPort();
    Marketplace clash(settings);
    std::string error;
    EXPECT_FALSE(clash.start(error));
    EXPECT_NE(error.find("cannot listen"), std::string::npos);
}

}  // namespace
}  // namespace vq::market
