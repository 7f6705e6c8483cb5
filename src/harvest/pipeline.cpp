#include "harvest/pipeline.h"

#include "harvest/stages.h"

namespace vq::harvest {

Pipeline standardPipeline(config::PackageKind kind)
{
    if (kind == config::PackageKind::AliAssistant) {
        return {acquireProductPage, mapBusinessAttributes, readBusinessPricesAndSkus,
                fetchDescription,   downloadMainPictures,  cleanTitle};
    }
    return {acquireProductPage,     findTaobaoCategory, readTaobaoPricesAndSkus, downloadSkuPictures,
            readCategoryProperties, mapProperties,      readLocation,            fetchDescription,
            downloadMainPictures,   cleanTitle};
}

}  // namespace vq::harvest
