#include "collect/listfile.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"
#include "text/gbk.h"

using namespace vq::collect;
using vq::ItemRow;

namespace {

TEST(ListFile, LinesHoldTitleOfferIdPriceAddressInGbkWithCrLf)
{
    vq::test::TempDir dir;
    const std::vector<ItemRow> rows = {{"保温杯", "18.90", "http://a/offer/1.html", "1"},
                                       {"马克杯", "", "http://a/offer/2.html", "2"}};
    std::string error;
    ASSERT_TRUE(writeListFile(dir / "list.txt", rows, error)) << error;
    EXPECT_EQ(vq::test::readBytes(dir / "list.txt"),
              vq::text::utf8ToGbk("保温杯||1||18.90||http://a/offer/1.html\r\n马克杯||2||||http://a/offer/2.html\r\n"));
}

TEST(ListFile, ExportThenImportRestoresEveryColumnInOrder)
{
    vq::test::TempDir dir;
    const std::vector<ItemRow> rows = {{"夏季纯棉T恤 男款", "25.00", "http://a/offer/101.html", "101"},
                                       {"加厚牛仔外套", "", "http://a/offer/102.html?sk=consignPrivate", "102"},
                                       {"儿童防晒帽&amp;围巾", "41.00", "http://a/offer/103.html", "103"}};
    std::string error;
    ASSERT_TRUE(writeListFile(dir / "list.txt", rows, error)) << error;
    std::vector<ItemRow> back;
    ASSERT_TRUE(readListFile(dir / "list.txt", back, error)) << error;
    EXPECT_EQ(back, rows);
}

TEST(ListFile, OnlyTheFirstTitleLosesItsLeadingBlanks)
{
    const std::vector<ItemRow> rows = {{"  首个宝贝", "1", "http://a/offer/1.html", "1"},
                                       {" 第二个宝贝", "2", "http://a/offer/2.html", "2"}};
    const std::string text = listFileText(rows);
    EXPECT_EQ(text, "首个宝贝||1||1||http://a/offer/1.html\r\n 第二个宝贝||2||2||http://a/offer/2.html\r\n");
    const std::vector<ItemRow> back = parseListFileText(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].title, "首个宝贝");
    EXPECT_EQ(back[1].title, " 第二个宝贝");
}

TEST(ListFile, TrailingBlanksOfTheLastAddressStayBeforeTheFinalLineBreak)
{
    EXPECT_EQ(listFileText({{"t", "p", "a ", "1"}}), "t||1||p||a \r\n");
    EXPECT_EQ(listFileText({}), "");
}

struct ParseCase {
    const char* name;
    const char* text;
    std::vector<ItemRow> rows;

    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }
};

class ListFileLines : public testing::TestWithParam<ParseCase> {};

TEST_P(ListFileLines, KeepOnlyLinesOfFourFields)
{
    EXPECT_EQ(parseListFileText(GetParam().text), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListFileLines,
    testing::Values(
        ParseCase{"SingleBarsOnly", "t|1|p|a\r\nu|2|q|b\r\n", {}},
        ParseCase{"ThreeFields", "t||1||p\r\n", {}},
        ParseCase{"FiveFields", "t||1||p||a||x\r\n", {}},
        ParseCase{"EmptyPriceIsAField", "t||1||||a\r\n", {{"t", "", "a", "1"}}},
        // An empty last field is no field at all, so such a line is skipped.
        ParseCase{"EmptyAddressIsNoField", "t||1||p||\r\n", {}},
        ParseCase{"LastLineWithoutLineBreak", "t||1||p||a", {{"t", "p", "a", "1"}}},
        ParseCase{"LfOnlyLines", "t||1||p||a\nu||2||q||b\n", {{"t", "p", "a", "1"}, {"u", "q", "b", "2"}}},
        ParseCase{"GoodLinesAmongBadOnes", "header\r\nt||1||p||a\r\n\r\nbad||line\r\n",
                  {{"t", "p", "a", "1"}}},
        ParseCase{"Empty", "", {}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(ListFile, AFileThatCannotBeReadIsAnErrorNotAnEmptyList)
{
    vq::test::TempDir dir;
    std::vector<ItemRow> rows = {{"kept", "", "", ""}};
    std::string error;
    EXPECT_FALSE(readListFile(dir / "missing.txt", rows, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(readListFile(dir.path(), rows, error));
    EXPECT_EQ(rows.size(), 1u);
}

TEST(ListFile, AFileThatCannotBeWrittenIsAnError)
{
    vq::test::TempDir dir;
    std::string error;
    EXPECT_FALSE(writeListFile(dir / "no-such-folder" / "list.txt", {{"t", "", "a", "1"}}, error));
    EXPECT_FALSE(error.empty());
}

TEST(ListFile, GbkBytesOnDiskAreReadAsText)
{
    vq::test::TempDir dir;
    vq::test::writeBytes(dir / "list.txt", vq::text::utf8ToGbk("　全角空格||9||1.5||http://a/offer/9.html\r\n"));
    std::vector<ItemRow> rows;
    std::string error;
    ASSERT_TRUE(readListFile(dir / "list.txt", rows, error));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (ItemRow{"　全角空格", "1.5", "http://a/offer/9.html", "9"}));
}

}  // namespace
