// Cutting a product page down to the part where a pattern can match, so that
// the SKU and picture patterns run over a few kilobytes instead of a whole
// detail page (half a megabyte, most of it markup). Every cut keeps each
// match of the patterns it is made for, in the same order, because it keeps
// every stretch of text such a match can lie in. Letter case is ignored for
// ASCII letters only, as in the pattern matching (no other character folds
// to an ASCII letter there).
#pragma once

#include <string>
#include <string_view>

namespace vq::harvest {

// The lines (each with its line feed) that contain literal, joined. For
// patterns that cannot match across a line feed ("." never matches one) and
// whose every match contains literal.
std::string linesContaining(std::string_view text, std::string_view literal);

// The stretch of the page that can hold a match of any of the SKU-table
// patterns: from shortly before the first "canBookCount" to the end of the
// line of the first "{" after the last one. Empty when the page has none.
std::string_view skuTableWindow(std::string_view pageText);

}  // namespace vq::harvest
