#include "config/options.h"

#include <ostream>

#include <gtest/gtest.h>

#include "config/inifile.h"
#include "support/tempdir.h"
#include "text/gbk.h"

using namespace vq::config;

namespace {

// The default file, written out by hand in GBK bytes line by line.
std::string expectedDefaultFile()
{
    const std::string lines[] = {
        "[DL_PIC]", "download=真", "taobao_only=假", "fall=3", "qcl=2", "qcllr=", "zdyz=假",
        "pp=2016==2016年###颜色==颜色分类###鞋跟形状==跟底款式###鞋跟高度==后跟高###鞋头形状==鞋头款式###货号==款号###"
        "休闲==其他休闲###裤型==服装版型###直筒型==直筒###淘货类别==基础风格###青春流行（18-24岁）==青春流行###"
        "适合身高==参考身高###尺寸==规格###花型==颜色分类###尺寸规格==适用床尺寸###1.2米床==1.2m（4英尺）床###"
        "规格==颜色分类###上市年份/季节==年份季节###2017春季==2017年春季###2017夏季==2017年夏季###"
        "年份季节==上市年份季节###笔芯颜色==颜色分类###光源功率==颜色分类###封面颜色==颜色分类###外框尺寸==颜色分类###"
        "2017秋季==2017年秋季###中性/男女均可==中性###2017冬季==2017年冬季###",
        "zdsj=真", "[PR_INFO]", "price=100", "num=100", "p_type=假", "n_type=假", "price_num=0", "[REPLACE]",
        "1=", "2=", "3=", "to1=", "to3=", "to2=", "[SAVE]", "type=5"};
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return vq::text::utf8ToGbk(text);
}

TEST(DefaultOptionsFile, Is783BytesOfGbkMatchingTheLayout)
{
    const std::string bytes = defaultOptionsFileBytes();
    EXPECT_EQ(bytes.size(), 783u);
    EXPECT_EQ(bytes, expectedDefaultFile());
    EXPECT_EQ(bytes.substr(0, 10), "[DL_PIC]\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 8), "type=5\r\n");
}

TEST(DefaultOptionsFile, CreatedOnceInTheOptionsFolder)
{
    vq::test::TempDir dir;
    ASSERT_TRUE(ensureOptionsFile(dir.path()));
    const auto file = dir / "options" / "options.ini";
    EXPECT_EQ(vq::test::readBytes(file), defaultOptionsFileBytes());
    vq::test::writeBytes(file, "[SAVE]\r\ntype=4\r\n");
    ASSERT_TRUE(ensureOptionsFile(dir.path()));
    EXPECT_EQ(vq::test::readBytes(file), "[SAVE]\r\ntype=4\r\n");
}

TEST(LoadOptions, DefaultFileLoadsAsSpecified)
{
    vq::test::TempDir dir;
    ensureOptionsFile(dir.path());
    const Options o = loadOptions(optionsFilePath(dir.path()));
    EXPECT_TRUE(o.download);
    EXPECT_TRUE(o.zdsj);
    EXPECT_FALSE(o.zdyz);
    EXPECT_EQ(o.qcl, LinkRule::Remove);
    EXPECT_EQ(o.qcllr, "");
    EXPECT_EQ(o.type, PackageKind::TaobaoAssistant);
    // 28 table lines, each ended by CR LF.
    std::size_t lines = 0;
    for (std::size_t p = o.pp.find("\r\n"); p != std::string::npos; p = o.pp.find("\r\n", p + 2))
        ++lines;
    EXPECT_EQ(lines, 28u);
    EXPECT_EQ(o.pp.substr(0, 15), "2016==2016年\r\n");
}

TEST(LoadOptions, MissingFileGivesFailureDefaults)
{
    vq::test::TempDir dir;
    const Options o = loadOptions(dir / "absent.ini");
    EXPECT_EQ(o, Options{});
    EXPECT_FALSE(o.download);
    EXPECT_EQ(o.qcl, LinkRule::Remove);
    EXPECT_EQ(o.type, PackageKind::TaobaoAssistant);
}

struct LoadCase {
    const char* name;
    std::string fileText;
    LinkRule rule;
    PackageKind kind;

    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class LoadOptionsValues : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadOptionsValues, RuleAndKind)
{
    vq::test::TempDir dir;
    vq::test::writeBytes(dir / "o.ini", vq::text::utf8ToGbk(GetParam().fileText));
    const Options o = loadOptions(dir / "o.ini");
    EXPECT_EQ(o.qcl, GetParam().rule);
    EXPECT_EQ(o.type, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadOptionsValues,
    ::testing::Values(LoadCase{"rule_empty", "[DL_PIC]\r\nqcl=\r\n", LinkRule::Remove, PackageKind::TaobaoAssistant},
                      LoadCase{"rule_keep", "[DL_PIC]\r\nqcl=1\r\n", LinkRule::Keep, PackageKind::TaobaoAssistant},
                      LoadCase{"rule_replace", "[DL_PIC]\r\nqcl=3\r\n", LinkRule::Replace, PackageKind::TaobaoAssistant},
                      LoadCase{"rule_unknown", "[DL_PIC]\r\nqcl=7\r\n", LinkRule::None, PackageKind::TaobaoAssistant},
                      LoadCase{"kind_ali", "[SAVE]\r\ntype=4\r\n", LinkRule::Remove, PackageKind::AliAssistant},
                      LoadCase{"kind_empty_is_taobao", "[SAVE]\r\ntype=\r\n", LinkRule::Remove,
                               PackageKind::TaobaoAssistant}),
    [](const auto& tc) { return std::string(tc.param.name); });

}  // namespace
