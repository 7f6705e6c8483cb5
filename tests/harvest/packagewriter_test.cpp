#include "harvest/packagewriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <filesystem>
#include <string>
#include <vector>

#include "config/optionsstore.h"
#include "support/tempdir.h"
#include "text/gbk.h"

using namespace vq;
using namespace vq::harvest;

namespace {

// The header lines as the importing tools expect them, written out here
// independently of the writer.
const std::string TaobaoNames =
    "title,cid,seller_cids,stuff_status,location_state,location_city,item_type,price,auction_increment,num,"
    "valid_thru,freight_payer,post_fee,ems_fee,express_fee,has_invoice,has_warranty,approve_status,has_showcase,"
    "list_time,description,cateProps,postage_id,has_discount,modified,upload_fail_msg,picture_status,"
    "auction_point,picture,video,skuProps,inputPids,inputValues,outer_id,propAlias,auto_fill,num_id,local_cid,"
    "navigation_type,user_name,syncStatus,is_lighting_consigment,is_xinpin,foodparame,features,item_size,"
    "item_weight,wireless_desc,input_custom_cpv,qualification";
const std::string TaobaoCaptionLine =
    "宝贝名称,宝贝类目,店铺类目,新旧程度,省,城市,出售方式,宝贝价格,加价幅度,宝贝数量,有效期,运费承担,平邮,EMS,快递,"
    "发票,保修,放入仓库,橱窗推荐,开始时间,宝贝描述,宝贝属性,邮费模版ID,会员打折,修改时间,上传状态,图片状态,返点比例,"
    "新图片,视频,销售属性组合,用户输入ID串,用户输入名-值对,商家编码,销售属性别名,代充类型,数字ID,本地ID,宝贝分类,"
    "账户名称,宝贝状态,闪电发货,新品,食品专项,尺码库,物流体积,物流重量,无线详情,自定义属性值,商品资质";
const std::string BusinessLines =
    "appname:alizhuli;version:6.2.9.11627;loginid:qvl\n"
    "offerId\tsubject\tpostCategryId\timageList\tsendGoodsAddressId\tfreightTemplateId\ttermOfferProcess\tdetails\t"
    "details(sub)\tproductFeatureList\tcustomizedFeatureList\tskuArray\tskuPics\tproductUnitWeight\tamount\t"
    "amountOnSale\tpriceRanges\tunitPrice\tisSupportOnlineTrade\tisSupportMix\tisSkuOffer\tisSkuTradeSupported\t"
    "isProcessingOffer\tisPicAuthOffer\tisPriceAuthOffer\n"
    "产品ID\t标题\t类目\t产品图片\t发货地址\t运费设置\t有效期\t产品详情\t产品详情（sub）\t产品属性\t自定义类目属性\tSKU属性\t"
    "SKU图片\t单位重量\t供货总量\t可售数量\t价格区间\t单价\t是否支持网上交易\t是否支持混批\t是否SKU信息\t是否规格报价\t"
    "是否加工定制\t是否图片授权\t是否价格授权\n";

std::string expectedTaobaoHeaderGbk()
{
    return text::utf8ToGbk("version 1.00" + std::string(47, ',') + "\r\n" + TaobaoNames + "\r\n" +
                           TaobaoCaptionLine + "\r\n");
}

// UTF-16LE by hand: every character of these texts lies in the basic
// plane, so each is one code unit, low byte first.
std::string utf16le(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        unsigned unit = 0;
        std::size_t length = 1;
        if (lead < 0x80) {
            unit = lead;
        } else if (lead < 0xE0) {
            unit = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            length = 2;
        } else {
            unit = (lead & 0x0Fu) << 12 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6 |
                   (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
            length = 3;
        }
        out += static_cast<char>(unit & 0xFFu);
        out += static_cast<char>(unit >> 8);
        i += length;
    }
    return out;
}

std::string expectedBusinessHeader()
{
    return std::string("\xFF\xFE") + utf16le(BusinessLines);
}

struct LogRecorder {
    std::vector<std::string> lines;
    LogMessage hook()
    {
        return [this](const std::string& message) { lines.push_back(message); };
    }
};

}  // namespace

