#include "harvest/attributemapping.h"

#include <algorithm>

#include "text/regex.h"
#include "text/regexescape.h"
#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::harvest {

namespace {

constexpr std::string_view kComma = "，";
// Stands at the end of the text while the values are joined, so that the
// last attribute's extra values have a comma after them too.
constexpr std::string_view kTailGuard = "，#2#1#";

struct Entry {
    std::string text;  // "name:value"
    std::string name;
    std::string value;
    bool hasColon = false;
};

Entry splitEntry(const std::string& entryText)
{
    Entry entry;
    entry.text = entryText;
    const std::size_t colon = entryText.find(':');
    if (colon == std::string::npos) {
        entry.name = entryText;
        return entry;
    }
    entry.hasColon = true;
    entry.name = entryText.substr(0, colon);
    const std::size_t next = entryText.find(':', colon + 1);
    entry.value = entryText.substr(colon + 1, next == std::string::npos ? std::string::npos : next - colon - 1);
    return entry;
}

std::string surrounded(std::string_view entryText)
{
    std::string out(kComma);
    out += entryText;
    out += kComma;
    return out;
}

std::string mappedItem(std::string_view id, std::string_view value)
{
    std::string out(kComma);
    out += "\"\"";
    out += id;
    out += "\"\":\"\"";
    out += value;
    out += "\"\"";
    out += kComma;
    return out;
}

// Asks the level service about an attribute with dependent attributes and,
// when the first dependent attribute has dependents of its own, about that
// one too. Every answer is appended to the posting form text.
void lookUpLevels(const Entry& entry, const std::string& attributeId, AttributeMapping& mapping,
                  const LevelLookup& lookup)
{
    if (!lookup)
        return;
    const std::string valueId =
        text::Regex::vbscript(text::RegexEscape(entry.value) + "&quot;,&quot;vid&quot;:(\\d*?)}")
            .matchFirst(mapping.postingFormText)
            .group(0, 1);
    const std::string path = attributeId + "%3A" + valueId;
    const std::string level = lookup(path);
    mapping.postingFormText += level;

    const text::RegexMatches child =
        text::Regex::vbscript(":(\\d*?),.*?name\":\"(.*?)\",.*?childrenFids\":\\[(|.[^\\]]*?)\\]").matchFirst(level);
    if (child.group(0, 3).empty())
        return;
    const std::string& childId = child.group(0, 1);
    const std::string& childName = child.group(0, 2);
    const std::string childValue = text::TextBetween(mapping.featurePairs, childName + ":", kComma);
    const std::string childValueId = text::TextBetween(level, childValue + "\",\"vid\":", "},");
    mapping.postingFormText += lookup(path + "%3E" + childId + "%3A" + childValueId);
}

}  // namespace

std::string joinAttributeValues(std::string_view attributeText)
{
    std::string joined(attributeText);
    joined += kTailGuard;
    const text::Regex pattern = text::Regex::perl("(:.[^:]*?)(，)(.[^:]*?，)");
    for (int pass = 0; pass < 3; ++pass)
        joined = pattern.replaceAll(joined, "$1#1#$3");
    return text::replaceAll(joined, kTailGuard, "");
}

std::string readAttributeText(std::string_view pageText)
{
    std::string attributes = joinAttributeValues(text::TextBetween(pageText, "详细页面。", "。我们还为"));
    attributes = text::replaceAll(attributes, "&amp；", "&");
    attributes = text::replaceAll(attributes, "&le;", "≤");
    attributes = text::replaceAll(attributes, ",", "|");
    attributes = text::replaceAll(attributes, "&middot;", "·");
    return attributes;
}

std::vector<std::string> attributeEntries(std::string_view attributeText)
{
    std::vector<std::string> entries = text::split(attributeText, kComma);
    entries.erase(std::remove(entries.begin(), entries.end(), std::string()), entries.end());
    return entries;
}

AttributeMapping mapAttributes(std::string_view pageText, std::string postingFormText, const LevelLookup& lookup)
{
    const std::string attributeText = readAttributeText(pageText);
    AttributeMapping mapping;
    mapping.featurePairs = surrounded(attributeText);
    mapping.postingFormText = std::move(postingFormText);

    std::vector<Entry> unidentified;
    for (const std::string& entryText : attributeEntries(attributeText)) {
        const Entry entry = splitEntry(entryText);
        if (!entry.hasColon) {
            mapping.featurePairs = text::replaceAll(mapping.featurePairs, surrounded(entry.text), kComma);
            continue;
        }
        const text::RegexMatches definition =
            text::Regex::vbscript("childrenFids&quot;:\\[(|.[^\\]]*?)\\].[^h]*?fid&quot;:(\\d*?),.[^\\]]*?" +
                                  text::RegexEscape(entry.name))
                .matchFirst(mapping.postingFormText);
        const std::string& attributeId = definition.group(0, 2);
        if (attributeId.empty()) {
            unidentified.push_back(entry);
            continue;
        }
        mapping.featurePairs =
            text::replaceAll(mapping.featurePairs, surrounded(entry.text), mappedItem(attributeId, entry.value));
        if (!definition.group(0, 1).empty())
            lookUpLevels(entry, attributeId, mapping, lookup);
    }

    // The level answers name attributes the posting form does not define;
    // a last, looser search finds those.
    for (auto it = unidentified.rbegin(); it != unidentified.rend(); ++it) {
        const std::string id = text::Regex::vbscript(":(\\d*?),.*?" + text::RegexEscape(it->name))
                                   .matchFirst(mapping.postingFormText)
                                   .group(0, 1);
        const std::string replacement = id.empty() ? std::string(kComma) : mappedItem(id, it->value);
        mapping.featurePairs = text::replaceAll(mapping.featurePairs, surrounded(it->text), replacement);
    }

    mapping.featurePairs = text::replaceAll(mapping.featurePairs, "#1#", kComma);
    return mapping;
}

}  // namespace vq::harvest
