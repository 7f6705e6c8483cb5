#include "text/digest.h"

#include <gtest/gtest.h>

using namespace vq::text;

TEST(Digest, Md5OverGbkBytes)
{
    EXPECT_EQ(Md5Text(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Text("abc"), "900150983cd24fb0d6963f7d28e17f72");
    // The digest is taken of the GBK bytes D6 D0 CE C4, not of the UTF-8 form.
    EXPECT_EQ(Md5Text("中文"), Md5OfBytes("\xD6\xD0\xCE\xC4"));
    EXPECT_NE(Md5Text("中文"), Md5OfBytes("中文"));
    EXPECT_EQ(Md5ShortText("abc"), "3cd24fb0d6963f7d");
}

TEST(Digest, HexTextIsUpperCaseTwoDigitsPerByte)
{
    EXPECT_EQ(HexText(std::string("\x00\x0f\xff\x47", 4)), "000FFF47");
    EXPECT_EQ(HexText(""), "");
}
