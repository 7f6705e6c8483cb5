// Turning one Set-Cookie header value into a stored cookie: domain, path,
// expiry (Expires or Max-Age), Secure and HttpOnly, with the domain and path
// defaults and the domain check that keep a site from setting cookies for
// another.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "web/cookiestore.h"

namespace vq::web {

struct ParsedSetCookie {
    Cookie cookie;
    // True when the cookie is to be removed: an expiry in the past, a
    // Max-Age of zero or less, or the value "deleted".
    bool removal = false;
};

// host is the request's host (lower case, no port), requestPath its path
// (query allowed). Empty when the value is malformed or names a domain the
// host may not set.
std::optional<ParsedSetCookie> parseSetCookie(const std::string& host, const std::string& requestPath,
                                              const std::string& value, std::int64_t now);

// Whether host lies in the cookie's domain (exactly, or below it for a
// domain cookie).
bool domainMatches(const Cookie& cookie, const std::string& host);
// Whether the request path lies under the cookie's path.
bool pathMatches(const std::string& cookiePath, const std::string& requestPath);

}  // namespace vq::web
