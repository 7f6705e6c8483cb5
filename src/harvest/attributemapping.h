// The business-assistant attribute mapping: the attribute list of a product
// page rewritten into pairs of the marketplace's attribute IDs and values,
// with the IDs looked up in the posting form of the product's category and,
// for attributes with dependent attributes, in the standard-product level
// service. Pure text work: the level service is reached through a callback,
// so saved pages and answers test it offline.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vq::harvest {

// The page's attribute text (between "详细页面。" and "。我们还为") with the
// several values of one attribute joined by "#1#", entities and ASCII commas
// replaced; entries are separated by "，".
std::string readAttributeText(std::string_view pageText);

// Joins the values of one attribute: "颜色:红，蓝，尺码:L" becomes
// "颜色:红#1#蓝，尺码:L". Three passes join up to four values.
std::string joinAttributeValues(std::string_view attributeText);

// The non-empty "name:value" entries of an attribute text, in order.
std::vector<std::string> attributeEntries(std::string_view attributeText);

// Answers the level service for one path ("3216%3A28320", or with a child
// step "3216%3A28320%3E450%3A1001"); empty when the request fails.
using LevelLookup = std::function<std::string(const std::string& pathValues)>;

struct AttributeMapping {
    // "，" + items + "，"; mapped items read ""ID"":""value"", unidentified
    // ones are gone, "#1#" restored to "，".
    std::string featurePairs;
    // The posting form with every level answer appended.
    std::string postingFormText;
};

// Maps the attribute text of pageText with the posting form's definitions;
// calls lookup for attributes that have dependent attributes.
AttributeMapping mapAttributes(std::string_view pageText, std::string postingFormText, const LevelLookup& lookup);

}  // namespace vq::harvest
