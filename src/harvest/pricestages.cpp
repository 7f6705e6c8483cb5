// The price and SKU steps of both package kinds: they read the page text
// the page step left in the record and fill the price and SKU fields.
#include "harvest/businessprices.h"
#include "harvest/businessskus.h"
#include "harvest/stages.h"
#include "harvest/stockamount.h"
#include "harvest/taobaoskus.h"

namespace vq::harvest {

void readTaobaoPricesAndSkus(StageContext& context)
{
    ProductRecord& record = context.record;
    record.num = readStockAmount(record.pageText);
    TaobaoSkus skus = readTaobaoSkus(record.pageText, context.rewrite);
    record.skuProps = std::move(skus.skuProps);
    record.price = std::move(skus.price);
}

void readBusinessPricesAndSkus(StageContext& context)
{
    ProductRecord& record = context.record;
    record.num = readStockAmount(record.pageText);
    PriceRanges ranges = readPriceRanges(record.pageText);
    record.priceRanges = std::move(ranges.ranges);
    record.isSkuTradeSupported = std::move(ranges.isSkuTradeSupported);
    record.productFeatureList = buildProductFeatureList(record.featurePairs, record.priceRanges, record.pageText);
    record.skuArray = buildSkuArray(record.pageText, record.productFeatureList);
    record.skuPics = buildSkuPictures(record.pageText, record.postingFormText);
}

}  // namespace vq::harvest
