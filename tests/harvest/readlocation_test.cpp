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

struct LocationCase {
    const char* name;
    const char* page;
    const char* state;
    const char* city;

    friend void PrintTo(const LocationCase& c, std::ostream* os) { *os << c.name; }
};

class ReadLocationTest : public ::testing::TestWithParam<LocationCase> {};

}  // namespace

TEST_P(ReadLocationTest, TakesProvinceAndCityFromThePage)
{
    const LocationCase& c = GetParam();
    ProductRecord record;
    record.pageText = c.page;
    record.location_state = "left over";
    record.location_city = "left over";
    config::OptionsStore options;
    const RewriteOptions rewrite;
    const config::Endpoints endpoints;
    web::CookieStore cookies;
    web::WebClient web(cookies);
    const std::vector<std::string> words;
    std::mutex runLock;
    StageContext context{record, config::PackageKind::TaobaoAssistant, options, rewrite, endpoints, web, words,
                         {}, {}, 1, 0, 1, {}, {}, false, {}, {}, runLock, {}};
    readLocation(context);
    EXPECT_EQ(record.location_state, c.state);
    EXPECT_EQ(record.location_city, c.city);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ReadLocationTest,
    ::testing::Values(LocationCase{"Both", "<a href=\"s?province=浙江;city=金华\">", "浙江", "金华"},
                      LocationCase{"ProvinceOnly", "province=广东;", "广东", ""},
                      LocationCase{"NeitherResetsLeftOvers", "<html></html>", "", ""},
                      LocationCase{"CityWithoutClosingQuote", "city=义乌", "", ""}),
    [](const auto& param) { return std::string(param.param.name); });
