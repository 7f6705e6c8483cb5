#include "collect/numbertext.h"

#include <gtest/gtest.h>

using namespace vq::collect;

namespace {

struct NumberCase {
    const char* name;
    const char* text;
    double number;
    int integer;

    friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }
};

class NumberText : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberText, ReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(numberOf(GetParam().text), GetParam().number);
    EXPECT_EQ(integerOf(GetParam().text), GetParam().integer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberText,
    testing::Values(NumberCase{"Plain", "40", 40, 40}, NumberCase{"Empty", "", 0, 0},
                    NumberCase{"LeadingBlanks", "  12", 12, 12}, NumberCase{"TrailingText", "3页", 3, 3},
                    NumberCase{"Fraction", "2.75", 2.75, 2}, NumberCase{"Negative", "-4", -4, -4},
                    NumberCase{"Letters", "abc", 0, 0}, NumberCase{"InfinityIsNotANumber", "inf", 0, 0},
                    NumberCase{"HexIsNotANumber", "0x1f", 0, 0}, NumberCase{"Huge", "1e40", 1e40, 2147483647},
                    NumberCase{"Exponent", "1e2", 100, 100}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(NumberTextZero, CountsTinyValuesAsZero)
{
    EXPECT_TRUE(isZero(0));
    EXPECT_TRUE(isZero(1e-8));
    EXPECT_TRUE(isZero(-1e-7));
    EXPECT_FALSE(isZero(2e-7));
    EXPECT_FALSE(isZero(1));
}

}  // namespace
