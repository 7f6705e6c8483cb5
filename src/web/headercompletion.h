// Completing a caller's request header text (CR LF separated lines) with the
// defaults the request variants send, and turning it into header lines.
#pragma once

#include <string>
#include <vector>

namespace vq::web {

inline constexpr const char* kDefaultUserAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
inline constexpr const char* kBrowserAccept =
    "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

// The agent of a header text: the value of its "User-Agent:" line (found
// whatever its letter case), else the default agent.
std::string userAgentOf(const std::string& headers);

// Appends "Accept: */*" (or starts with it), the Referer (the address),
// "Accept-Language: zh-cn", each only when the text lacks it (exact
// spelling), joined by CR LF.
void addAcceptRefererLanguage(std::string& headers, const std::string& address);
// Appends "Content-Type: application/x-www-form-urlencoded" when the text
// lacks "Content-Type:" (exact spelling).
void addContentType(std::string& headers);

// The non-empty lines of a header text, split at CR LF.
std::vector<std::string> headerLines(const std::string& headers);
// "Name: value"; a header with an empty value is written so that it is
// still sent (libcurl drops "Name:" lines).
std::string headerLine(const std::string& name, const std::string& value);

}  // namespace vq::web
