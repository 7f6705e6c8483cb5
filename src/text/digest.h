// MD5 digests of texts (over their GBK bytes, as the picture names need)
// and the upper-case hex form of bytes.
#pragma once

#include <string>
#include <string_view>

namespace vq::text {

// 32 lower-case hex digits of the MD5 of the GBK form of a UTF-8 text.
std::string Md5Text(std::string_view utf8);
// Digits 9 to 24 (16 digits) of Md5Text.
std::string Md5ShortText(std::string_view utf8);
// 32 lower-case hex digits of the MD5 of raw bytes.
std::string Md5OfBytes(std::string_view bytes);
// Each byte as two upper-case hex digits.
std::string HexText(std::string_view bytes);

}  // namespace vq::text
