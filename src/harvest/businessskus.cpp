#include "harvest/businessskus.h"

#include "harvest/pagewindow.h"
#include "text/regex.h"
#include "text/regexescape.h"
#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::harvest {

namespace {

// The attribute matches of one sales-property value in the feature list,
// whose items read ""ID"":""value,value"".
text::RegexMatches featureMatches(std::string_view productFeatureList, std::string_view value)
{
    return text::Regex::vbscript("\"\"(\\d*?)\"\":\"\"(|.[^,]*?)" + text::RegexEscapeJson(value) + ".*?\"\"")
        .matchAll(productFeatureList);
}

// "K":{fields} entries become one array of {"specAttributes":{"K"},fields}.
std::string skuMapAsArray(std::string_view pageText)
{
    std::string s = text::TextBetween(pageText, "skuMap#引号:{", "}}") + "}";
    s = text::replaceAll(s, "canBookCount", "amountOnSale");
    s = "}," + s;
    s = text::replaceAll(s, "},\"", "#1#");
    s = text::replaceAll(s, "\":{\"", "#2#");
    s = text::replaceAll(s, "#1#", "},{\"specAttributes\":{\"");
    s = text::replaceAll(s, "#2#", "\"},\"");
    s = text::replaceFirst(s, "},", "[");
    return s + "]";
}

}  // namespace

std::string buildSkuArray(std::string_view pageText, std::string_view productFeatureList)
{
    std::string s = skuMapAsArray(pageText);
    // The keys are found once; the replacements below then rewrite every
    // entry that shares a value.
    const text::RegexMatches keys = text::Regex::vbscript("butes\":{\"(.*?)\"}").matchAll(s);
    for (std::size_t i = 0; i < keys.count(); ++i) {
        const std::string& key = keys.group(i, 1);
        const std::size_t separator = key.find("&gt;");
        if (separator == std::string::npos) {
            const std::string id = featureMatches(productFeatureList, key).group(0, 1);
            s = text::replaceAll(s, "\"" + key + "\"", "\"" + id + "\":\"" + key + "\"");
            continue;
        }
        // The key reads A&gt;B: the first replacement takes the quote, A and
        // "&gt" and leaves ";B\"" for the second.
        const std::string first = key.substr(0, separator);
        const std::string second = key.substr(separator + 4);
        const std::string firstId = featureMatches(productFeatureList, first).group(0, 1);
        s = text::replaceAll(s, "\"" + first + "&gt", "\"" + firstId + "\":\"" + first + "\",");
        if (second.empty())
            continue;
        const text::RegexMatches secondMatches = featureMatches(productFeatureList, second);
        const std::string secondId = secondMatches.group(secondMatches.count() >= 2 ? 1 : 0, 1);
        s = text::replaceAll(s, ";" + second + "\"", "\"" + secondId + "\":\"" + second + "\"");
    }
    return text::replaceAll(s, "\"", "\"\"");
}

std::string buildSkuPictures(std::string_view pageText, std::string_view postingFormText)
{
    // Both patterns match within one line; only lines with their markers
    // can hold a match.
    const text::RegexMatches pictures = text::Regex::vbscript("(img.*?)\",\"name\":\"(.*?)\"}")
                                            .matchAll(linesContaining(pageText, "\",\"name\":\""));
    if (pictures.empty())
        return {};
    std::string items;
    for (std::size_t i = 0; i < pictures.count(); ++i)
        items = "{\"\"" + pictures.group(i, 2) + "\"\":\"\"" + pictures.group(i, 1) + "\"\"}," + items;

    const std::string property =
        text::Regex::vbscript("imageUrl.*?prop\":\"(.*?)\"")
            .matchFirst(linesContaining(pageText, "prop\":\""))
            .group(0, 1);
    const std::string id =
        text::Regex::vbscript("fid&quot;:(\\d*?),.[^\\]]*?" + property).matchFirst(postingFormText).group(0, 1);
    return "{\"\"" + id + "\"\":[" + items + "]}";
}

}  // namespace vq::harvest
