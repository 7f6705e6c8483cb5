#include "harvest/productpage.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <latch>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "harvest/productstagerig.h"
#include "harvest/stages.h"
#include "sharedstate.h"

namespace vq::harvest {
namespace {

using namespace std::chrono_literals;

const std::string kVerifyLine = "  ！！！需要验证，请验证后，关闭窗口！\r\n";

std::size_t requestsFor(const std::string& offerId)
{
    return test::marketplace().state().recordedFor("/offer/" + offerId + ".html").size();
}

std::size_t countLines(const std::vector<std::string>& log, const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(log.begin(), log.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; }));
}

TEST(ProductPageTest, AddressOnDetailHost)
{
    config::Endpoints endpoints;
    EXPECT_EQ(productPageAddress(endpoints, "1001000001"), "https://detail.1688.com/offer/1001000001.html");
}

TEST(ProductPageTest, DownloadsPageAndReadsTitle)
{
    test::ProductStageRig rig;
    rig.takeRow(2, "1001000014", "男士T恤");
    rig.record.picture = "old picture|;";
    rig.record.wireless_desc = "<wapDesc></wapDesc>";
    const std::size_t before = requestsFor("1001000014");

    acquireProductPage(rig.context());

    EXPECT_EQ(rig.record.offerId, "1001000014");
    EXPECT_EQ(rig.record.title, "A B 男士\"\"潮\"\"T恤·夏°");
    EXPECT_NE(rig.record.pageText.find("颜色:红，蓝"), std::string::npos);
    EXPECT_EQ(rig.record.picture, "");
    EXPECT_EQ(rig.record.wireless_desc, "");
    EXPECT_EQ(rig.log(), (std::vector<std::string>{"线程：1  开始下载 第：3/5 个宝贝:男士T恤\r\n",
                                                   "线程：1  开始获取 第：3/5 个宝贝   基本信息！\r\n"}));
    EXPECT_EQ(requestsFor("1001000014") - before, 1u);
    EXPECT_TRUE(rig.windows().empty());
}

TEST(ProductPageTest, FailedDownloadGivesEmptyTitle)
{
    test::ProductStageRig rig;
    rig.endpoints.detail = "https://127.0.0.1:" + std::to_string(test::unusedLoopbackPort());
    rig.record.title = "previous product";
    rig.takeRow(0, "1001000001");

    acquireProductPage(rig.context());

    EXPECT_EQ(rig.record.pageText, "");
    EXPECT_EQ(rig.record.title, "");
    EXPECT_EQ(rig.log().size(), 2u);
    EXPECT_TRUE(rig.windows().empty());
}

TEST(VerificationTest, WindowUntilPageClears)
{
    test::ProductStageRig rig;
    rig.takeRow(0, "1001000020");
    const std::size_t before = requestsFor("1001000020");

    acquireProductPage(rig.context());

    const std::string address = rig.endpoints.detail + "/offer/1001000020.html";
    EXPECT_EQ(rig.windows(), (std::vector<std::string>{address, address}));
    EXPECT_EQ(countLines(rig.log(), "线程：1" + kVerifyLine), 2u);
    EXPECT_EQ(requestsFor("1001000020") - before, 3u);
    EXPECT_EQ(rig.record.title, "双色T恤 款一");
}

TEST(VerificationTest, LoginCookieFromBrowserClearsIt)
{
    test::ProductStageRig rig;
    rig.takeRow(0, "1001000021");
    rig.onWindow = [&rig](const std::string&) {
        web::Cookie cookie;
        cookie.domain = "127.0.0.1";
        cookie.name = "x5sec";
        cookie.value = "passed";
        rig.store.put(cookie);
    };

    acquireProductPage(rig.context());

    EXPECT_EQ(rig.windows().size(), 1u);
    EXPECT_EQ(rig.record.title, "双色T恤 款一");
}

TEST(VerificationTest, StopLeavesTheLoop)
{
    test::ProductStageRig rig;
    rig.takeRow(0, "1001000021");
    std::atomic<bool> stopped{false};
    rig.context().checkpoint = [&stopped] { return !stopped.load(); };
    rig.onWindow = [&stopped](const std::string&) { stopped = true; };
    rig.record.title = "previous product";
    const std::size_t before = requestsFor("1001000021");

    acquireProductPage(rig.context());

    EXPECT_EQ(rig.windows().size(), 1u);
    EXPECT_EQ(requestsFor("1001000021") - before, 1u);
    EXPECT_EQ(rig.record.title, "");
    EXPECT_EQ(rig.record.pageText, "");
    EXPECT_EQ(countLines(rig.log(), "基本信息"), 0u);
}

