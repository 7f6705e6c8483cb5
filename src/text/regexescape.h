// Escaping page texts for use as literals inside regular expressions.
#pragma once

#include <string>
#include <string_view>

namespace vq::text {

// Puts a backslash before each of ( ) / + * . [ ] |, in that order.
std::string RegexEscape(std::string_view text);
// As RegexEscape, but "/" becomes three backslashes and a slash, so that the
// pattern matches the JSON-escaped slash "\/" of the marketplace's JSON.
std::string RegexEscapeJson(std::string_view text);

}  // namespace vq::text
