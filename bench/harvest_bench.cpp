// CPU cost of the run engine around the products: a whole run of 1000 rows
// over five workers with steps that do no work, and the package writer's
// link rule and encoding on 1000 rows of realistic size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "collect/itemlist.h"
#include "collect/logpanel.h"
#include "config/endpoints.h"
#include "config/optionsstore.h"
#include "harvest/assemblerow.h"
#include "harvest/harvestcontroller.h"
#include "harvest/harvestfrontend.h"
#include "harvest/packagewriter.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace {

using namespace vq;
using namespace vq::harvest;

ProductRecord sampleRecord(int i)
{
    ProductRecord record;
    record.offerId = std::to_string(600000 + i);
    record.title = "夏季新款纯棉短袖T恤 男士宽松 第" + std::to_string(i) + "款";
    record.categoryId = "50000436";
    record.price = "39.90";
    record.num = "999";
    for (int p = 0; p < 20; ++p)
        record.description += "<p><img src=\"\"https://img.example/" + std::to_string(p) +
                              ".jpg\"\"><a href=\"\"https://shop.example/x\"\">店铺</a>描述文字描述文字</p>";
    record.picture = "a1b2c3d4e5f6a7b8:1:0:|;b1b2c3d4e5f6a7b8:1:1:|;";
    record.skuProps = "39.90:99::1627207:28320;20509:28314;";
    return record;
}

const std::string& packageText()
{
    static const std::string text = [] {
        std::string rows;
        for (int i = 0; i < 1000; ++i)
            rows += *assembleRow(sampleRecord(i), config::PackageKind::TaobaoAssistant);
        return rows;
    }();
    return text;
}

void BM_LinkRuleRemove1000Rows(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(applyLinkRule(packageText(), config::LinkRule::Remove, "", [](const std::string&) {}));
}
BENCHMARK(BM_LinkRuleRemove1000Rows)->Unit(benchmark::kMillisecond);

void BM_PackageBytes1000Rows(benchmark::State& state)
{
    const auto kind = static_cast<config::PackageKind>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(packageBytes(packageText(), kind));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(packageText().size()));
}
BENCHMARK(BM_PackageBytes1000Rows)->Arg(5)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_WholeRunOf1000EmptyProducts(benchmark::State& state)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vq_harvest_bench";
    std::filesystem::create_directories(dir);
    FrontEnd frontEnd;
    HarvestFrontEnd ui;
    ItemList list;
    LogPanel log;
    config::OptionsStore options;
    const config::Endpoints endpoints;
    web::CookieStore cookies;
    web::WebClient web(cookies);
    const std::vector<std::string> words;
    HarvestServices services{frontEnd, ui, list, log, options, endpoints, web, words, dir, [dir] { return dir; }, {}};
    HarvestController controller(services, [](config::PackageKind) {
        return Pipeline{[](StageContext& c) {
            c.record.offerId = c.rowOfferId;
            c.record.title = "t" + c.rowOfferId;
        }};
    });
    std::vector<ItemRow> rows;
    for (int i = 0; i < 1000; ++i)
        rows.push_back({"n", "", "", std::to_string(100000 + i)});
    for (auto _ : state) {
        list.setRows(rows);
        controller.startRun();
        controller.waitUntilIdle();
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_WholeRunOf1000EmptyProducts)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
