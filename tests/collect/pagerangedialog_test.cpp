#include "collect/pagerangedialog.h"

#include <gtest/gtest.h>

using vq::collect::PageRangeDialog;

namespace {

struct RangeCase {
    const char* name;
    int listLastPage;
    const char* first;
    const char* last;
    bool accepted;
    std::string_view message;  // when refused

    friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }
};

class PageRange : public testing::TestWithParam<RangeCase> {};

TEST_P(PageRange, AcceptsOrRefusesWithTheWindowsMessage)
{
    const RangeCase& c = GetParam();
    PageRangeDialog dialog(c.listLastPage);
    EXPECT_EQ(dialog.confirm(c.first, c.last), c.accepted);
    EXPECT_EQ(dialog.accepted(), c.accepted);
    if (c.accepted) {
        EXPECT_FALSE(dialog.messageVisible());
        EXPECT_EQ(dialog.firstPage(), std::atoi(c.first));
        EXPECT_EQ(dialog.lastPage(), std::atoi(c.last));
    } else {
        EXPECT_TRUE(dialog.messageVisible());
        EXPECT_EQ(dialog.message(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageRange,
    testing::Values(
        RangeCase{"FiveToForty", 40, "5", "40", true, ""},
        RangeCase{"OneToThirtySix", 40, "1", "36", true, ""},
        RangeCase{"SinglePageBelowTheLast", 40, "39", "39", true, ""},
        RangeCase{"FirstEqualsTheListsLastPage", 40, "40", "40", false, PageRangeDialog::kBadPageMessage},
        RangeCase{"OneToThirtySeven", 40, "1", "37", false, PageRangeDialog::kBadSpanMessage},
        RangeCase{"EmptyBoxes", 40, "", "", false, PageRangeDialog::kBadPageMessage},
        RangeCase{"LastBeyondTheList", 40, "10", "41", false, PageRangeDialog::kBadPageMessage},
        RangeCase{"FirstZero", 40, "0", "30", false, PageRangeDialog::kBadPageMessage},
        RangeCase{"LettersReadAsZero", 40, "abc", "30", false, PageRangeDialog::kBadPageMessage},
        RangeCase{"LastBeforeFirst", 40, "20", "10", false, PageRangeDialog::kBadSpanMessage},
        RangeCase{"NegativeLast", 40, "3", "-1", false, PageRangeDialog::kBadPageMessage}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(PageRangeWindow, StartsWithItsHintAndStaysOpenUntilARangeIsValid)
{
    PageRangeDialog dialog(40);
    EXPECT_EQ(dialog.message(), "间隔超过35页！请修改！");
    EXPECT_TRUE(dialog.messageVisible());
    EXPECT_FALSE(dialog.confirm("1", "37"));
    EXPECT_EQ(dialog.message(), "超始页大于结束页或间隔大于35页！请修改！");
    EXPECT_FALSE(dialog.confirm("40", "40"));
    EXPECT_EQ(dialog.message(), "起始页或结束页输入有误！请修改！");
    EXPECT_FALSE(dialog.accepted());
    EXPECT_TRUE(dialog.confirm("5", "40"));
    EXPECT_EQ(dialog.firstPage(), 5);
    EXPECT_EQ(dialog.lastPage(), 40);
}

}  // namespace
