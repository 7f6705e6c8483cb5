#include "collect/multilineaddressdialog.h"

#include <gtest/gtest.h>

using vq::collect::MultiLineAddressDialog;

namespace {

struct SaveCase {
    const char* name;
    const char* edit;
    const char* saved;

    friend void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }
};

class MultiLineSave : public testing::TestWithParam<SaveCase> {};

TEST_P(MultiLineSave, CleansTheEditText)
{
    EXPECT_EQ(MultiLineAddressDialog::savedAddresses(GetParam().edit), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MultiLineSave,
    testing::Values(
        SaveCase{"TwoLines", "http://a/1.html\r\nhttp://a/2.html", "http://a/1.html\r\nhttp://a/2.html"},
        SaveCase{"BlanksTrimmed", "  http://a/1.html  ", "http://a/1.html"},
        SaveCase{"LeadingLineBreakDropped", "\r\nhttp://a/1.html", "http://a/1.html"},
        SaveCase{"TrailingLineBreakDropped", "http://a/1.html\r\n", "http://a/1.html"},
        SaveCase{"OnlyOneTrailingLineBreakDropped", "http://a/1.html\r\n\r\n", "http://a/1.html\r\n"},
        SaveCase{"BlankLineBetweenRemoved", "http://a/1.html\r\n\r\nhttp://a/2.html", "http://a/1.html\r\nhttp://a/2.html"},
        SaveCase{"BlankOnlyLineRemoved", "http://a/1.html\r\n   \r\nhttp://a/2.html", "http://a/1.html\r\nhttp://a/2.html"},
        SaveCase{"SeveralBlankLinesRemoved", "http://a/1.html\r\n\r\n\r\n\r\nhttp://a/2.html",
                 "http://a/1.html\r\nhttp://a/2.html"},
        SaveCase{"Empty", "", ""}, SaveCase{"OnlyBlanks", "   ", ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(MultiLineWindow, StartsWithTheStoredAddressesTrimmed)
{
    const MultiLineAddressDialog dialog("  http://a/1.html\r\nhttp://a/2.html  ");
    EXPECT_EQ(dialog.initialText(), "http://a/1.html\r\nhttp://a/2.html");
    EXPECT_EQ(MultiLineAddressDialog::kTitle, "请按照提示输入");
}

TEST(MultiLineWindow, CounterShowsTheLineCount)
{
    EXPECT_EQ(MultiLineAddressDialog::counterText(""), "当前共：[0]行");
    EXPECT_EQ(MultiLineAddressDialog::counterText("a"), "当前共：[1]行");
    EXPECT_EQ(MultiLineAddressDialog::counterText("a\r\n"), "当前共：[1]行");
    EXPECT_EQ(MultiLineAddressDialog::counterText("a\r\nb"), "当前共：[2]行");
    EXPECT_EQ(MultiLineAddressDialog::counterText("a\r\n\r\nb"), "当前共：[3]行");
}

}  // namespace
