#include "collect/numbertext.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace vq::collect {

double numberOf(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t' || text[start] == '\r' || text[start] == '\n'))
        ++start;
    // Only plain decimal notation: strtod alone would also read "inf", "nan"
    // and hexadecimal numbers, which no control of the window accepts.
    std::size_t end = start;
    if (end < text.size() && (text[end] == '+' || text[end] == '-'))
        ++end;
    const std::size_t digitsStart = end;
    while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.'))
        ++end;
    if (end == digitsStart)
        return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (exponent < text.size() && text[exponent] >= '0' && text[exponent] <= '9') {
            end = exponent;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9')
                ++end;
        }
    }
    const std::string number(text.substr(start, end - start));
    char* stop = nullptr;
    const double value = std::strtod(number.c_str(), &stop);
    if (stop == number.c_str() || !std::isfinite(value))
        return 0;
    return value;
}

int integerOf(std::string_view text)
{
    const double value = std::trunc(numberOf(text));
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

bool isZero(double value)
{
    return std::fabs(value) <= 1e-7;
}

}  // namespace vq::collect
