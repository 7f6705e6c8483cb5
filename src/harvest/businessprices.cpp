#include "harvest/businessprices.h"

#include "harvest/pagewindow.h"
#include "text/regex.h"
#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::harvest {

PriceRanges readPriceRanges(std::string_view pageText)
{
    PriceRanges result;
    result.ranges = text::TextBetween(pageText, "#引号priceRange#引号:[[", "]],");
    result.ranges = text::replaceAll(result.ranges, "], [", "`");
    result.ranges = text::replaceAll(result.ranges, ", ", ":");

    if (result.ranges.empty()) {
        // The pattern matches within one line holding its opening.
        const text::RegexMatches items =
            text::Regex::vbscript("data-range='{\"begin\":\"(\\d*?)\",\"end\":\".*?\",\"price\":\"(.*?)\"}'>")
                .matchAll(linesContaining(pageText, "data-range='{"));
        for (std::size_t i = 0; i < items.count(); ++i) {
            if (i > 0)
                result.ranges += '`';
            result.ranges += items.group(i, 1) + ":" + items.group(i, 2);
        }
    }
    result.isSkuTradeSupported = "0";

    if (result.ranges.empty()) {
        result.ranges = text::TextBetween(pageText, "&ge;", "</span>") + ":" +
                        text::TextBetween(pageText, "&yen;</span>\r\n    <span class=\"value\">", "</span>");
        result.isSkuTradeSupported = "1";
    }
    return result;
}

std::string buildProductFeatureList(std::string_view featurePairs, std::string_view priceRanges,
                                    std::string_view pageText)
{
    std::string ranges = text::replaceAll(priceRanges, "`", ";");
    ranges = text::replaceAll(ranges, ":", ",,");

    std::string list(featurePairs);
    list += "\"\"4341\"\":\"\"" + ranges + "\"\"，";
    list += "\"\"1459\"\":\"\"" + text::TextBetween(pageText, "unit':'", "'") + "\"\"，";
    list += "\"\"8021\"\":\"\"" + text::TextBetween(pageText, "<td class=#引号de-value#引号>&yen;", "</td>") + "\"\"";
    list = text::replaceAll(list, "，", ",");
    list = text::replaceFirst(list, ",", "");
    return "{" + list + "}";
}

}  // namespace vq::harvest