TEST(PackageHeaders, TaobaoHeaderIsGbkVersionLineNamesAndCaptions)
{
    const std::string bytes = packageBytes("", config::PackageKind::TaobaoAssistant);
    EXPECT_EQ(bytes, expectedTaobaoHeaderGbk());
    EXPECT_EQ(bytes.substr(0, 12), "version 1.00");
    const std::string firstLine = bytes.substr(0, bytes.find("\r\n"));
    EXPECT_EQ(std::count(firstLine.begin(), firstLine.end(), ','), 47);
}

TEST(PackageHeaders, BusinessHeaderIs1086BytesOfUtf16WithByteOrderMark)
{
    const std::string expected = expectedBusinessHeader();
    ASSERT_EQ(expected.size(), 1086u);
    EXPECT_EQ(BusinessAssistantHeader(), expected);
    // The first characters "ap" of "appname", and LF-only line ends.
    EXPECT_EQ(BusinessAssistantHeader().substr(0, 6), std::string("\xFF\xFE\x61\x00\x70\x00", 6));
    EXPECT_EQ(BusinessAssistantHeader().find(std::string("\x0D\x00", 2)), std::string::npos);
}

TEST(PackageBytes, BusinessRowsAreUtf16WithCrLfAndTwoZeroBytesAtTheEnd)
{
    const std::string bytes = packageBytes("0\t|*|标题|*|\r\n", config::PackageKind::AliAssistant);
    const std::string rowUnits = std::string("0\0\t\0\"\0", 6) + utf16le("标题") + std::string("\"\0\r\0\n\0", 6);
    EXPECT_EQ(bytes, expectedBusinessHeader() + rowUnits + std::string(2, '\0'));
}

TEST(PackageBytes, EmptyBusinessPackageIsHeaderAndTwoZeroBytes)
{
    EXPECT_EQ(packageBytes("", config::PackageKind::AliAssistant), expectedBusinessHeader() + std::string(2, '\0'));
}

TEST(PackageBytes, EveryQuoteMarkerBecomesOneQuoteEvenFromThePage)
{
    // The middle marker came from the page itself; it is not escaped.
    const std::string bytes = packageBytes("|*|a|*|b|*|,1\r\n", config::PackageKind::TaobaoAssistant);
    EXPECT_EQ(bytes, expectedTaobaoHeaderGbk() + "\"a\"b\",1\r\n");
}

struct LinkRuleCase {
    const char* name;
    config::LinkRule rule;
    const char* link;
    const char* input;
    const char* expected;
    bool logs;

    friend void PrintTo(const LinkRuleCase& c, std::ostream* os) { *os << c.name; }
};

class LinkRuleTest : public ::testing::TestWithParam<LinkRuleCase> {};

