// Marker-based extraction from page texts: the text between two markers,
// after the last or before the first occurrence of one marker.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vq::text {

// The text strictly between the first `start` marker found at or after byte
// position `from` (0-based) and the next `end` marker after it; empty when
// either is missing. In both markers "#引号" stands for one double quote.
// With ignoreCase, ASCII letters match regardless of case.
std::string TextBetween(std::string_view text, std::string_view start, std::string_view end,
                        std::size_t from = 0, bool ignoreCase = false);

// The text after the last occurrence of marker; empty when there is none.
std::string TextAfterLast(std::string_view text, std::string_view marker);
// The text before the first occurrence of marker; empty when there is none.
std::string TextBeforeFirst(std::string_view text, std::string_view marker);

}  // namespace vq::text
