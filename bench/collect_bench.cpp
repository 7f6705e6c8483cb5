// Time to crawl a 35-page shop (the most pages one add command reads without
// asking for a range) against the stand-in marketplace on 127.0.0.1: one
// first-page request, 35 list pages of 20 entries, parsing and appending
// 700 rows. A second case times the parsing of one such page alone.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "collect/collectport.h"
#include "collect/frontend.h"
#include "collect/itemlist.h"
#include "collect/linkcollector.h"
#include "collect/listpageparser.h"
#include "collect/logpanel.h"
#include "config/endpoints.h"
#include "marketplace.h"
#include "text/pagetext.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace {

vq::market::Marketplace& standIn()
{
    static vq::market::Marketplace* market = [] {
        auto* started = new vq::market::Marketplace;
        std::string error;
        if (!started->start(error)) {
            std::fprintf(stderr, "cannot start the stand-in marketplace: %s\n", error.c_str());
            std::abort();
        }
        return started;
    }();
    return *market;
}

std::string shopAddress(const std::string& name)
{
    return "http://" + name + ".localhost:" + std::to_string(standIn().httpPort()) + "/";
}

void crawlShop(benchmark::State& state, const std::string& shop)
{
    vq::config::Endpoints endpoints;
    std::string error;
    vq::config::parseEndpoints(standIn().endpointsIni(), endpoints, error);
    vq::web::CookieStore store;
    const vq::web::WebClient web(store, vq::web::WebClientSettings{standIn().certificateFile()});
    vq::FrontEnd frontEnd;
    vq::collect::PresetCollectPort port;
    std::size_t rows = 0;
    for (auto _ : state) {
        vq::ItemList list;
        vq::LogPanel log;
        vq::collect::LinkCollector collector(web, endpoints, list, log, frontEnd, port);
        const vq::collect::AddResult result = collector.addToList(vq::collect::CollectionMode::Shop, shopAddress(shop));
        rows = list.rowCount();
        if (result.outcome != vq::collect::AddOutcome::Done || rows == 0) {
            state.SkipWithError("the crawl found no products");
            break;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * rows));
}

void BM_CrawlShop35Pages20Entries(benchmark::State& state)
{
    crawlShop(state, "pages35x20");
}
BENCHMARK(BM_CrawlShop35Pages20Entries)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CrawlShop35Pages2Entries(benchmark::State& state)
{
    crawlShop(state, "pages35");
}
BENCHMARK(BM_CrawlShop35Pages2Entries)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ParseListPage20Entries(benchmark::State& state)
{
    vq::config::Endpoints endpoints;
    vq::web::CookieStore store;
    const vq::web::WebClient web(store, vq::web::WebClientSettings{standIn().certificateFile()});
    const std::string page =
        vq::text::PageText(web.fetch("http://pages35x20.localhost:" + std::to_string(standIn().httpPort())
                                     + "/page/offerlist.htm?&pageNum=7"));
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = vq::collect::parseListPage(page).rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ParseListPage20Entries)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
