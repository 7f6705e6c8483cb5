// CPU time of the parsing work of the page, attribute, price and SKU steps
// on the stand-in's full detail page (about 500 KB of GBK), per product.
// The pages and the level answers are downloaded once from the stand-in on
// 127.0.0.1 before timing; the timed loops never touch the network.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "harvest/attributemapping.h"
#include "harvest/businessprices.h"
#include "harvest/businessskus.h"
#include "harvest/postingform.h"
#include "harvest/producttitle.h"
#include "harvest/rewriteoptions.h"
#include "harvest/stockamount.h"
#include "harvest/taobaoskus.h"
#include "marketplace.h"
#include "text/pagetext.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace {

using namespace vq;

struct Downloads {
    std::string pageBytes;
    std::string postingForm;
    std::map<std::string, std::string> levels;
};

const Downloads& downloads()
{
    static const Downloads saved = [] {
        market::Marketplace stand;
        std::string error;
        if (!stand.start(error)) {
            std::cerr << "cannot start the stand-in marketplace: " << error << std::endl;
            std::abort();
        }
        config::Endpoints endpoints;
        endpoints.detail = endpoints.posting = endpoints.spu = stand.httpBase();
        web::CookieStore store;
        web::WebClient client(store);
        Downloads d;
        d.pageBytes = client.fetch(endpoints.detail + "/offer/1001000030.html");
        web::FetchRequest form;
        form.address = harvest::postingFormAddress(endpoints);
        form.method = 1;
        form.postText = harvest::postingFormBody("1031910");
        form.cookieJar = std::string();
        form.extraHeaders = harvest::postingFormHeaders(endpoints);
        d.postingForm = text::TextUpToZero(client.fetch(form).body);
        for (const char* path : {"2176%3A30001", "2176%3A30001%3E1398%3A40001"})
            d.levels[path] = text::TextUpToZero(client.fetch(harvest::spuLevelAddress(endpoints, "1031910", path)));
        stand.stop();
        if (d.pageBytes.size() < 400 * 1024 || d.postingForm.empty()) {
            std::cerr << "the stand-in did not serve the full page and form" << std::endl;
            std::abort();
        }
        return d;
    }();
    return saved;
}

std::string savedLevel(const std::string& path)
{
    const auto answer = downloads().levels.find(path);
    return answer == downloads().levels.end() ? std::string() : answer->second;
}

// The page text and the title, as the page step makes them.
void BM_PageTextAndTitle(benchmark::State& state)
{
    const std::string& bytes = downloads().pageBytes;
    for (auto _ : state) {
        const std::string page = text::PageText(bytes);
        benchmark::DoNotOptimize(harvest::extractTitle(page));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The Taobao road: stock amount, SKU table and price with the adjustment.
void BM_TaobaoPricesAndSkus(benchmark::State& state)
{
    const std::string page = text::PageText(downloads().pageBytes);
    harvest::RewriteOptions rewrite;
    rewrite.adjustPrice = true;
    rewrite.priceOperand = "5";
    for (auto _ : state) {
        benchmark::DoNotOptimize(harvest::readStockAmount(page));
        benchmark::DoNotOptimize(harvest::readTaobaoSkus(page, rewrite));
    }
}

// The business-assistant road: attribute mapping on the saved form and
// level answers, price ranges, feature list, SKU list and pictures.
void BM_BusinessAttributesPricesAndSkus(benchmark::State& state)
{
    const std::string page = text::PageText(downloads().pageBytes);
    for (auto _ : state) {
        const harvest::AttributeMapping mapping = harvest::mapAttributes(page, downloads().postingForm, savedLevel);
        const harvest::PriceRanges ranges = harvest::readPriceRanges(page);
        const std::string features = harvest::buildProductFeatureList(mapping.featurePairs, ranges.ranges, page);
        benchmark::DoNotOptimize(harvest::readStockAmount(page));
        benchmark::DoNotOptimize(harvest::buildSkuArray(page, features));
        benchmark::DoNotOptimize(harvest::buildSkuPictures(page, mapping.postingFormText));
    }
}

// Everything one product of either road parses, page text included: the
// page step, then the heavier of the two roads plus the other's SKU table.
void BM_WholeProductParsing(benchmark::State& state)
{
    const std::string& bytes = downloads().pageBytes;
    harvest::RewriteOptions rewrite;
    for (auto _ : state) {
        const std::string page = text::PageText(bytes);
        benchmark::DoNotOptimize(harvest::extractTitle(page));
        const harvest::AttributeMapping mapping = harvest::mapAttributes(page, downloads().postingForm, savedLevel);
        const harvest::PriceRanges ranges = harvest::readPriceRanges(page);
        const std::string features = harvest::buildProductFeatureList(mapping.featurePairs, ranges.ranges, page);
        benchmark::DoNotOptimize(harvest::readStockAmount(page));
        benchmark::DoNotOptimize(harvest::buildSkuArray(page, features));
        benchmark::DoNotOptimize(harvest::buildSkuPictures(page, mapping.postingFormText));
        benchmark::DoNotOptimize(harvest::readTaobaoSkus(page, rewrite));
    }
}

}  // namespace

BENCHMARK(BM_PageTextAndTitle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaobaoPricesAndSkus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BusinessAttributesPricesAndSkus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeProductParsing)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
