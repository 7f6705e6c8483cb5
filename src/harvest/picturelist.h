// Reading the picture addresses out of product pages and descriptions, and
// the entries of the product's picture list. Pure text work: the stages
// that download call these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vq::harvest {

// At most this many main pictures are taken from a page.
inline constexpr std::size_t kMainPictureLimit = 5;

struct SkuPictureLink {
    std::string address;    // the picture address
    std::string valueName;  // the SKU value name the page gives it
};

// The SKU pictures of a page, in page order.
std::vector<SkuPictureLink> findSkuPictures(std::string_view pageText);
// The first kMainPictureLimit main picture addresses of a page.
std::vector<std::string> findMainPictures(std::string_view pageText);
// The img picture addresses of a description whose quotes are doubled, as
// written there, in order (repeats kept).
std::vector<std::string> findDescriptionImgPictures(std::string_view description);
// The background picture addresses of such a description.
std::vector<std::string> findDescriptionBackgroundPictures(std::string_view description);

// pictureName + ":2:0:" + value name + "|;".
std::string skuPictureEntry(std::string_view pictureName, std::string_view valueName);
// pictureName + ":1:" + position + ":|;" (position 0 for the first).
std::string mainPictureEntry(std::string_view pictureName, std::size_t position);

// Exchanges the positions of the first and the third main picture in a
// picture list; a list without a third main picture comes back unchanged.
std::string swapFirstThirdPicture(std::string_view picture);

}  // namespace vq::harvest
