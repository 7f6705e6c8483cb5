// Business-assistant prices: the quantity-price ranges from whichever of the
// page's three forms it carries, and the product feature list that combines
// the mapped attributes with the fixed price, unit and single-price entries.
#pragma once

#include <string>
#include <string_view>

namespace vq::harvest {

struct PriceRanges {
    std::string ranges;             // "begin:price" items joined by "`"
    std::string isSkuTradeSupported;  // "0" from a range table, "1" from the single price
};

// The "priceRange" table, else the data-range items, else the "&ge;"
// quantity with the single price.
PriceRanges readPriceRanges(std::string_view pageText);

// "{" + featurePairs' items + the entries 4341 (price ranges), 1459 (unit)
// and 8021 (price) + "}", with doubled quotes.
std::string buildProductFeatureList(std::string_view featurePairs, std::string_view priceRanges,
                                    std::string_view pageText);

}  // namespace vq::harvest
