#include "text/gbk.h"

#include <ostream>

#include <gtest/gtest.h>

using namespace vq::text;

namespace {

struct GbkCase {
    const char* name;
    std::string gbk;
    std::string utf8;

    friend void PrintTo(const GbkCase& c, std::ostream* os) { *os << c.name; }
};

class GbkDecode : public ::testing::TestWithParam<GbkCase> {};

TEST_P(GbkDecode, DecodesWithReplacementRule)
{
    EXPECT_EQ(gbkToUtf8(GetParam().gbk), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GbkDecode,
    ::testing::Values(
        GbkCase{"ascii", "abc 123", "abc 123"},
        GbkCase{"chinese", "\xD6\xD0\xCE\xC4", "中文"},
        GbkCase{"full_width_blank", "\xA1\xA1", "\xE3\x80\x80"},
        GbkCase{"euro_of_cp936", "\x80", "€"},
        // A lead byte without its trail byte at the end becomes U+FFFD.
        GbkCase{"truncated_at_end", "ab\xD6", "ab\xEF\xBF\xBD"},
        // An invalid trail byte replaces only the lead byte; the rest survives.
        GbkCase{"invalid_trail", "\xD6\x0A\xD6\xD0", "\xEF\xBF\xBD\n中"},
        GbkCase{"invalid_single_byte", "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
        GbkCase{"embedded_zero", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(Gbk, RoundTripsChineseTextAndPunctuation)
{
    const std::string text = "宝贝名称，价格：12.5元「测试」\r\n第二行";
    EXPECT_EQ(gbkToUtf8(utf8ToGbk(text)), text);
    EXPECT_EQ(gbkLength("中文ab"), 6u);
}

TEST(Gbk, UnmappableCharacterEncodesAsQuestionMarkAndKeepsTheRest)
{
    // U+1F600 (an emoji) has no GBK form.
    EXPECT_EQ(utf8ToGbk("a\xF0\x9F\x98\x80" "中"), "a?\xD6\xD0");
    // Invalid UTF-8 byte.
    EXPECT_EQ(utf8ToGbk("a\xC3" "b"), "a?b");
}

TEST(Gbk, Utf16Conversions)
{
    EXPECT_EQ(gbkToUtf16le("a\xD6\xD0"), std::string("a\0\x2D\x4E", 4));
    EXPECT_EQ(utf8ToUtf16le("ap"), std::string("a\0p\0", 4));
    EXPECT_EQ(utf16leToUtf8(std::string("a\0\x2D\x4E", 4)), "a中");
    EXPECT_EQ(utf16leToUtf8(std::string("a\0b", 3)), "a");
}

TEST(Gbk, LargeTextSurvivesBufferBoundaries)
{
    std::string gbk;
    for (int i = 0; i < 20000; ++i)
        gbk += "\xD6\xD0x";
    const std::string utf8 = gbkToUtf8(gbk);
    EXPECT_EQ(utf8.size(), 20000u * 4);
    EXPECT_EQ(utf8ToGbk(utf8), gbk);
}

}  // namespace
