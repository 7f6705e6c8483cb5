#include <gtest/gtest.h>

#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "config/endpoints.h"
#include "config/optionsstore.h"
#include "harvest/stages.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

using namespace vq;
using namespace vq::harvest;

namespace {

struct TitleCase {
    const char* name;
    bool enabled;
    std::vector<std::string> words;
    const char* title;
    const char* expected;

    friend void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.name; }
};

class CleanTitleTest : public ::testing::TestWithParam<TitleCase> {};

}  // namespace

TEST_P(CleanTitleTest, RemovesEveryListedWordWhenAsked)
{
    const TitleCase& c = GetParam();
    ProductRecord record;
    record.title = c.title;
    config::OptionsStore options;
    RewriteOptions rewrite;
    rewrite.cleanTitle = c.enabled;
    const config::Endpoints endpoints;
    web::CookieStore cookies;
    web::WebClient web(cookies);
    std::mutex runLock;
    StageContext context{record, config::PackageKind::TaobaoAssistant, options, rewrite, endpoints, web, c.words,
                         {}, {}, 1, 0, 1, {}, {}, false, {}, {}, runLock, {}};
    cleanTitle(context);
    EXPECT_EQ(record.title, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Words, CleanTitleTest,
    ::testing::Values(TitleCase{"OffLeavesTitle", false, {"Nike"}, "Nike 运动鞋", "Nike 运动鞋"},
                      TitleCase{"OtherLetterCase", true, {"nike"}, "NIKE 运动鞋 Nike", " 运动鞋 "},
                      TitleCase{"EveryOccurrence", true, {"正品"}, "正品鞋正品", "鞋"},
                      TitleCase{"ListOrderCounts", true, {"ab", "c"}, "acbc", "ab"},
                      TitleCase{"EmptyWordRemovesNothing", true, {""}, "鞋子", "鞋子"},
                      TitleCase{"EmptyList", true, {}, "鞋子", "鞋子"}),
    [](const auto& param) { return std::string(param.param.name); });
