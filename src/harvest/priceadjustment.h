// The wizard's price adjustment: one arithmetic operation on a price text,
// rounded half away from zero, written back as a short number text.
#pragma once

#include <string>
#include <string_view>

#include "harvest/rewriteoptions.h"

namespace vq::harvest {

// The numeric value at the start of a price or operand text (blanks around
// it ignored); 0 when the text holds no number.
double priceNumber(std::string_view text);

// price unchanged when adjustPrice is off; otherwise price operator operand,
// rounded to whole units (priceRounding) or to two decimals, as "%.13g".
// A result that is not a finite number (a division by zero, an overflow)
// leaves the price unchanged rather than writing "inf" or "nan".
std::string applyPriceAdjustment(std::string_view price, const RewriteOptions& options);

}  // namespace vq::harvest
