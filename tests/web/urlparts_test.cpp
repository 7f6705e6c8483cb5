#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "web/webclient.h"

namespace vq::web {
namespace {

struct AddressCase {
    const char* name;
    std::string address;
    std::string host;
    std::string hostWithPort;
    int port;
    std::string path;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const AddressCase& c)
{
    return out << c.name;
}

class AddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressTest, SplitsTheAddress)
{
    const AddressCase& c = GetParam();
    EXPECT_EQ(UrlHost(c.address), c.host);
    EXPECT_EQ(UrlHost(c.address, true), c.hostWithPort);
    EXPECT_EQ(UrlPort(c.address), c.port);
    EXPECT_EQ(UrlPath(c.address), c.path);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddressTest,
    ::testing::Values(
        AddressCase{"WithoutSchemeIsHttpOn80", "detail.example.com/offer/1.html", "detail.example.com",
                    "detail.example.com", 80, "/offer/1.html"},
        AddressCase{"SecureWithExplicitPort", "https://Detail.Example.com:8443/a?b=1", "detail.example.com",
                    "detail.example.com:8443", 8443, "/a?b=1"},
        AddressCase{"SecureDefaultPort", "https://example.com/x", "example.com", "example.com", 443, "/x"},
        AddressCase{"EndsWithHostName", "http://example.com", "example.com", "example.com", 80, "/"},
        AddressCase{"UpperCaseSchemeAndHost", "HTTP://WWW.Example.COM/Path/Keeps/Case", "www.example.com",
                    "www.example.com", 80, "/Path/Keeps/Case"},
        AddressCase{"QueryWithoutPathGivesRoot", "http://example.com?x=1", "example.com?x=1", "example.com?x=1", 80,
                    "/"},
        AddressCase{"FragmentKept", "http://a.com/p#frag", "a.com", "a.com", 80, "/p#frag"},
        AddressCase{"LoopbackWithPort", "http://127.0.0.1:4711/base/echo", "127.0.0.1", "127.0.0.1:4711", 4711,
                    "/base/echo"}),
    [](const ::testing::TestParamInfo<AddressCase>& testInfo) { return testInfo.param.name; });

struct HeaderCase {
    const char* name;
    std::string line;
    std::string headerName;
    std::string value;
};

// Cases print as their name in test listings.
std::ostream& operator<<(std::ostream& out, const HeaderCase& c)
{
    return out << c.name;
}

class HeaderLineTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderLineTest, SplitsAtFirstColon)
{
    const HeaderCase& c = GetParam();
    EXPECT_EQ(HeaderName(c.line), c.headerName);
    EXPECT_EQ(HeaderValue(c.line), c.value);
}

INSTANTIATE_TEST_SUITE_P(Cases, HeaderLineTest,
    ::testing::Values(
        HeaderCase{"Plain", "Accept: */*", "Accept", "*/*"},
        HeaderCase{"ValueWithColons", "Referer:  http://a.com:81/x ", "Referer", "http://a.com:81/x"},
        HeaderCase{"NoColon", "Garbage", "Garbage", ""},
        HeaderCase{"EmptyValue", "X-Empty:", "X-Empty", ""},
        HeaderCase{"BlanksAroundName", "  Cookie : a=1", "Cookie", "a=1"}),
    [](const ::testing::TestParamInfo<HeaderCase>& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace vq::web
