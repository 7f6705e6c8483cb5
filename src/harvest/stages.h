// The steps of a worker's product loop, in the order they run. Taobao
// Assistant packages run every step but the business-assistant ones;
// business-assistant packages skip the Taobao category and property steps
// and take their own price and SKU road.
#pragma once

#include "harvest/stagecontext.h"

namespace vq::harvest {

// Logs the start, downloads the product page (waiting out verification),
// logs the basic information, resets the picture list and the mobile
// description, and extracts the title.
void acquireProductPage(StageContext& context);
// Business assistant: the product's 1688 category and its attributes mapped
// to the marketplace's attribute and value IDs.
void mapBusinessAttributes(StageContext& context);
// Taobao: the category found by keyword search, and the 3C certificate.
void findTaobaoCategory(StageContext& context);
// Taobao: SKU table and price, with the price adjustment.
void readTaobaoPricesAndSkus(StageContext& context);
// Business assistant: price ranges, feature list, SKU list and pictures.
void readBusinessPricesAndSkus(StageContext& context);
// Taobao: the SKU pictures.
void downloadSkuPictures(StageContext& context);
// Taobao: attribute pairs, food fields, the category's property list and
// the brand option.
void readCategoryProperties(StageContext& context);
// Taobao: attributes to property and value IDs.
void mapProperties(StageContext& context);
// Taobao: province and city from the page.
void readLocation(StageContext& context);
// The description with its pictures, the mobile description and the hidden
// source link.
void fetchDescription(StageContext& context);
// Up to five main pictures, with the optional swap of the first and third.
void downloadMainPictures(StageContext& context);
// Removes the brand and banned words from the title when asked.
void cleanTitle(StageContext& context);

}  // namespace vq::harvest
