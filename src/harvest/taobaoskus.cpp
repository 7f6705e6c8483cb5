#include "harvest/taobaoskus.h"

#include <array>

#include "harvest/pagewindow.h"
#include "harvest/priceadjustment.h"
#include "text/regex.h"
#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::harvest {

namespace {

// Where each part of an item sits in the groups of a layout's pattern; 0
// means the layout has no such group (the reference price stands in for a
// missing price).
struct SkuLayout {
    std::string_view pattern;
    bool needsDiscountPrice;  // only tried when the page has "discountPrice"
    int first;                // A, the first sales-property value
    int second;               // B, the second one, or 0
    int price;
    int quantity;
};

// In the order they are tried: two-property keys with the discount price
// before and after the stock count, two-property keys without a price,
// one-property keys likewise.
constexpr std::array<SkuLayout, 7> kLayouts{{
    {"\"([^\"]*?)&gt;([^{]*?)\":{[^{]*?discountPrice\":\"([^{]*?)\",[^{]*?canBookCount\":([^{]*?),", true, 1, 2, 3,
     4},
    {"\"(.[^\"]*?)&gt;(.*?)\":{.*?canBookCount\":(.*?),.*?discountPrice\":\"(.*?)\",", true, 1, 2, 4, 3},
    {"\"(.[^\"]*?)&gt;(.*?)\":{.*?canBookCount\":(.*?),().*?}", false, 1, 2, 0, 3},
    {"\"(.[^\"]*?)\":{[^{]*?canBookCount\":([^{]*?),[^{]*?discountPrice\":\"(.*?)\".*?}", false, 1, 0, 3, 2},
    {"\"(.[^\"]*?)\":{[^{]*?discountPrice\":\"(.*?)\",[^{]*?canBookCount\":([^{]*?),.*?}", false, 1, 0, 2, 3},
    {"\"(.[^\"]*?)\":{\"canBookCount\":(.*?),.*?}", false, 1, 0, 0, 2},
    {"\"(.[^\"]*?)\":{[^{]*?canBookCount\":(.*?),.*?}", false, 1, 0, 0, 2},
}};

}  // namespace

std::vector<std::string_view> taobaoSkuPatterns()
{
    std::vector<std::string_view> patterns;
    for (const SkuLayout& layout : kLayouts)
        patterns.push_back(layout.pattern);
    return patterns;
}

TaobaoSkus readTaobaoSkus(std::string_view pageText, const RewriteOptions& options)
{
    TaobaoSkus result;
    const bool hasDiscountPrice = text::contains(pageText, "discountPrice");
    const std::string referencePrice = applyPriceAdjustment(text::TextBetween(pageText, "refPrice':'", "'"), options);
    std::string base;
    // Every layout's match lies in this stretch of the page.
    const std::string_view table = skuTableWindow(pageText);

    for (const SkuLayout& layout : kLayouts) {
        if (layout.needsDiscountPrice && !hasDiscountPrice)
            continue;
        // Layouts without a price of their own set the reference price even
        // when they find nothing.
        if (layout.price == 0)
            base = referencePrice;
        const text::RegexMatches skus = text::Regex::vbscript(layout.pattern).matchAll(table);
        if (skus.empty())
            continue;
        for (std::size_t i = 0; i < skus.count(); ++i) {
            const std::string price =
                layout.price ? applyPriceAdjustment(skus.group(i, layout.price), options) : referencePrice;
            if (layout.price)
                base = price;
            std::string item = price + ":" + skus.group(i, layout.quantity) + "::";
            if (layout.second)
                item += skus.group(i, layout.second) + ";";
            item += skus.group(i, layout.first) + ";";
            result.skuProps = item + result.skuProps;
        }
        break;
    }
    result.price = base;
    return result;
}

}  // namespace vq::harvest
