// The province and city of the seller, from the product page.
#include "harvest/stages.h"
#include "text/textbetween.h"

namespace vq::harvest {

void readLocation(StageContext& context)
{
    ProductRecord& record = context.record;
    record.location_state = text::TextBetween(record.pageText, "province=", ";");
    record.location_city = text::TextBetween(record.pageText, "city=", "#引号");
}

}  // namespace vq::harvest
