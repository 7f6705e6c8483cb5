// Reading cookies out of a raw response header block (CR LF separated), in
// the forms the request variants need.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vq::web {

// Every "Set-Cookie", in any letter case, rewritten as "Set-Cookie".
std::string normaliseSetCookieSpelling(std::string_view headers);

// The NewCookies text of a (normalised) header block: one name=value item
// per line containing "Set-Cookie", attributes dropped, joined by "; ".
std::string newCookiesFromHeaders(std::string_view headers);

// Appends to cookieText ("; " between items) the name=value of every
// Set-Cookie line whose value is not empty; the caller's items stay as
// they are and nothing is merged.
void appendResponseCookies(std::string& cookieText, std::string_view headers);

// The values (everything after the colon, attributes included) of the
// Set-Cookie header lines, whatever the spelling of the name.
std::vector<std::string> setCookieValues(std::string_view headers);

}  // namespace vq::web