TEST_P(LinkRuleTest, AppliesTheRuleToTheWholeText)
{
    const LinkRuleCase& c = GetParam();
    LogRecorder log;
    EXPECT_EQ(applyLinkRule(c.input, c.rule, c.link, log.hook()), c.expected);
    if (c.logs) {
        ASSERT_EQ(log.lines.size(), 2u);
        EXPECT_EQ(log.lines[0], "  根据设置，正在进行描述超链接处理……\r\n");
        EXPECT_EQ(log.lines[1], "  描述超链接处理完毕\r\n");
    } else {
        EXPECT_TRUE(log.lines.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LinkRuleTest,
    ::testing::Values(
        LinkRuleCase{"KeepLeavesAnchor", config::LinkRule::Keep, "B", "x<a href=\"\"A\"\">T</a>y",
                     "x<a href=\"\"A\"\">T</a>y", false},
        LinkRuleCase{"RemoveKeepsAnchorTextOnly", config::LinkRule::Remove, "B", "x<a href=\"\"A\"\">T</a>y", "xTy",
                     true},
        LinkRuleCase{"RemoveIgnoresCaseAndTakesAreaAndAbbr", config::LinkRule::Remove, "",
                     "<A href=\"\"u\"\">1</A><area x><abbr>2", "12", true},
        LinkRuleCase{"ReplaceSetsTarget", config::LinkRule::Replace, "http://shop.example/",
                     "<a href=\"\"A\"\">T</a>", "<a href=\"\"http://shop.example/\"\">T</a>", true},
        LinkRuleCase{"ReplaceFormatSeesOldTarget", config::LinkRule::Replace, "http://go.example/r/$1",
                     "<a href=\"\"A\"\">T</a>", "<a href=\"\"http://go.example/r/A\"\">T</a>", true},
        LinkRuleCase{"ReplaceIgnoresCase", config::LinkRule::Replace, "B", "<a HREF=\"\"A\"\">T</a> href",
                     "<a href=\"\"B\"\">T</a> href", true},
        LinkRuleCase{"ReplaceLeavesSingleQuotedLinks", config::LinkRule::Replace, "B", "<a href='A'>T</a> href",
                     "<a href='A'>T</a> href", true},
        LinkRuleCase{"ReplaceWithEmptyBoxEmptiesTargets", config::LinkRule::Replace, "",
                     "<a href=\"\"A\"\">T</a>", "<a href=\"\"\"\">T</a>", true},
        LinkRuleCase{"TextWithoutHrefUntouched", config::LinkRule::Remove, "", "<a name=x>T</a>", "<a name=x>T</a>",
                     false},
        LinkRuleCase{"HrefSearchIsCaseSensitive", config::LinkRule::Remove, "", "<a HREF=x>T</a>", "<a HREF=x>T</a>",
                     false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(LinkRule, ReadsRuleAndLinkFromTheSettings)
{
    config::Options options;
    options.qcl = config::LinkRule::Replace;
    options.qcllr = "http://mine.example/";
    const config::OptionsStore store(options);
    LogRecorder log;
    EXPECT_EQ(applyLinkRule("<a href=\"\"A\"\">T</a>", store, log.hook()), "<a href=\"\"http://mine.example/\"\">T</a>");
}

TEST(SourceLinks, SurviveEveryRuleWhenRestoredAfterIt)
{
    const std::string text = "<a href=\"\"A\"\">T</a><#1#1#1=\"\"http://detail.example/offer/1.html\"\">src#2#2";
    for (const config::LinkRule rule : {config::LinkRule::Keep, config::LinkRule::Remove, config::LinkRule::Replace}) {
        LogRecorder log;
        const std::string restored = restoreSourceLinks(applyLinkRule(text, rule, "B", log.hook()));
        EXPECT_NE(restored.find("<a href=\"\"http://detail.example/offer/1.html\"\">src</a>"), std::string::npos)
            << static_cast<int>(rule);
    }
}

TEST(WritePackage, WritesWholeFileAndLogsSuccessAndPlace)
{
    test::TempDir dir;
    const std::string path = (dir / "pkg.csv").string();
    LogRecorder log;
    const WriteOutcome outcome = writePackage("|*|x|*|\r\n", config::PackageKind::TaobaoAssistant, path, log.hook());
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(test::readBytes(path), expectedTaobaoHeaderGbk() + "\"x\"\r\n");
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], " 文件写成功！\r\n");
    EXPECT_EQ(log.lines[1], " 数据包存放位置" + path + "\r\n");
}

TEST(WritePackage, FailureLeavesNoFileAndSaysWhereAndWhy)
{
    test::TempDir dir;
    const std::string path = (dir / "missing-folder" / "pkg.csv").string();
    LogRecorder log;
    const WriteOutcome outcome = writePackage("row\r\n", config::PackageKind::TaobaoAssistant, path, log.hook());
    EXPECT_FALSE(outcome.written);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], " 文件写入失败！" + path + " 原因：" + outcome.error + "\r\n");
}

TEST(WritePackage, FailureKeepsAnEarlierFileWhole)
{
    test::TempDir dir;
    // A folder in the way of the file: the write cannot complete, and what
    // was there stays as it was.
    const auto path = dir / "pkg.csv";
    std::filesystem::create_directory(path);
    test::writeBytes(path / "inside", "keep");
    LogRecorder log;
    EXPECT_FALSE(writePackage("row\r\n", config::PackageKind::AliAssistant, path.string(), log.hook()).written);
    EXPECT_EQ(test::readBytes(path / "inside"), "keep");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "pkg.csv");  // no temporary left behind
}
