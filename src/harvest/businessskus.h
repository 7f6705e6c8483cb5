// Business-assistant SKUs: the page's SKU map rewritten into the package's
// SKU array with attribute IDs, and the SKU picture list.
#pragma once

#include <string>
#include <string_view>

namespace vq::harvest {

// The page's "skuMap" as an array of {"specAttributes":{ID:value,...},
// fields...} entries, the IDs taken from productFeatureList; quotes doubled.
std::string buildSkuArray(std::string_view pageText, std::string_view productFeatureList);

// {""ID"":[{""value"":""picture""},...]} for the sales property whose
// values carry pictures, the last picture first; empty when the page has
// no SKU pictures. The ID comes from the posting form.
std::string buildSkuPictures(std::string_view pageText, std::string_view postingFormText);

}  // namespace vq::harvest
