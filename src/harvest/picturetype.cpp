#include "harvest/picturetype.h"

#include <array>
#include <cstdio>
#include <utility>

#include "text/pagetext.h"
#include "text/textops.h"

namespace vq::harvest {
namespace {

constexpr unsigned char kPlaceholder[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x91, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x02, 0x00, 0x2C,
    0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x54, 0x01, 0x00, 0x3B};
static_assert(sizeof kPlaceholder == 49);

// Prefixes of the byte text, tested in this order; the first hit wins.
constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kTypePrefixes{{
    {"FFD8", "jpg"},
    {"0000100000", "tga"},
    {"474946383961", "gif"},
    {"474946383761", "gif"},
    {"89504E47", "png"},
    {"424D", "bmp"},
    {"4D4D", "tiff"},
    {"4949", "tiff"},
    {"00001001002020", "ico"},
    {"464F524D", "iff"},
    {"52494646", "ani"},
}};

std::string byteText(std::string_view bytes)
{
    std::string text;
    const std::size_t count = bytes.size() < 10 ? bytes.size() : 10;
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = static_cast<unsigned char>(bytes[i]);
        if (value == 0) {
            text += "00";
            continue;
        }
        char digits[3];
        std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(value));
        text += digits;
    }
    return text;
}

}  // namespace

std::string_view placeholderPicture()
{
    return {reinterpret_cast<const char*>(kPlaceholder), sizeof kPlaceholder};
}

std::string detectPictureType(std::string_view bytes)
{
    const std::string text = byteText(bytes);
    for (const auto& [prefix, type] : kTypePrefixes) {
        if (text::startsWith(text, prefix))
            return std::string(type);
    }
    return text.substr(0, 10) + ".JPG";
}

bool isFailedDownload(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > kPictureByteCap)
        return true;
    if (bytes == placeholderPicture())
        return true;
    return text::contains(text::TextUpToZero(bytes), "404");
}

}  // namespace vq::harvest
