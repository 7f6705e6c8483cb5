// The Taobao road's SKU text: every SKU of the page's SKU map as
// "price:quantity::B;A;" (or "::A;" for one sales property), prices passed
// through the price adjustment, and the product price that goes with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "harvest/rewriteoptions.h"

namespace vq::harvest {

struct TaobaoSkus {
    std::string skuProps;  // items in reverse page order
    std::string price;     // last SKU's adjusted price, or the adjusted reference price
};

// The SKU-table patterns, in the order they are tried.
std::vector<std::string_view> taobaoSkuPatterns();

// Reads the SKU table with the first of the known layouts that matches.
TaobaoSkus readTaobaoSkus(std::string_view pageText, const RewriteOptions& options);

}  // namespace vq::harvest
