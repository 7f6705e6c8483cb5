// Steps of the product loop that are not built yet: each leaves the record
// as it is, so a run still produces rows from the steps that exist. A step
// moves out of this file when it is built.
#include "harvest/stages.h"

namespace vq::harvest {

void findTaobaoCategory(StageContext&) {}
void readCategoryProperties(StageContext&) {}
void mapProperties(StageContext&) {}

}  // namespace vq::harvest
