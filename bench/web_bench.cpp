// Request throughput of WebClient::fetch against the stand-in marketplace on
// loopback: the ordinary request (a fresh connection each time, as the
// program makes it) with 1 and 5 threads, over HTTP and HTTPS, and the
// timed variant for comparison.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>

#include "marketplace.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace {

vq::market::Marketplace& standIn()
{
    static std::unique_ptr<vq::market::Marketplace> market;
    static std::once_flag once;
    std::call_once(once, [] {
        market = std::make_unique<vq::market::Marketplace>();
        std::string error;
        if (!market->start(error)) {
            std::cerr << "cannot start the stand-in: " << error << std::endl;
            std::abort();
        }
    });
    return *market;
}

vq::web::WebClient& client()
{
    static vq::web::CookieStore store;
    static vq::web::WebClient web(store, [] {
        vq::web::WebClientSettings settings;
        settings.trustedCaFile = standIn().certificateFile();
        return settings;
    }());
    return web;
}

void fetchLoop(benchmark::State& state, const std::string& address)
{
    std::size_t bytes = 0;
    std::int64_t failures = 0;
    for (auto _ : state) {
        const std::string body = client().fetch(address);
        if (body.empty())
            ++failures;
        bytes += body.size();
        benchmark::DoNotOptimize(body);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["failures"] = static_cast<double>(failures);
    state.counters["requests/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FetchHttp(benchmark::State& state)
{
    fetchLoop(state, standIn().httpBase() + "/base/fixture/hello.txt");
}

void BM_FetchHttps(benchmark::State& state)
{
    fetchLoop(state, standIn().httpsBase() + "/base/fixture/hello.txt");
}

void BM_FetchHttp64KiB(benchmark::State& state)
{
    fetchLoop(state, standIn().httpBase() + "/base/large?bytes=65536");
}

void BM_FetchWithTimeout(benchmark::State& state)
{
    const std::string address = standIn().httpBase() + "/base/fixture/hello.txt";
    for (auto _ : state)
        benchmark::DoNotOptimize(client().fetchWithTimeout(address, 30));
    state.SetItemsProcessed(state.iterations());
    state.counters["requests/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_FetchHttp)->Threads(1)->Threads(5)->UseRealTime();
BENCHMARK(BM_FetchHttps)->Threads(1)->Threads(5)->UseRealTime();
BENCHMARK(BM_FetchHttp64KiB)->Threads(1)->Threads(5)->UseRealTime();
BENCHMARK(BM_FetchWithTimeout)->Threads(1)->Threads(5)->UseRealTime();

BENCHMARK_MAIN();
