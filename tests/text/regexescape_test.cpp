#include "text/regexescape.h"

#include <gtest/gtest.h>

#include "text/regex.h"

using namespace vq::text;

TEST(RegexEscape, EscapesTheNineCharactersInOrder)
{
    EXPECT_EQ(RegexEscape("a(b)/c+d*e.f[g]h|i"), "a\\(b\\)\\/c\\+d\\*e\\.f\\[g\\]h\\|i");
    EXPECT_EQ(RegexEscape("颜色"), "颜色");
    EXPECT_EQ(RegexEscapeJson("1/2"), "1\\\\\\/2");
}

TEST(RegexEscape, EscapedTextMatchesItselfLiterally)
{
    const std::string name = "尺码(cm)/2.5+";
    EXPECT_TRUE(Regex::vbscript(RegexEscape(name)).search("x尺码(cm)/2.5+y"));
    // The JSON form matches the marketplace's escaped slash "\/".
    EXPECT_TRUE(Regex::vbscript(RegexEscapeJson("S/M")).search(R"({"name":"S\/M"})"));
}
