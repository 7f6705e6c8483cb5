// Downloading a product's pictures into the run's picture folder: the SKU
// and main pictures that make up the picture list (the stages
// downloadSkuPictures and downloadMainPictures of stages.h), and the
// pictures embedded in the description.
#pragma once

#include <string>

#include "harvest/stagecontext.h"

namespace vq::harvest {

// Saves the img and background pictures of a description (quotes doubled)
// into the product's description-picture folder and returns the description
// with each saved picture's address replaced by its "file:///" address and
// each failed picture's address removed. Builds the mobile description from
// the img pictures and closes it.
std::string downloadDescriptionPictures(StageContext& context, std::string description);

}  // namespace vq::harvest
