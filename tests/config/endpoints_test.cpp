#include "config/endpoints.h"

#include <gtest/gtest.h>

using namespace vq::config;

TEST(Endpoints, DefaultsAreTheRealServices)
{
    const Endpoints e;
    EXPECT_EQ(e.detail, "https://detail.1688.com");
    EXPECT_EQ(Endpoints::hostOf(e.detail), "detail.1688.com");
    EXPECT_EQ(e.loginPageUrl(),
              "https://login.taobao.com/member/login.jhtml?style=minisimple&redirectURL=https://work.1688.com/");
}

TEST(Endpoints, FileOverridesGivenKeysOnly)
{
    Endpoints e;
    std::string error;
    ASSERT_TRUE(parseEndpoints("; stand-in\n[endpoints]\ndetail = https://127.0.0.1:8443\nvendor=http://127.0.0.1:8080\n"
                               "workbench=http://127.0.0.1:8080/work/home\n",
                               e, error))
        << error;
    EXPECT_EQ(e.detail, "https://127.0.0.1:8443");
    EXPECT_EQ(e.vendor, "http://127.0.0.1:8080");
    EXPECT_EQ(e.workbench, "http://127.0.0.1:8080/work/home");
    EXPECT_EQ(e.posting, Endpoints{}.posting);
    EXPECT_EQ(Endpoints::hostOf(e.detail), "127.0.0.1");
}

TEST(Endpoints, ErrorsNameTheLine)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"[endpoints]\nnope=http://a\n", "line 2: unknown key nope"},
        {"[endpoints]\n\ndetail=ftp://a\n", "line 3: malformed address for detail"},
        {"[endpoints]\ndetail=https://a/\n", "line 2: malformed address for detail"},
        {"[endpoints]\ndetail=https://a:99999\n", "line 2: malformed address"},
        {"[other]\n", "line 1: unknown section"},
        {"detail=https://a\n", "line 1: key outside"},
        {"[endpoints]\njunk\n", "line 2: expected key=value"},
    };
    for (const Case& c : cases) {
        Endpoints e;
        std::string error;
        EXPECT_FALSE(parseEndpoints(c.text, e, error)) << c.text;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_EQ(e.detail, Endpoints{}.detail);
    }
}
