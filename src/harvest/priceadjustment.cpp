#include "harvest/priceadjustment.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "text/textops.h"

namespace vq::harvest {

namespace {

// A value that falls short of the half by less than this counts as the
// half, so 17.345 (stored as 17.3449999...) rounds up as a person expects.
constexpr double kHalfTolerance = 1e-12;

double roundHalfAwayFromZero(double value, int decimals)
{
    const double scale = decimals == 0 ? 1.0 : std::pow(10.0, decimals);
    const double magnitude = std::fabs(value) * scale;
    double whole = std::floor(magnitude);
    if (magnitude - whole >= 0.5 - kHalfTolerance)
        whole += 1.0;
    const double rounded = whole / scale;
    return value < 0 ? -rounded : rounded;
}

}  // namespace

double priceNumber(std::string_view text)
{
    const std::string trimmed = text::trim(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

std::string applyPriceAdjustment(std::string_view price, const RewriteOptions& options)
{
    if (!options.adjustPrice)
        return std::string(price);
    const double x = priceNumber(price);
    const double y = priceNumber(options.priceOperand);
    double result = 0;
    switch (options.priceOperator) {
    case PriceOperator::Multiply:
        result = x * y;
        break;
    case PriceOperator::Add:
        result = x + y;
        break;
    case PriceOperator::Subtract:
        result = x - y;
        break;
    case PriceOperator::Divide:
        result = x / y;
        break;
    }
    if (!std::isfinite(result))
        return std::string(price);
    result = roundHalfAwayFromZero(result, options.priceRounding ? 0 : 2);
    result += 0.0;  // no "-0" for a negative value that rounds to zero
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", result);
    return buffer;
}

}  // namespace vq::harvest
