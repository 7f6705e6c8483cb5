// The maker's service replies and request parameters as plain text work:
// the brand-word list, the enciphered archive name, version numbers.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq::vendor {

// The brand-word reply read as a list: the first character is dropped, at
// most 100000 characters of the rest are split at ",".
std::vector<std::string> parseBrandWordReply(std::string_view replyText);

// The "un" parameter: the archive name enciphered under the day's key and
// written as upper-case hex text; decipherArchiveName reverses it (the
// stand-in service uses it).
std::string encipherArchiveName(std::string_view archiveName, const std::tm& day);
std::optional<std::string> decipherArchiveName(std::string_view hexText, const std::tm& day);

// The version number of a version text such as "V2.22": the text after the
// last "V" without its points, read as a number.
long versionNumberOf(std::string_view versionText);

}  // namespace vq::vendor
