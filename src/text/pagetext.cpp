#include "text/pagetext.h"

#include <algorithm>

#include "text/gbk.h"

namespace vq::text {

std::string PageText(std::string_view bytes)
{
    std::string copy(bytes);
    std::replace(copy.begin(), copy.end(), '\0', ' ');
    return gbkToUtf8(copy);
}

std::string TextUpToZero(std::string_view bytes)
{
    const std::size_t zero = bytes.find('\0');
    return gbkToUtf8(bytes.substr(0, zero));
}

}  // namespace vq::text