TEST(HeadlessVerificationTest, GivesUpAfterRetries)
{
    test::ProductStageRig rig;
    rig.context().browserAvailable = false;
    rig.takeRow(4, "1001000021");
    rig.record.picture = "previous.jpg|;";
    const std::size_t before = requestsFor("1001000021");

    acquireProductPage(rig.context(), HeadlessVerification{3, 10ms});

    EXPECT_TRUE(rig.windows().empty());
    EXPECT_EQ(requestsFor("1001000021") - before, 4u);
    EXPECT_EQ(countLines(rig.log(), kVerifyLine), 4u);
    EXPECT_EQ(countLines(rig.log(), "放弃 第：5/5 个宝贝"), 1u);
    EXPECT_EQ(rig.record.title, "");
    EXPECT_EQ(rig.record.pageText, "");
    EXPECT_EQ(rig.record.picture, "");
}

TEST(HeadlessVerificationTest, PassesWhenPageClearsWithinRetries)
{
    test::ProductStageRig rig;
    rig.context().browserAvailable = false;
    rig.takeRow(0, "1001000020");

    acquireProductPage(rig.context(), HeadlessVerification{3, 10ms});

    EXPECT_TRUE(rig.windows().empty());
    EXPECT_EQ(countLines(rig.log(), kVerifyLine), 2u);
    EXPECT_EQ(rig.record.title, "双色T恤 款一");
}

TEST(HeadlessVerificationTest, StopEndsThePause)
{
    test::ProductStageRig rig;
    rig.context().browserAvailable = false;
    rig.takeRow(0, "1001000021");
    std::atomic<bool> stopped{false};
    rig.context().checkpoint = [&stopped] { return !stopped.load(); };
    // The stop comes once the stage has logged the verification line and
    // sits in its (here very long) pause.
    rig.context().log = [&stopped](const std::string& line) {
        if (line.find("需要验证") != std::string::npos)
            stopped = true;
    };
    const std::size_t before = requestsFor("1001000021");

    acquireProductPage(rig.context(), HeadlessVerification{3, std::chrono::milliseconds(600000)});

    EXPECT_EQ(requestsFor("1001000021") - before, 1u);
    EXPECT_EQ(rig.record.title, "");
}

// Two workers meet the verification page at the same time: the second
// waits at the run lock while the first one's window is open, then shows
// its own.
TEST(VerificationTest, TwoWorkersShowWindowsOneAfterTheOther)
{
    test::ProductStageRig first(config::PackageKind::TaobaoAssistant, 1);
    test::ProductStageRig second(config::PackageKind::TaobaoAssistant, 2);
    first.takeRow(0, "1001000022");
    second.takeRow(1, "1001000023");

    std::mutex mutex;
    std::condition_variable changed;
    int verifying = 0;   // workers that have logged the verification line
    int open = 0;        // windows open now
    int mostOpen = 0;
    std::vector<std::string> events;

    for (test::ProductStageRig* rig : {&first, &second}) {
        harvest::StageContext& context = rig->context();
        const std::string worker = std::to_string(context.workerNumber);
        context.log = [&, worker](const std::string& line) {
            if (line.find("需要验证") == std::string::npos)
                return;
            std::lock_guard lock(mutex);
            ++verifying;
            changed.notify_all();
        };
        context.openBrowserWindow = [&, worker](const std::string&) {
            std::unique_lock lock(mutex);
            ++open;
            mostOpen = std::max(mostOpen, open);
            events.push_back("open " + worker);
            // The first window stays open until the other worker has met
            // the verification page too and is waiting for its turn.
            changed.wait_for(lock, 10s, [&] { return verifying == 2; });
            lock.unlock();
            std::this_thread::sleep_for(50ms);
            lock.lock();
            --open;
            events.push_back("close " + worker);
        };
    }

    std::latch start(2);
    std::thread a([&] {
        start.arrive_and_wait();
        acquireProductPage(first.context());
    });
    std::thread b([&] {
        start.arrive_and_wait();
        acquireProductPage(second.context());
    });
    a.join();
    b.join();

    EXPECT_EQ(verifying, 2);
    EXPECT_EQ(mostOpen, 1);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].substr(0, 5), "open ");
    EXPECT_EQ(events[1], "close " + events[0].substr(5));
    EXPECT_EQ(events[2].substr(0, 5), "open ");
    EXPECT_NE(events[2], events[0]);
    EXPECT_EQ(events[3], "close " + events[2].substr(5));
    EXPECT_EQ(first.record.title, "双色T恤 款一");
    EXPECT_EQ(second.record.title, "双色T恤 款一");
}

}  // namespace
}  // namespace vq::harvest
