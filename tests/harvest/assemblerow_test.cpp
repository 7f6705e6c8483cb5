#include "harvest/assemblerow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace vq;
using namespace vq::harvest;

namespace {

ProductRecord sampleRecord()
{
    ProductRecord record;
    record.offerId = "1001";
    record.title = "商品1001";
    record.categoryId = "50012345";
    record.price = "12.5";
    record.num = "100";
    record.isSkuTradeSupported = "1";
    return record;
}

}  // namespace

TEST(AssembleRow, EmptyTitleFailsTheProductForBothKinds)
{
    ProductRecord record = sampleRecord();
    record.title.clear();
    EXPECT_FALSE(assembleRow(record, config::PackageKind::TaobaoAssistant));
    EXPECT_FALSE(assembleRow(record, config::PackageKind::AliAssistant));
}

TEST(AssembleRow, TaobaoRowOfEmptyFieldsIsTheConstantsInColumnOrder)
{
    ProductRecord record;
    record.title = "t";
    const std::string row = *assembleRow(record, config::PackageKind::TaobaoAssistant);
    EXPECT_EQ(row, "|*|t|*|,,|*||*|,1,|*||*|,|*||*|,1,,0,,,,,,,0,,1,0,|*||*|,|*||*|,|*||*|,0,0,|*||*|,,,0,"
                   "|*||*|,|*||*|,|*||*|,|*||*|,|*||*|,|*||*|,|*||*|,0,,0,2,,1,0,0,,|*||*|,,,|*||*|,|*||*|,|*||*|\r\n");
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 49);
}

TEST(AssembleRow, TaobaoRowPlacesEveryFieldInItsColumn)
{
    ProductRecord record = sampleRecord();
    record.location_state = "浙江";
    record.location_city = "义乌";
    record.description = "<p>d</p>";
    record.cateProps = "20000:1;";
    record.picture = "p:1:0:|;";
    record.skuProps = "s";
    record.inputPids = "ip";
    record.inputValues = "iv";
    record.propAlias = "pa";
    record.foodparame = "food";
    record.wireless_desc = "<wapDesc></wapDesc>";
    record.input_custom_cpv = "cc";
    record.qualification = "q";
    EXPECT_EQ(*assembleRow(record, config::PackageKind::TaobaoAssistant),
              "|*|商品1001|*|,50012345,|*||*|,1,|*|浙江|*|,|*|义乌|*|,1,12.5,0,100,,,,,,0,,1,0,|*||*|,"
              "|*|<p>d</p>|*|,|*|20000:1;|*|,0,0,|*||*|,,,0,|*|p:1:0:|;|*|,|*||*|,|*|s|*|,|*|ip|*|,|*|iv|*|,"
              "|*||*|,|*|pa|*|,0,1001,0,2,,1,0,0,food,|*||*|,,,|*|<wapDesc></wapDesc>|*|,|*|cc|*|,|*|q|*|\r\n");
}

TEST(AssembleRow, UnquotedCommaIsWrittenAsItIs)
{
    ProductRecord record = sampleRecord();
    record.price = "1,5";
    const std::string row = *assembleRow(record, config::PackageKind::TaobaoAssistant);
    EXPECT_NE(row.find(",1,1,5,0,100,"), std::string::npos);
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 50);
}

TEST(AssembleRow, BusinessRowHas25TabSeparatedColumns)
{
    ProductRecord record = sampleRecord();
    record.picture = "img";
    record.description = "d";
    record.productFeatureList = "f";
    record.skuArray = "sa";
    record.skuPics = "sp";
    record.priceRanges = "1:2";
    const std::string row = *assembleRow(record, config::PackageKind::AliAssistant);
    EXPECT_EQ(row, "0\t|*|商品1001|*|\t50012345\t|*|img|*|\t\t\t180\t|*|d|*|\t|*||*|\t|*|f|*|\t0\t|*|sa|*|\t|*|sp|*|\t\t"
                   "100\t100\t1:2\t0\t1\t0\t1\t1\t0\t0\t0\r\n");
    EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 24);
    EXPECT_EQ(row.substr(0, 2), "0\t");
}
