#include "harvest/priceadjustment.h"

#include <ostream>

#include <gtest/gtest.h>

namespace vq::harvest {
namespace {

struct AdjustmentCase {
    const char* name;
    bool adjust;
    PriceOperator op;
    std::string operand;
    bool wholeUnits;
    std::string price;
    std::string expected;
};

// Cases print as their names (in test listings and failures).
void PrintTo(const AdjustmentCase& c, std::ostream* os)
{
    *os << c.name;
}


class PriceAdjustmentTest : public ::testing::TestWithParam<AdjustmentCase> {};

TEST_P(PriceAdjustmentTest, AdjustsPrice)
{
    const AdjustmentCase& c = GetParam();
    RewriteOptions options;
    options.adjustPrice = c.adjust;
    options.priceOperator = c.op;
    options.priceOperand = c.operand;
    options.priceRounding = c.wholeUnits;
    EXPECT_EQ(applyPriceAdjustment(c.price, options), c.expected);
}

constexpr auto Add = PriceOperator::Add;
constexpr auto Sub = PriceOperator::Subtract;
constexpr auto Mul = PriceOperator::Multiply;
constexpr auto Div = PriceOperator::Divide;

INSTANTIATE_TEST_SUITE_P(
    Table, PriceAdjustmentTest,
    ::testing::Values(
        AdjustmentCase{"OffKeepsText", false, Add, "5", true, "12.340", "12.340"},
        AdjustmentCase{"OffKeepsEmpty", false, Add, "5", false, "", ""},
        AdjustmentCase{"AddWholeUnits", true, Add, "5", true, "12.34", "17"},
        AdjustmentCase{"AddTwoDecimals", true, Add, "5", false, "12.34", "17.34"},
        AdjustmentCase{"Subtract", true, Sub, "2.5", false, "12.34", "9.84"},
        AdjustmentCase{"MultiplyWholeResultHasNoPoint", true, Mul, "1.5", false, "10", "15"},
        AdjustmentCase{"MultiplyRoundsToTwoDecimals", true, Mul, "1.1", false, "9.99", "10.99"},
        AdjustmentCase{"Divide", true, Div, "3", false, "10", "3.33"},
        AdjustmentCase{"HalfRoundsUpToWholeUnit", true, Mul, "1", true, "2.5", "3"},
        AdjustmentCase{"NegativeHalfRoundsAwayFromZero", true, Sub, "2.5", true, "0", "-3"},
        AdjustmentCase{"JustBelowHalfInBinaryCountsAsHalf", true, Mul, "1", false, "17.345", "17.35"},
        AdjustmentCase{"AnotherBinaryHalf", true, Mul, "1", false, "1.005", "1.01"},
        AdjustmentCase{"ClearlyBelowHalfRoundsDown", true, Mul, "1", false, "1.0049", "1"},
        AdjustmentCase{"NegativeZeroWrittenAsZero", true, Mul, "-1", false, "0.001", "0"},
        AdjustmentCase{"EmptyPriceCountsAsZero", true, Add, "5", false, "", "5"},
        AdjustmentCase{"PriceNotANumberCountsAsZero", true, Add, "5", false, "abc", "5"},
        AdjustmentCase{"OperandNotANumberCountsAsZero", true, Add, "x", false, "12.34", "12.34"},
        AdjustmentCase{"BlanksAroundNumbers", true, Add, " 5 ", false, " 12.34 ", "17.34"},
        AdjustmentCase{"LargePriceKeepsAllDigits", true, Add, "0", false, "123456.78", "123456.78"},
        AdjustmentCase{"DivisionByZeroKeepsPrice", true, Div, "0", false, "12.34", "12.34"},
        AdjustmentCase{"DivisionByZeroWholeUnitsKeepsPrice", true, Div, "0", true, "12.34", "12.34"},
        AdjustmentCase{"ZeroByZeroKeepsPrice", true, Div, "0", false, "0", "0"},
        AdjustmentCase{"EmptyOperandDividesByZero", true, Div, "", false, "8.8", "8.8"},
        AdjustmentCase{"OverflowKeepsPrice", true, Mul, "1e308", false, "1e308", "1e308"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(PriceNumberTest, ReadsLeadingNumber)
{
    EXPECT_DOUBLE_EQ(priceNumber("12.5元"), 12.5);
    EXPECT_DOUBLE_EQ(priceNumber("+3"), 3.0);
    EXPECT_DOUBLE_EQ(priceNumber("-3"), -3.0);
    EXPECT_DOUBLE_EQ(priceNumber("元12"), 0.0);
    EXPECT_DOUBLE_EQ(priceNumber("inf"), 0.0);
}

}  // namespace
}  // namespace vq::harvest
