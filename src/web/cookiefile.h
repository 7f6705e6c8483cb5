// The Netscape cookie-file format of the stored cookies: one line per
// cookie, seven tab-separated fields (domain, include-subdomains flag, path,
// secure flag, expiry, name, value); HttpOnly cookies carry the prefix
// "#HttpOnly_" before the domain.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "web/cookiestore.h"

namespace vq::web {

std::string writeCookieFile(const std::vector<Cookie>& cookies);
// Lines that are not cookies (comments, blanks, malformed lines) are skipped.
std::vector<Cookie> readCookieFile(std::string_view text);

}  // namespace vq::web
