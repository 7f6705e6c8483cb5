// Cookie texts held by callers: "name=value; name=value". Merging new
// cookies into a jar, reading one cookie, removing duplicate items.
#pragma once

#include <string>

namespace vq::web {

// Merges newCookies into jar: both lose their blanks, new items go first,
// old items whose name the new ones do not set follow, "=deleted" items are
// dropped, duplicates removed. jar receives and the call returns the result.
std::string MergeCookies(std::string& jar, std::string& newCookies);
// The named cookie (name compared ignoring case); "name=value" unless
// valueOnly; empty when missing or empty.
std::string CookieValue(const std::string& jar, const std::string& name, bool valueOnly);
// Splits at separator, keeps the first occurrence of each item, joins again.
std::string RemoveDuplicateItems(const std::string& text, const std::string& separator);

}  // namespace vq::web
