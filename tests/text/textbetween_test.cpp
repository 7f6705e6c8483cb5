#include "text/textbetween.h"

#include <ostream>

#include <gtest/gtest.h>

using namespace vq::text;

namespace {

struct BetweenCase {
    const char* name;
    std::string text;
    std::string start;
    std::string end;
    std::size_t from;
    bool ignoreCase;
    std::string expected;

    friend void PrintTo(const BetweenCase& c, std::ostream* os) { *os << c.name; }
};

class TextBetweenTable : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTable, Extracts)
{
    const BetweenCase& c = GetParam();
    EXPECT_EQ(TextBetween(c.text, c.start, c.end, c.from, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextBetweenTable,
    ::testing::Values(
        BetweenCase{"basic", "a[x]b[y]", "[", "]", 0, false, "x"},
        BetweenCase{"end_after_start_only", "]a[x]", "[", "]", 0, false, "x"},
        BetweenCase{"missing_start", "abc", "[", "]", 0, false, ""},
        BetweenCase{"missing_end", "a[bc", "[", "]", 0, false, ""},
        BetweenCase{"empty_between", "a[]b", "[", "]", 0, false, ""},
        BetweenCase{"from_position", "a[x]b[y]", "[", "]", 2, false, "y"},
        BetweenCase{"from_beyond_end", "a[x]", "[", "]", 10, false, ""},
        BetweenCase{"case_counts", "<TITLE>t</TITLE>", "<title>", "</title>", 0, false, ""},
        BetweenCase{"ignore_case", "<TITLE>t</Title>", "<title>", "</title>", 0, true, "t"},
        BetweenCase{"quote_stand_in", "name=\"value\" x", "name=#引号", "#引号", 0, false, "value"},
        BetweenCase{"chinese_markers", "。这是红色杯子的详细页面。", "。这是", "的详细页面。", 0, false, "红色杯子"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(TextAfterLastBeforeFirst, FindOrEmpty)
{
    EXPECT_EQ(TextAfterLast("a/b/c", "/"), "c");
    EXPECT_EQ(TextAfterLast("abc", "/"), "");
    EXPECT_EQ(TextAfterLast("V2.22", "V"), "2.22");
    EXPECT_EQ(TextBeforeFirst("a||b||c", "||"), "a");
    EXPECT_EQ(TextBeforeFirst("abc", "|"), "");
}

}  // namespace
