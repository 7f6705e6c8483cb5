// The mobile description: the larger description pictures, listed by their
// local paths inside "<wapDesc>", for Taobao Assistant packages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "harvest/productrecord.h"

namespace vq::harvest {

// Pictures of this size or smaller are never taken.
inline constexpr std::size_t kMobilePictureMinBytes = 7168;
// Once the description's img pictures add up to this many bytes, no further
// picture is taken for the product.
inline constexpr std::uint64_t kMobileDescriptionMaxBytes = 2621440;

// Whether a picture of `length` bytes is taken while the product's img
// pictures add up to `sum` bytes (this picture included).
bool takesMobilePicture(std::size_t length, std::uint64_t sum);

// Appends "<img>" + path + "</img>" to wireless_desc when enabled (mobile
// description on and a Taobao Assistant run) and the picture is taken.
void addMobilePicture(ProductRecord& record, bool enabled, std::size_t length, std::uint64_t sum,
                      const std::filesystem::path& localPath);

// Wraps a non-empty wireless_desc in "<wapDesc>" ... "</wapDesc>".
void closeMobileDescription(ProductRecord& record);

}  // namespace vq::harvest
