// Turning downloaded bytes into text: pages are GBK and may carry zero bytes.
#pragma once

#include <string>
#include <string_view>

namespace vq::text {

// A fetched page as text: every zero byte becomes a blank, then the bytes
// are decoded from GBK.
std::string PageText(std::string_view bytes);

// Downloaded bytes read as GBK text up to (not including) the first zero byte.
std::string TextUpToZero(std::string_view bytes);

}  // namespace vq::text
