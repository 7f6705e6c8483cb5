// The options of the generation wizard; all off at program start and kept
// from run to run.
#pragma once

#include <string>

namespace vq::harvest {

enum class PriceOperator { Add, Subtract, Multiply, Divide };  // 加 减 乘 除

struct RewriteOptions {
    bool cleanTitle = false;              // remove brand and banned words from the title
    bool appendSourceLink = false;        // hidden source link at the end of the description
    bool swapFirstThirdPicture = false;
    bool brandToOther = false;            // brand property set to "other"
    bool adjustPrice = false;
    PriceOperator priceOperator = PriceOperator::Add;
    std::string priceOperand;             // the number as typed
    bool priceRounding = false;
};

}  // namespace vq::harvest
