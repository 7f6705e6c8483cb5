// CPU cost of the text toolkit on a page the size of a real product page
// (about 500 KB of GBK).
#include <benchmark/benchmark.h>

#include <string>

#include "text/gbk.h"
#include "text/pagetext.h"
#include "text/regex.h"
#include "text/textbetween.h"

namespace {

const std::string& gbkPage()
{
    static const std::string page = [] {
        std::string utf8 = "<html><head><title>示例</title></head><body>";
        int i = 0;
        while (utf8.size() < 700 * 1024) {
            utf8 += "<div class=\"offer\"><a href=\"https://detail.example/offer/" + std::to_string(100000 + i) +
                    ".html\">宝贝名称 第" + std::to_string(i) + "个 红色 蓝色 尺码</a><span>￥12.50</span></div>\r\n";
            ++i;
        }
        utf8 += "<meta name=\"description\" content=\"。这是结尾商品的详细页面。\"></body></html>";
        return vq::text::utf8ToGbk(utf8);
    }();
    return page;
}

const std::string& utf8Page()
{
    static const std::string page = vq::text::PageText(gbkPage());
    return page;
}

void BM_PageTextGbkDecode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vq::text::PageText(gbkPage()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * gbkPage().size()));
}
BENCHMARK(BM_PageTextGbkDecode)->Unit(benchmark::kMillisecond);

void BM_TextBetweenNearEnd(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vq::text::TextBetween(utf8Page(), "。这是", "的详细页面。"));
}
BENCHMARK(BM_TextBetweenNearEnd)->Unit(benchmark::kMicrosecond);

void BM_TextBetweenIgnoreCase(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vq::text::TextBetween(utf8Page(), "CONTENT=\"。这是", "的详细页面。", 0, true));
}
BENCHMARK(BM_TextBetweenIgnoreCase)->Unit(benchmark::kMicrosecond);

void BM_RegexVbscriptAllMatches(benchmark::State& state)
{
    const auto regex = vq::text::Regex::vbscript("offer/(\\d+)\\.html\">(.*?)</a>");
    for (auto _ : state)
        benchmark::DoNotOptimize(regex.matchAll(utf8Page()));
}
BENCHMARK(BM_RegexVbscriptAllMatches)->Unit(benchmark::kMillisecond);

void BM_RegexPerlDotAllAllMatches(benchmark::State& state)
{
    const auto regex = vq::text::Regex::perl("<div class=\"offer\">(.*?)</div>", {true, true});
    for (auto _ : state)
        benchmark::DoNotOptimize(regex.matchAll(utf8Page()));
}
BENCHMARK(BM_RegexPerlDotAllAllMatches)->Unit(benchmark::kMillisecond);

void BM_RegexPerlReplaceAll(benchmark::State& state)
{
    const auto regex = vq::text::Regex::perl("<a(.+?)>|</a>", {true, false});
    for (auto _ : state)
        benchmark::DoNotOptimize(regex.replaceAll(utf8Page(), ""));
}
BENCHMARK(BM_RegexPerlReplaceAll)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
