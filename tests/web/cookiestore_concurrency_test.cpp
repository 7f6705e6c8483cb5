// Six threads share one store, as the window thread and the five harvest
// workers do. Also built under ThreadSanitizer (web_cookiestore_tsan_test).
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "support/tempdir.h"
#include "web/cookiejar.h"
#include "web/cookiestore.h"

namespace vq::web {
namespace {

constexpr int kThreads = 6;
constexpr int kRounds = 100;

TEST(CookieStoreConcurrency, SixThreadsReadAndWriteOneStore)
{
    test::TempDir dir;
    const auto file = dir / "options" / "cookies.txt";
    CookieStore store(file);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&store, t] {
            const std::string address = "http://shop" + std::to_string(t) + ".example.com/page";
            for (int i = 0; i < kRounds; ++i) {
                store.storeFromResponse(address, {"own" + std::to_string(t) + "=" + std::to_string(i),
                                                  "shared=" + std::to_string(t) + "; Domain=.example.com; Path=/"});
                const std::string header = store.cookieHeaderFor(address);
                EXPECT_NE(header.find("own" + std::to_string(t) + "="), std::string::npos);
                std::string jar = header;
                std::string none;
                MergeCookies(jar, none);
                EXPECT_FALSE(BrowserCookies(store, "x.example.com/", "shared").empty());
                if (i % 25 == 0) {
                    Cookie cookie;
                    cookie.domain = "browser.example.com";
                    cookie.name = "b" + std::to_string(t);
                    cookie.value = std::to_string(i);
                    store.put(cookie);
                    store.all();
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    // Every thread's last own cookie is there, exactly once, beside the
    // shared domain cookie.
    for (int t = 0; t < kThreads; ++t) {
        const std::vector<Cookie> cookies = store.cookiesFor("http://shop" + std::to_string(t) + ".example.com/page");
        ASSERT_EQ(cookies.size(), 2u);
        int own = 0;
        for (const Cookie& cookie : cookies) {
            if (cookie.name == "own" + std::to_string(t)) {
                ++own;
                EXPECT_EQ(cookie.value, std::to_string(kRounds - 1));
            } else {
                EXPECT_EQ(cookie.name, "shared");
            }
        }
        EXPECT_EQ(own, 1);
    }
    // The file holds the final state: a restarted store sees the same.
    CookieStore restarted(file);
    EXPECT_EQ(restarted.all().size(), store.all().size());
    EXPECT_EQ(restarted.cookieHeaderFor("http://shop3.example.com/page"), store.cookieHeaderFor("http://shop3.example.com/page"));
}

}  // namespace
}  // namespace vq::web
