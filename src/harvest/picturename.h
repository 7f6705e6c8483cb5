// Names of the picture files of a product: the time-stamped MD5 names of
// the SKU and main pictures, the address-derived names of the description
// pictures, the per-title folder of those, and file addresses for them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vq::harvest {

// The longest description-picture folder name, in UTF-8 bytes. File systems
// cap a name at 255 bytes (or 255 UTF-16 units); the margin leaves room for
// deep picture folders on systems with a path-length limit.
inline constexpr std::size_t kDescFolderNameMaxBytes = 120;

// 32 lower-case hex digits: the MD5 of the GBK bytes of the decimal stamp,
// the title and the offer ID, in that order.
std::string pictureNameAt(std::int64_t millisecondsStamp, std::string_view title, std::string_view offerId);

// The milliseconds stamp for the next picture name. Stamps handed out by
// this process never repeat: a request within an already used millisecond
// waits for the next one, so two pictures never share a name and no file
// overwrites another. Thread-safe.
std::int64_t nextPictureStamp();

// pictureNameAt with a fresh stamp from nextPictureStamp.
std::string pictureName(std::string_view title, std::string_view offerId);

// Digits 9 to 24 of the MD5 of the address as written in the description,
// ".", and the detected type of the bytes.
std::string descPictureName(std::string_view address, std::string_view bytes);

// The folder of a product's description pictures: the title without the
// characters that file names cannot hold (/ \ . % blank : * ? " > < | and
// every control character), cut to kDescFolderNameMaxBytes on a character
// boundary. When nothing is left, the offer ID cleaned the same way, and
// "description" when that is empty too.
std::string descPictureFolderName(std::string_view title, std::string_view offerId);

// "file:///" followed by the absolute path with "/" separators.
std::string fileAddress(const std::filesystem::path& path);

}  // namespace vq::harvest
