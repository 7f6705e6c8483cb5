#include "harvest/stockamount.h"

#include "text/textbetween.h"

namespace vq::harvest {

std::string readStockAmount(std::string_view pageText)
{
    return text::TextBetween(pageText, "max#引号:#引号", "\"");
}

}  // namespace vq::harvest
