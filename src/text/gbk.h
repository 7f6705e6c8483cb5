// Conversions between the GBK (code page 936) bytes of the marketplace and
// the files, and the UTF-8 text the program works with.
//
// Replacement rule: a byte that does not start a valid GBK character, or a
// lead byte whose trail byte is missing or invalid, decodes to U+FFFD and
// decoding resumes at the next byte, so one bad byte never swallows the rest
// of a text. A character that GBK cannot hold encodes as "?". Invalid UTF-8
// input is treated the same way (U+FFFD, resume at the next byte).
#pragma once

#include <string>
#include <string_view>

namespace vq::text {

// GBK bytes to UTF-8 text.
std::string gbkToUtf8(std::string_view gbk);
// UTF-8 text to GBK bytes.
std::string utf8ToGbk(std::string_view utf8);
// GBK bytes to UTF-16LE bytes (two bytes per code unit, no byte-order mark).
std::string gbkToUtf16le(std::string_view gbk);
// UTF-8 text to UTF-16LE bytes (no byte-order mark).
std::string utf8ToUtf16le(std::string_view utf8);
// UTF-16LE bytes to UTF-8 text; an odd last byte is dropped.
std::string utf16leToUtf8(std::string_view utf16le);
// Length in bytes of the GBK form of a UTF-8 text.
std::size_t gbkLength(std::string_view utf8);

}  // namespace vq::text
