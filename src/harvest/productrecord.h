// One product's fields as a worker gathers them, stage by stage, until the
// row is assembled. One record per worker, overwritten product by product: a
// field a stage does not set keeps the previous product's value unless a
// stage resets it. All texts are UTF-8 (GBK only when written to a file).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vq::harvest {

struct ProductRecord {
    std::string offerId;             // column 3 of the list row; Taobao num_id
    std::string pageText;            // the product page as text
    std::string title;               // after the rewrite options
    std::string categoryId;          // Taobao category (Taobao) or 1688 category (business assistant)
    std::string postingFormText;     // business assistant: posting form plus SPU answers
    std::string featurePairs;        // business assistant: mapped attribute pairs
    std::string price;               // Taobao: after the price adjustment
    std::string priceRanges;         // business assistant: quantity-price ranges
    std::string num;                 // stock amount
    std::string location_state;      // Taobao
    std::string location_city;       // Taobao
    std::string description;         // description HTML, double quotes doubled
    std::string wireless_desc;       // "<wapDesc>" ... "</wapDesc>" or empty
    std::string picture;             // picture list, each entry ended by "|;"
    std::string cateProps;           // matched category properties
    std::string skuProps;            // SKU combinations with price and quantity
    std::string inputPids;
    std::string inputValues;
    std::string propAlias;
    std::string input_custom_cpv;
    std::string foodparame;
    std::string qualification;
    std::string productFeatureList;  // business assistant
    std::string skuArray;            // business assistant
    std::string skuPics;             // business assistant
    std::string isSkuTradeSupported; // business assistant: "0" or "1"

    // Working fields of the stages (not package columns). Each stage keeps
    // its own below, under its heading.

    // Pictures and description.
    struct SkuPicture {
        std::string pictureName;  // file name without extension
        std::string valueName;    // SKU value name as the page gives it
    };
    std::vector<SkuPicture> skuPictures;  // this product's SKU picture entries, page order
    std::uint64_t descPictureBytes = 0;   // first downloads of the description's img pictures
};

}  // namespace vq::harvest
