// The run engine under ThreadSanitizer: whole runs of 1000 rows over five
// workers, with stop and pause racing them. Built with -fsanitize=thread
// from the engine's own sources (see CMakeLists.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "collect/itemlist.h"
#include "collect/logpanel.h"
#include "config/endpoints.h"
#include "config/optionsstore.h"
#include "harvest/harvestcontroller.h"
#include "harvest/harvestfrontend.h"
#include "harvest/harvestrun.h"
#include "support/tempdir.h"
#include "text/gbk.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

using namespace vq;
using namespace vq::harvest;

namespace {

void stubStage(StageContext& context)
{
    context.record.offerId = context.rowOfferId;
    context.record.title = "t" + context.rowOfferId;
    context.record.num = std::to_string(context.workerNumber);
    context.log(" step " + context.rowOfferId + "\r\n");
}

// The offer IDs of a written Taobao package, counted.
std::map<std::string, int> offerIdsInPackage(const std::string& bytes)
{
    std::map<std::string, int> ids;
    const std::string text = text::gbkToUtf8(bytes);
    std::size_t at = 0;
    while ((at = text.find("\r\n\"t", at)) != std::string::npos) {
        at += 4;
        const std::size_t end = text.find('"', at);
        ++ids[text.substr(at, end - at)];
    }
    return ids;
}

class TsanRun : public ::testing::Test {
protected:
    TsanRun()
        : webClient(cookies),
          services{frontEnd, ui, list, logPanel, options, endpoints, webClient, brandWords, dir / "program",
                   [this] { return dir.path(); }, [] { return std::int64_t{1700000000}; }}
    {
        std::vector<ItemRow> rows;
        for (int i = 0; i < 1000; ++i)
            rows.push_back({"n", "", "", std::to_string(100000 + i)});
        list.setRows(rows);
    }

    std::unique_ptr<HarvestController> makeController()
    {
        return std::make_unique<HarvestController>(services,
                                                   [](config::PackageKind) { return Pipeline{stubStage}; });
    }

    std::string packagePath() const { return (dir / "Quorvel生成数据包" / "aliT1700000000.csv").string(); }

    test::TempDir dir;
    SerialFrontEnd frontEnd;
    HarvestFrontEnd ui;
    ItemList list;
    LogPanel logPanel;
    config::OptionsStore options;
    config::Endpoints endpoints;
    web::CookieStore cookies;
    web::WebClient webClient;
    std::vector<std::string> brandWords;
    HarvestServices services;
};

}  // namespace

TEST(TsanHarvestRun, FiveThreadsTakeEveryIndexExactlyOnce)
{
    HarvestRun run(1000, config::PackageKind::TaobaoAssistant, {}, "/tmp/", "x");
    std::vector<std::vector<std::size_t>> taken(5);
    std::atomic<int> last{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 5; ++t) {
        threads.emplace_back([&, t] {
            while (const auto index = run.takeNextRow()) {
                taken[static_cast<std::size_t>(t)].push_back(*index);
                run.appendRow(std::to_string(*index) + "\r\n", *index);
            }
            if (run.workerFinished())
                ++last;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    std::vector<std::size_t> all;
    for (const auto& part : taken)
        all.insert(all.end(), part.begin(), part.end());
    std::sort(all.begin(), all.end());
    ASSERT_EQ(all.size(), 1000u);
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i], i);
    EXPECT_EQ(last.load(), 1);
    EXPECT_EQ(run.successCount(), 1000);
    EXPECT_EQ(run.nextIndex(), 1000);
}

TEST_F(TsanRun, ThousandRowsNoneLostNoneTwice)
{
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    const auto ids = offerIdsInPackage(test::readBytes(packagePath()));
    ASSERT_EQ(ids.size(), 1000u);
    for (const auto& [id, count] : ids)
        EXPECT_EQ(count, 1) << id;
    EXPECT_EQ(controller->lastRun()->successCount(), 1000);
    EXPECT_EQ(list.rowCount(), 0u);
}

TEST_F(TsanRun, StopYesRacingPauseWritesEachFinishedRowOnce)
{
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    std::thread toggler([&] {
        for (int i = 0; i < 6; ++i)
            controller->pauseOrResume();
    });
    while (controller->lastRun()->successCount() < 50 && controller->running())
        std::this_thread::yield();
    toggler.join();
    controller->stop(Answer::Yes);
    controller->waitUntilIdle();

    const int success = controller->lastRun()->successCount();
    const auto ids = offerIdsInPackage(test::readBytes(packagePath()));
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(success));
    for (const auto& [id, count] : ids)
        EXPECT_EQ(count, 1) << id;
    // Exactly the written products left the list.
    EXPECT_EQ(list.rowCount(), 1000u - static_cast<std::size_t>(success));
    for (const ItemRow& row : list.rows())
        EXPECT_EQ(ids.count(row.offerId), 0u) << row.offerId;
}

TEST_F(TsanRun, StopNoWhilePausedEndsHeldWorkers)
{
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->pauseOrResume();
    controller->stop(Answer::No);
    controller->waitUntilIdle();
    EXPECT_FALSE(std::filesystem::exists(packagePath()));
    EXPECT_EQ(list.rowCount(), 1000u);
}
