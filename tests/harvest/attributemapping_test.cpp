#include "harvest/attributemapping.h"

#include <map>
#include <vector>

#include <ostream>

#include <gtest/gtest.h>

#include "harvest/productstagerig.h"

namespace vq::harvest {
namespace {

struct JoinCase {
    const char* name;
    std::string text;
    std::string expected;
};

// Cases print as their names (in test listings and failures).
void PrintTo(const JoinCase& c, std::ostream* os)
{
    *os << c.name;
}


class JoinValuesTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinValuesTest, JoinsValuesOfOneAttribute)
{
    EXPECT_EQ(joinAttributeValues(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinValuesTest,
    ::testing::Values(JoinCase{"TwoValues", "颜色:红，蓝，尺码:L", "颜色:红#1#蓝，尺码:L"},
                      JoinCase{"LastAttributeTwoValues", "材质:棉，尺码:L，XL", "材质:棉，尺码:L#1#XL"},
                      JoinCase{"FourValuesThreePasses", "颜色:红，蓝，绿，白，尺码:L", "颜色:红#1#蓝#1#绿#1#白，尺码:L"},
                      JoinCase{"FifthValueStaysApart", "颜色:红，蓝，绿，白，黑，尺码:L",
                               "颜色:红#1#蓝#1#绿#1#白，黑，尺码:L"},
                      JoinCase{"OneValueEach", "颜色:红，尺码:L", "颜色:红，尺码:L"},
                      JoinCase{"Single", "材质:棉", "材质:棉"},
                      JoinCase{"Empty", "", ""}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(AttributeTextTest, ReplacesEntitiesAndAsciiCommas)
{
    const std::string page = "详细页面。尺码:S,M，容量:&le;500ml，风格:日&middot;韩，品牌:A&amp；B。我们还为";
    EXPECT_EQ(readAttributeText(page), "尺码:S|M，容量:≤500ml，风格:日·韩，品牌:A&B");
}

TEST(AttributeTextTest, EntriesSkipEmptyPieces)
{
    EXPECT_EQ(attributeEntries("颜色:红，，尺码:L"), (std::vector<std::string>{"颜色:红", "尺码:L"}));
    EXPECT_TRUE(attributeEntries("").empty());
}

std::string postingForm()
{
    return text::PageText(test::readBytes(market::Marketplace::defaultFixtureRoot() / "product" /
                                          "postingform-1031910.html"));
}

// The level service of the stand-in's category, as saved answers.
class SavedLevels {
public:
    std::string operator()(const std::string& path)
    {
        asked.push_back(path);
        const auto answer = m_answers.find(path);
        return answer == m_answers.end() ? kCallback + "({\"success\":true,\"data\":[]})\r\n" : answer->second;
    }
    std::vector<std::string> asked;

private:
    const std::string kCallback = "jQuery172097093808716732_1472268712951";
    std::map<std::string, std::string> m_answers{
        {"2176%3A30001",
         kCallback + "({\"success\":true,\"data\":[{\"fid\":1398,\"name\":\"型号\",\"childrenFids\":[1399],"
                     "\"values\":[{\"name\":\"QV-100\",\"vid\":40001},{\"name\":\"QV-200\",\"vid\":40002}]}]})\r\n"},
        {"2176%3A30001%3E1398%3A40001",
         kCallback + "({\"success\":true,\"data\":[{\"fid\":1399,\"name\":\"系列\",\"childrenFids\":[],"
                     "\"values\":[{\"name\":\"经典\",\"vid\":50001}]}]})\r\n"},
    };
};

TEST(MapAttributesTest, PostingFormAndLevelAnswersGiveIds)
{
    SavedLevels levels;
    const AttributeMapping mapping =
        mapAttributes(test::productFixture("1001000011.html"), postingForm(), std::ref(levels));
    EXPECT_EQ(mapping.featurePairs,
              "，\"\"3216\"\":\"\"红色，蓝色\"\"，\"\"450\"\":\"\"L，XL\"\"，\"\"287\"\":\"\"棉\"\"，"
              "\"\"2176\"\":\"\"奎维\"\"，\"\"1398\"\":\"\"QV-100\"\"，\"\"1399\"\":\"\"经典\"\"，");
    // The brand has a dependent model, and the model a dependent series.
    EXPECT_EQ(levels.asked, (std::vector<std::string>{"2176%3A30001", "2176%3A30001%3E1398%3A40001"}));
    EXPECT_TRUE(mapping.postingFormText.starts_with(postingForm()));
    EXPECT_NE(mapping.postingFormText.find("\"name\":\"系列\""), std::string::npos);
}

TEST(MapAttributesTest, TwoValuesReadWithFullWidthComma)
{
    SavedLevels levels;
    const AttributeMapping mapping =
        mapAttributes(test::productFixture("1001000014.html"), postingForm(), std::ref(levels));
    EXPECT_EQ(mapping.featurePairs, "，\"\"3216\"\":\"\"红，蓝\"\"，\"\"450\"\":\"\"L\"\"，");
    EXPECT_TRUE(levels.asked.empty());
}

TEST(MapAttributesTest, UnmatchedAttributeIsDropped)
{
    const std::string page = "详细页面。产地:杭州，颜色:红，货号:A1。我们还为";
    const AttributeMapping mapping = mapAttributes(page, postingForm(), {});
    EXPECT_EQ(mapping.featurePairs, "，\"\"3216\"\":\"\"红\"\"，");
}

TEST(MapAttributesTest, EntryWithoutColonIsDropped)
{
    const std::string page = "详细页面。说明文字，颜色:红。我们还为";
    EXPECT_EQ(mapAttributes(page, postingForm(), {}).featurePairs, "，\"\"3216\"\":\"\"红\"\"，");
}

TEST(MapAttributesTest, FailedPostingFormDropsEverything)
{
    const std::string page = "详细页面。颜色:红，尺码:L。我们还为";
    EXPECT_EQ(mapAttributes(page, "", {}).featurePairs, "，");
}

TEST(MapAttributesTest, EmptyAttributeTextLeavesTwoCommas)
{
    EXPECT_EQ(mapAttributes("no attributes here", postingForm(), {}).featurePairs, "，，");
}

TEST(MapAttributesTest, AsciiCommaInValueBecomesBar)
{
    const std::string page = "详细页面。尺码:L,XL。我们还为";
    EXPECT_EQ(mapAttributes(page, postingForm(), {}).featurePairs, "，\"\"450\"\":\"\"L|XL\"\"，");
}

// A dependent attribute's level answer that fails leaves the attributes it
// would have named unidentified, and they are dropped.
TEST(MapAttributesTest, FailedLevelServiceDropsDependentAttributes)
{
    int asked = 0;
    const AttributeMapping mapping = mapAttributes(test::productFixture("1001000011.html"), postingForm(),
                                                   [&asked](const std::string&) {
                                                       ++asked;
                                                       return std::string();
                                                   });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(mapping.featurePairs,
              "，\"\"3216\"\":\"\"红色，蓝色\"\"，\"\"450\"\":\"\"L，XL\"\"，\"\"287\"\":\"\"棉\"\"，"
              "\"\"2176\"\":\"\"奎维\"\"，");
}

}  // namespace
}  // namespace vq::harvest
