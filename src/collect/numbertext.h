// Reading numbers from page and dialog texts the way the window's controls
// do: the leading number of the text counts, anything else reads as 0.
#pragma once

#include <string_view>

namespace vq::collect {

// The number at the start of text (after blanks), e.g. "40" or " 3.5页";
// 0 when the text does not start with a number.
double numberOf(std::string_view text);
// numberOf truncated towards zero and kept within the range of int.
int integerOf(std::string_view text);
// Whether a number counts as zero (absolute value at most 1e-7).
bool isZero(double value);

}  // namespace vq::collect
