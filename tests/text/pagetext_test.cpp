#include "text/pagetext.h"

#include <gtest/gtest.h>

using namespace vq::text;

TEST(PageText, ZeroBytesBecomeBlanksThenGbkIsDecoded)
{
    EXPECT_EQ(PageText(std::string("\xD6\xD0\0\xCE\xC4", 5)), "中 文");
    EXPECT_EQ(PageText(""), "");
}

TEST(PageText, TextUpToZeroStopsAtTheFirstZeroByte)
{
    EXPECT_EQ(TextUpToZero(std::string("GIF89a\0" "404", 10)), "GIF89a");
    EXPECT_EQ(TextUpToZero("no zero \xD6\xD0"), "no zero 中");
    EXPECT_EQ(TextUpToZero(std::string("\0abc", 4)), "");
}
