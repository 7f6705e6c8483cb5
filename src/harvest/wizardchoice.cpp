#include "harvest/wizardchoice.h"

namespace vq::harvest {

void applyWizardChoice(RewriteOptions& current, const RewriteOptions& chosen)
{
    if (chosen.adjustPrice) {
        current.priceOperator = chosen.priceOperator;
        current.priceOperand = chosen.priceOperand;
        current.priceRounding = chosen.priceRounding;
    }
    current.adjustPrice = chosen.adjustPrice;
    current.cleanTitle = chosen.cleanTitle;
    current.swapFirstThirdPicture = chosen.swapFirstThirdPicture;
    current.appendSourceLink = chosen.appendSourceLink;
    current.brandToOther = chosen.brandToOther;
}

}  // namespace vq::harvest
