// Plain-text operations with the program's fixed rules: searching and
// replacing (exact or ignoring ASCII letter case), trimming, splitting and
// line access. Texts are UTF-8, so a match never starts inside a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vq::text {

inline constexpr std::size_t npos = std::string_view::npos;

// Position of needle in haystack at or after from; npos when absent.
std::size_t find(std::string_view haystack, std::string_view needle, std::size_t from = 0,
                 bool ignoreCase = false);
bool contains(std::string_view haystack, std::string_view needle, bool ignoreCase = false);
// ASCII-only case folding, which is what the marketplace texts need.
std::string toLowerAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWith(std::string_view text, std::string_view prefix);
// True for a non-empty text of ASCII digits only.
bool isAllDigits(std::string_view text);
bool endsWith(std::string_view text, std::string_view suffix);

// Replaces every occurrence of from by to, left to right, never re-scanning
// inserted text. An empty `from` changes nothing.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
std::string replaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to);
// Replaces only the first occurrence.
std::string replaceFirst(std::string_view text, std::string_view from, std::string_view to);

// Removes ASCII blanks and the full-width blank U+3000 at both ends; tabs and
// line breaks stay.
std::string trim(std::string_view text);
std::string trimLeft(std::string_view text);
std::string trimRight(std::string_view text);
// Removes every ASCII blank and full-width blank.
std::string removeBlanks(std::string_view text);

// Splits at separator: empty pieces between separators are kept, an empty
// last piece is dropped, and an empty text yields no pieces.
std::vector<std::string> split(std::string_view text, std::string_view separator);
std::string join(const std::vector<std::string>& pieces, std::string_view separator);

// Number of LF characters, plus one when the text is not empty and does not
// end with LF.
std::size_t LineCount(std::string_view text);
// Line i (from 1) of text split at CR LF; empty for an index out of range.
std::string LineAt(std::string_view text, long long i);

}  // namespace vq::text
