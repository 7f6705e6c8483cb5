// Recognising downloaded pictures: the type text that names a description
// picture file, and whether a download failed (empty, the marketplace's
// placeholder, an error text, or implausibly large).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vq::harvest {

// A picture body above this size counts as a failed download. Marketplace
// pictures are a few MiB at most; the cap keeps a runaway answer (an endless
// stream, a video behind a picture address) out of the package folder.
inline constexpr std::size_t kPictureByteCap = 20 * 1024 * 1024;

// The 49-byte 1x1 GIF that image servers answer instead of a missing picture.
std::string_view placeholderPicture();

// The type of a picture from its first ten bytes: "jpg", "tga", "gif",
// "png", "bmp", "tiff", "ico", "iff", "ani" (every RIFF container), or, for
// anything else, the first ten characters of the byte text plus ".JPG". The
// byte text writes a zero byte as "00" and every other byte in upper-case hex
// without a leading zero, so the byte 0A reads "A".
std::string detectPictureType(std::string_view bytes);

// True for an empty body, the placeholder picture, a body whose text up to
// its first zero byte contains "404", and a body over kPictureByteCap.
bool isFailedDownload(std::string_view bytes);

}  // namespace vq::harvest
